#pragma once
// A dragged bar let go on the chart surface: the chart turns the pointer into the row under it
// (RowAtY) and the moment at the bar's new left edge, and the lot drop does the rest as one
// planner action. Let go on another bar, it may merge into that bar's lot instead (PlanMerge).
// The chart widget only forwards the drop: the bar, the bar under the pointer, the row under
// it and the bar's new left edge.

#include "editing/LotDrop.h"
#include "editing/PlanMerge.h"
#include "gantt/GanttChart.h"

#include <optional>

// RowAtY: the code of the row under height y of the main surface: the first row whose
// boundary lies below y, "" at or below the last boundary. Above the surface (y < 0) there is
// no row at all: nothing.
std::optional<QString> RowAtY(const ChartRows &rows, double y);

class BarDrop
{
public:
    BarDrop(const PlanStore &store, const LotDrop &drop, const PlanMerge &merge, GanttChart &chart)
        : m_store(store), m_drop(drop), m_merge(merge), m_chart(chart)
    {
    }

    // The drop of `bar` on the row `row` (RowAtY of the pointer) with its left edge at `left`
    // (the pointer's x less the grab offset); `originRow` is the row it was picked up from. A
    // drop above the surface changes nothing. Whatever happens, the bar is laid out again from
    // its lot, which ends the drag colour.
    void dropOnSurface(qint64 bar, const std::optional<QString> &row, double left, const QString &originRow);
    // The drop of `bar` on the bar `onBar`: the two lots are tested for a merge; a drop that
    // does not merge is the drop on the surface at the same point.
    void dropOnBar(qint64 bar, qint64 onBar, const std::optional<QString> &row, double left,
                   const QString &originRow);

private:
    const PlanStore &m_store;
    const LotDrop &m_drop;
    const PlanMerge &m_merge;
    GanttChart &m_chart;
};
