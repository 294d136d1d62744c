#include "app/ui/ActionStatusLine.h"

#include "app/ui/MainForm.h"
#include "session/PlanSession.h"

#include <QStatusBar>

ActionStatusLine::ActionStatusLine(MainForm &form, PlanSession &session, QObject *parent)
    : QObject(parent), m_form(form), m_session(session)
{
    const EditPath &path = session.editPath();
    // Loading places lots before the plan is shown: that is no change the planner made.
    connect(&path, &EditPath::planTaken, this, [this] { m_shown = false; });
    connect(&form, &MainForm::planLoaded, this, &ActionStatusLine::takePlan);
    connect(&path, &EditPath::recordsChanged, this, &ActionStatusLine::follow);
    // A machine's working hours change the conflicts without moving a lot.
    connect(&path, &EditPath::calendarDaysChanged, this,
            [this] { m_report.takeConflicts(m_session.watch().conflicts().count()); });
}

void ActionStatusLine::takePlan()
{
    m_report.take(m_session.store(), m_session.watch().conflicts().count());
    m_shown = true;
}

void ActionStatusLine::follow(const QList<qint64> &indices)
{
    if (!m_shown)
        return;
    const QString line = m_report.follow(m_session.store(), indices, m_session.watch().conflicts().count());
    if (!line.isEmpty())
        m_form.statusBar()->showMessage(line);
}
