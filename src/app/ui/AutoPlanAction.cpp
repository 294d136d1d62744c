#include "app/ui/AutoPlanAction.h"

#include "app/ui/AutoPlanDialog.h"
#include "app/ui/AutoPlanProgressWindow.h"
#include "app/ui/AutoPlanReportWindow.h"
#include "app/ui/MainForm.h"
#include "session/PlanSession.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

namespace {

// The status bar's line: what the planner did, then what the change moved as every action
// tells it (the lots moved, the conflicts before and after).
QString statusLine(const AutoPlanReport &report, const QString &changes)
{
    QString line = QStringLiteral("自動計画: %1件を計画しました").arg(report.planned);
    if (!report.left.empty())
        line += QStringLiteral("。%1件は未割付に残りました").arg(report.left.size());
    if (report.stopped)
        line += QStringLiteral("（途中で打ち切り）");
    return changes.isEmpty() ? line : line + QStringLiteral("。") + changes;
}

} // namespace

AutoPlanAction::AutoPlanAction(MainForm &form, PlanSession &session, QMenu &editMenu)
    : QObject(&form), m_form(form), m_session(session)
{
    m_action = new QAction(QStringLiteral("自動計画(&A)…"), &form);
    m_action->setObjectName(QStringLiteral("ActAutoPlan"));
    m_action->setEnabled(!session.inquiryMode());
    connect(m_action, &QAction::triggered, this, &AutoPlanAction::run);
    editMenu.addSeparator();
    editMenu.addAction(m_action);
}

void AutoPlanAction::run()
{
    AutoPlanDialog options(m_session.rows(), m_form.prompter(), &m_form);
    if (options.exec() != QDialog::Accepted)
        return;
    // The session's own line about the change is taken into this action's line.
    m_form.statusBar()->clearMessage();
    AutoPlanReport report;
    {
        AutoPlanProgressWindow progress(&m_form);
        progress.start();
        report = m_session.autoPlan(options.options(),
                                    [&progress](int done, int total) { return progress.tell(done, total); });
    }
    if (!report.ran)
        return;
    m_form.statusBar()->showMessage(statusLine(report, m_form.statusBar()->currentMessage()));
    AutoPlanReportWindow window(report, m_session.store(), m_session.rows(), &m_form);
    window.exec();
}
