#pragma once
// A lot let go on a row at a moment: it moves there (FollowMove_PlanBar's rules for end-fixed
// lots), its start snapped to working time and the grid, takes the rate of a new row
// (StretchBar) and is inserted into that row's sequence (Insert_PlanBarStep2), all as one
// planner action. The chart's drop and a move from a script both come here; the chart only
// turns the pointer into a row and a moment.

#include "editing/PlanInsertion.h"
#include "gantt/Twip2DateTime.h"

#include <QDateTime>
#include <optional>

class Database;
class WorkCalendar;

namespace dropping {
extern const QString EndFixedNotUnassigned; // an end-fixed lot dropped below the last row
extern const QString EndFixedNotLater;      // an end-fixed lot dropped to a later time
// The message refusing a drop at a moment outside the days the chart holds (two days before
// the period to the day after it); nothing when the chart holds the moment. A lot placed
// outside them would be saved with dates the plan never shows (or that its columns cannot
// hold) and could no longer be loaded.
std::optional<QString> outsideTheChart(const WorkCalendar &calendar, const QDateTime &moment);
} // namespace dropping

class LotDrop
{
public:
    LotDrop(EditPath &path, const PlanInsertion &insertion, const ChartRows &rows, const WorkingTime &time,
            const RunContext &run, Database &db, Prompter &prompter)
        : m_path(path), m_insertion(insertion), m_rows(rows), m_time(time), m_run(run), m_db(db),
          m_prompter(prompter)
    {
    }

    // The drop of lot `lot` on the row of code `row` ("" below the last row, the strip's code
    // for the strip) at `moment`, picked up from the row `originRow`. `later` says that the drop
    // moves the lot to a later time, which an end-fixed lot refuses: it then stays at its times
    // and is inserted on its origin row again. An end-fixed lot dropped below the last row is
    // refused with a message and nothing changes, as is a moment outside the chart's days. A
    // database failure rolls the action back and
    // is reported. Returns whether the action was committed.
    bool drop(qint64 lot, const QString &row, const QDateTime &moment, const QString &originRow, bool later) const;
    // Where that drop puts the lot before any lot is pulled or pushed: its start snapped to the
    // row's working time and grid, and its end. Nothing when it goes to the strip or is refused,
    // and when an end-fixed lot would start later (it stays where it is).
    std::optional<LotTimes> landing(qint64 lot, const QString &row, const QDateTime &moment, bool later) const;

private:
    LotTimes snapped(const PlanRecord &record, const QDateTime &moment, const QString &row) const;

    EditPath &m_path;
    const PlanInsertion &m_insertion;
    const ChartRows &m_rows;
    const WorkingTime &m_time;
    const RunContext &m_run;
    Database &m_db;
    Prompter &m_prompter;
};
