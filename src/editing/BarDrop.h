#pragma once
// A dragged bar let go on the chart surface: the lot moves to the row and time under the
// pointer (FollowMove_PlanBar), takes the rate of a new row (StretchBar) and is inserted into
// that row's sequence (Insert_PlanBarStep2), all as one planner action. Let go on another
// bar, it may merge into that bar's lot instead (PlanMerge). The chart widget only forwards
// the drop: the bar, the bar under the pointer, the row under it and the bar's new left edge.

#include "editing/PlanInsertion.h"
#include "editing/PlanMerge.h"
#include "gantt/GanttChart.h"

#include <optional>

class Database;

namespace dropping {
extern const QString EndFixedNotUnassigned; // an end-fixed lot dropped below the last row
extern const QString EndFixedNotLater;      // an end-fixed lot dropped to a later time
} // namespace dropping

// RowAtY: the code of the row under height y of the main surface: the first row whose
// boundary lies below y, "" at or below the last boundary. Above the surface (y < 0) there is
// no row at all: nothing.
std::optional<QString> RowAtY(const ChartRows &rows, double y);

class BarDrop
{
public:
    BarDrop(EditPath &path, const PlanInsertion &insertion, GanttChart &chart, Database &db, Prompter &prompter)
        : m_path(path), m_insertion(insertion), m_chart(chart), m_db(db), m_prompter(prompter),
          m_merge(path, insertion, prompter)
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
    // FollowMove_PlanBar: moves the bar and sets the lot's times; a refused move replaces the
    // row by the origin row.
    void followMove(Edit &edit, qint64 lot, qint64 bar, QString &row, double left, const QString &originRow);

    EditPath &m_path;
    const PlanInsertion &m_insertion;
    GanttChart &m_chart;
    Database &m_db;
    Prompter &m_prompter;
    PlanMerge m_merge;
};
