#pragma once
// A dragged bar let go on the chart surface: the chart turns the pointer into the row under it
// (RowAtY) and the moment at the bar's new left edge, and the lot drop does the rest as one
// planner action of the plan's actions. Let go on another bar, it may merge into that bar's
// lot instead. The chart widget only forwards the drop: the bar, the bar under the pointer,
// the row under it and the bar's new left edge.

#include "editing/PlanActions.h"
#include "gantt/GanttChart.h"

#include <optional>

// RowAtY: the code of the row under height y of the main surface: the first row whose
// boundary lies below y, "" at or below the last boundary. Above the surface (y < 0) there is
// no row at all: nothing.
std::optional<QString> RowAtY(const ChartRows &rows, double y);

class BarDrop
{
public:
    BarDrop(PlanActions &actions, GanttChart &chart) : m_store(actions.store()), m_actions(actions), m_chart(chart) {}

    // The drop of `bar` on the row `row` (RowAtY of the pointer) with its left edge at `left`
    // (the pointer's x less the grab offset). A drop above the surface changes nothing. Whatever happens, the bar is laid out again from
    // its lot, which ends the drag colour.
    void dropOnSurface(qint64 bar, const std::optional<QString> &row, double left);
    // The drop of `bar` on the bar `onBar`: the two lots are tested for a merge; a drop that
    // does not merge is the drop on the surface at the same point.
    void dropOnBar(qint64 bar, qint64 onBar, const std::optional<QString> &row, double left);
    // What a drop there would do, in one line that follows the pointer while dragging: the row
    // and the lot's start and end as the drop snaps them, 未割付 for the strip, or that the lot
    // cannot go there. Empty above the surface.
    QString landingText(qint64 bar, const std::optional<QString> &row, double left) const;

private:
    // The bar shows where it was let go while the action's questions are open (an end-fixed
    // lot that may not go there stays); returns the moment at its left edge.
    QDateTime showLetGo(qint64 bar, qint64 lot, const QString &row, double left);

    const PlanStore &m_store;
    PlanActions &m_actions;
    GanttChart &m_chart;
};
