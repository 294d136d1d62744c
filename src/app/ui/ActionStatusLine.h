#pragma once
// The status bar's line after each change of the plan: what the change did beyond the lot the
// planner moved (lots pushed, taken off a machine to 未割付 with their numbers, added,
// merged, the conflicts before and after), so that nothing changes out of the planner's sight.

#include "editing/PlacementReport.h"

#include <QObject>

class MainForm;
class PlanSession;

class ActionStatusLine : public QObject
{
    Q_OBJECT
public:
    ActionStatusLine(MainForm &form, PlanSession &session, QObject *parent = nullptr);

private:
    void takePlan();
    void follow(const QList<qint64> &indices);

    MainForm &m_form;
    PlanSession &m_session;
    PlacementReport m_report;
    bool m_shown = false; // a plan is laid out: its changes are told
};
