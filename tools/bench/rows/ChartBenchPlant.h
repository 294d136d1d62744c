#pragma once
// A plant held in memory for the chart's bench rows: 40 presses and 5 subcontractors over a
// three-month period, presses working weekday shifts with breaks, and any number of lots
// spread over the rows (a few on the strip), the same for the same count.

#include "plan/PlanStore.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"
#include "plan/RunContext.h"

struct ChartBenchPlant
{
    explicit ChartBenchPlant(qint64 lots);

    // The plant's run: its period and day start, a 10-minute grid, an operator who may save.
    RunContext runContext() const;

    QDate periodStart{2024, 4, 1};
    QDate periodEnd{2024, 6, 30};
    QTime dayStart{8, 0};
    PlanStore store;
    ChartRows rows;
    WorkCalendar calendar;
};
