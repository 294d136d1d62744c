#pragma once
// What 自動計画 did: the plan's figures before and after, the lots it placed and re-timed,
// and the lots it left on the strip with the reason.

#include "editing/AutoPlanner.h"
#include "editing/PlanFigures.h"

#include <QStringList>

class PlanStore;

struct AutoPlanReport
{
    bool ran = false;  // false when the cycle rows could not be read: nothing changed
    PlanFigures before;
    PlanFigures after;
    qint64 planned = 0;
    qint64 retimed = 0;           // placed on another press, at that press's cycle
    qint64 offStoredMachine = 0;  // placed on a press other than the one it was stored on
    std::vector<LeftLot> left;
    bool stopped = false; // the planner was stopped or ran out of time: the best plan found
};

// The report as lines for the planner: the figures before and after side by side, then each
// lot left with its arrangement number and reason.
QStringList autoPlanReportLines(const AutoPlanReport &report, const PlanStore &store);
