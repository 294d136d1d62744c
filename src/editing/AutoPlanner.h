#pragma once
// The automatic planner: places the lots waiting on the strip and the tentative lots of the
// class on the presses that can run them, by due date, keeping lots of one mold together.
//
// What it guarantees for every lot it places: a start on the time grid inside the press's
// working time, no earlier than the period's first working moment; the end by the same
// working-time arithmetic as a drop; no overlap with another lot of the press; no other lot
// of its mold at the same time; after the end of its earlier process and before the start of
// its later process when those stay on the chart; the whole lot inside the period. A lot
// that has no press or fits nowhere is left out, with the reason.
//
// What it aims for, in this order: fewest lots ending after their due date, least lateness,
// fewest mold changes on each press, no start more than the stock limit's working days
// before the due date, fewest lots taken off the machine they were stored on, and never more
// mold changes than a plain due-date dispatch. Three ways of placing are improved by moving
// late lots earlier in the order of placement (see Improvement in the .cpp). The same plant and
// options give the same plan unless the time budget stops it.

#include "calendar/WorkingTime.h"
#include "plan/ChartRows.h"
#include "plan/MachineCycles.h"
#include "plan/PlanStore.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

struct AutoPlanOptions
{
    bool replanTentative = true; // 仮計画も組み直す: tentative lots on presses are placed again
    QDate dueUpTo;               // only lots due up to this date; all when null
    QSet<QString> machines;      // only these presses (trimmed codes); all when empty
    int stockDays = 10;          // no start more than this many working days before the due date
    int budgetSeconds = 10;      // the improvement stops after this long with the best plan found
    bool plainDispatch = false;  // for comparison: each lot by due date onto the press where it
                                 // ends first, without the planner's rules or its improvement
};

// Told how far the planner is (done of total); answers false to stop it, which keeps the best
// plan found so far. Called on the planner's own thread, often enough for a progress window.
using AutoPlanProgress = std::function<bool(int done, int total)>;

// Where a lot goes: its press, its times, and its minutes there (re-timed by the press's
// cycle on another press, its own minutes on the press it was on).
struct PlannedLot
{
    qint64 lot = 0;
    QString machine; // the row's code
    QDateTime start;
    QDateTime end;
    qint64 workMinutes = 0;
    bool retimed = false;
    double cycle = 0;           // the press's cycle when re-timed
    double secondsPerPiece = 0; // cycle per cavity when re-timed
};

struct LeftLot
{
    qint64 lot = 0;
    QString reason;
};

struct AutoPlan
{
    std::vector<PlannedLot> planned; // in the order they were placed
    std::vector<LeftLot> left;       // lots the planner would have placed and could not
    bool stopped = false;            // stopped by the planner or the time budget before the end
};

namespace autoplan {
extern const QString NoPress;       // no press of the class can run the lot
extern const QString NoChosenPress; // none of the chosen presses can
extern const QString NoRoom;        // no press has room for it within the period
} // namespace autoplan

struct AutoPlanInput
{
    const PlanStore &store;
    const ChartRows &rows;
    const WorkingTime &time;
    const WorkCalendar &calendar;
    const MachineCycles &cycles;
    int gridUnitMinutes = 1;
    QDate periodStart;
    QDate periodEnd;
};

// Whether the planner may move the lot: it waits on the strip, or it is a tentative lot on a
// press (when `options` say so) that is neither fixed nor started, has no actuals and does
// not start before `periodFirst`; within the options' due date and presses.
bool mayBePlanned(const PlanRecord &lot, const ChartRows &rows, const AutoPlanOptions &options,
                  const QDateTime &periodFirst);

AutoPlan planAutomatically(const AutoPlanInput &input, const AutoPlanOptions &options,
                           const AutoPlanProgress &progress = {});
