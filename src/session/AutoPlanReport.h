#pragma once
// What 自動計画 did: the plan's figures and each press's load over the period before and
// after, the lots it placed and re-timed, and the lots it left on the strip with the reason.

#include "editing/AutoPlanner.h"
#include "editing/PeriodLoad.h"
#include "editing/PlanFigures.h"

#include <QStringList>

class PlanStore;

struct AutoPlanReport
{
    bool ran = false;  // false when the cycle rows could not be read: nothing changed
    PlanFigures before;
    PlanFigures after;
    std::vector<RowPeriodLoad> loadBefore; // each press of the chart, in row order
    std::vector<RowPeriodLoad> loadAfter;
    qint64 planned = 0;
    qint64 retimed = 0;           // placed on another press, at that press's cycle
    qint64 offStoredMachine = 0;  // placed on a press other than the one it was stored on
    std::vector<LeftLot> left;
    bool stopped = false; // the planner was stopped or ran out of time: the best plan found
};

// The line said when the planner was stopped or ran out of time.
extern const QString AutoPlanStoppedText;

// One figure of the plan before and after, as shown.
struct AutoPlanFigure
{
    QString name;
    QString before;
    QString after;
};
// The figures side by side: lots on presses and on the strip, late lots, hours late, mold
// changes and the load of all presses together.
std::vector<AutoPlanFigure> autoPlanFigures(const AutoPlanReport &report);
// How many lots were placed, re-timed and moved off their stored press, each with its name.
std::vector<std::pair<QString, qint64>> autoPlanCounts(const AutoPlanReport &report);
// The counts in one line.
QString autoPlanSummary(const AutoPlanReport &report);

// The report as lines for the planner: the summary, the stopped line when it was stopped,
// the figures before and after side by side, then each lot left with its arrangement number
// and reason.
QStringList autoPlanReportLines(const AutoPlanReport &report, const PlanStore &store);
