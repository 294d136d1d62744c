#pragma once
// The figures a planner judges a plan by: the lots on the machine rows that end after their
// 希望納期 (InitialDueDate; late as the red bars show) and by how much, and the mold changes
// (neighbouring lots of a press with different molds). A lot waiting on the strip whose due
// date falls within the period is late too: it is not made by then, at best after the plan,
// so it counts from its due date to the period's end.

#include "plan/ChartRows.h"
#include "plan/PlanStore.h"

struct PlanFigures
{
    qint64 lotsOnMachines = 0;
    qint64 lateLots = 0;
    double latenessHours = 0; // from the end of each late lot's due date to its end
    qint64 moldChanges = 0;
    qint64 lotsOnStrip = 0;

    bool operator==(const PlanFigures &) const = default;
};

// Whether the lot ends after its due date.
bool endsLate(const PlanRecord &lot);
// Hours from the end of the lot's due date to its end; 0 when it is not late.
double latenessHours(const PlanRecord &lot);

// The figures of the active, shown lots of `store` over the period ending at `periodEnd` (the
// moment the chart's last day ends).
PlanFigures measurePlan(const PlanStore &store, const ChartRows &rows, const QDateTime &periodEnd);
