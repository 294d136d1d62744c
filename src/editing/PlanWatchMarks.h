#pragma once
// The plan's watch as the chart's marks: the bars of lots in a conflict and each machine day's
// load, for the chart on screen and on paper alike.

#include "editing/PlanWatch.h"
#include "gantt/ChartMarks.h"

class PlanWatchMarks : public ChartMarks
{
public:
    explicit PlanWatchMarks(const PlanWatch &watch) : m_watch(watch) {}

    bool barMarked(qint64 bar) const override { return m_watch.conflicts().isMarked(bar); }
    int loadPercent(int row, qint64 day) const override { return m_watch.load().percent(row, day); }
    qint64 plannedMinutes(int row, qint64 day) const override { return m_watch.load().plannedMinutes(row, day); }
    qint64 workingMinutes(int row, qint64 day) const override { return m_watch.load().workingMinutes(row, day); }

private:
    const PlanWatch &m_watch;
};
