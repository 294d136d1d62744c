#pragma once
// The machine operating-time change behind LinePlanWindow "機械別稼働時間変更": the machine row
// and working day that a right press on an empty spot of the chart opens, the texts of the
// eight shift boxes PlanTime(0) .. PlanTime(7) and of PlanSum, the Enter rule of the shift
// boxes, and "変更", which stores the day's shift times and hours in one planner action and
// rebuilds the day's working spans. The plan session moves the machine's lots on that day, and
// the lots that follow them, in the same action (see followChangedDay).

#include "calendar/WorkCalendar.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

class BreakTable;
class ChartRows;
class Edit;
class Prompter;

namespace lineplan {
extern const QString Caption;      // the window's caption
extern const QString BadEnteredTime; // Enter in a shift box that holds no time
extern const QString BadTime;      // "変更" with a shift box that holds no time
extern const QString BadSum;       // "変更" with a PlanSum that is no number of hours
extern const QString NotStored;    // the day has no stored row: the change is not saved
extern const QString PairsNotStored; // some shift pairs are beyond what the day's rows hold
extern const QString DayOffKeepsShifts; // 0 hours with shift times: a day off, the times are kept
extern const QString HoursWithoutShift; // hours without any shift: no working time, the hours are kept
// "変更" with more hours than the shift pairs give: names the shift times and their length.
QString hoursBeyondShifts(const ShiftTimes &shifts, qint64 shiftMinutes);
} // namespace lineplan

constexpr int PlanTimeBoxes = 8;
// The focus target after PlanTime(7): PlanSum.
constexpr int PlanSumBox = PlanTimeBoxes;

// The window's MachineNo (machine row) and DateNum (day index of the calendar).
struct LinePlanDay
{
    int MachineNo = 0;
    qint64 DateNum = 0;
    bool operator==(const LinePlanDay &) const = default;
};

// The day a right press opens. `row` is the row under the press (0 above the first row) and
// `at` the moment under it; the working day is the moment's date, or the day before when the
// moment is earlier than the day start. Nothing for a row that is not a machine row (the
// unassigned row, a subcontractor row, a padding row) or whose code is a single character,
// and nothing for a day the calendar does not hold.
std::optional<LinePlanDay> linePlanDayAt(const ChartRows &rows, const WorkCalendar &calendar, int row,
                                         const QDateTime &at);
// The working day `date` of machine row `row` (day index date - period start + 2); nothing for
// a row that is not a machine row or whose code is a single character, and for a day the
// calendar does not hold.
std::optional<LinePlanDay> linePlanDayOn(const ChartRows &rows, const WorkCalendar &calendar, int row,
                                         const QDate &date);

// What the boxes show for a day: a shift slot as "hh:mm:ss" wherever it or the other slot of a
// neighbouring pair of slots is not 00:00:00, the rest empty; PlanSum the day's hours.
struct LinePlanTexts
{
    std::array<QString, PlanTimeBoxes> shiftTimes; // the shift boxes (PlanTime)
    QString hours;                                 // the day's hours (PlanSum)
};
LinePlanTexts linePlanTexts(const CalendarDay &day);

// Enter in PlanTime(box): a time is rewritten as "hh:mm:ss" and the focus moves on (to the
// next box after boxes 0 to 2, to PlanSum after the others), as it does from an empty box;
// any other text gets a message and the focus stays.
struct TimeBoxEnter
{
    QString text;  // the box's text afterwards
    int focus = 0; // the box that gets the focus: 0 .. 7, or PlanSumBox
};
TimeBoxEnter enterTimeBox(int box, const QString &text, Prompter &prompter);

// The day's hours a PlanSum text gives: a number from 0 to 24, rounded to a whole number
// (halves to even); nothing for any other text.
std::optional<int> plannedHours(const QString &text);

// "変更": checks the boxes (a shift box that holds no time, a PlanSum that is no number of
// hours from 0 to 24, or changed values whose hours are more than the shift pairs give, gets
// a message and keeps the window open with the focus on it, nothing changed), then
// stores the day's shift slots and its hours (rounded to a whole number, halves to even) and
// rebuilds its spans, as one planner action when any value really changed; with no change the
// day and its changed mark stay as they were. A day of 0 hours is a day off whatever shift
// times it keeps, and a day without a shift has no working time whatever its hours: the
// planner is told what is kept. After a change that saving cannot store in full (a day without
// a stored row, or shift pairs beyond what its rows hold) the planner is told.
struct LinePlanChange
{
    bool closes = false; // the values were taken (or nothing changed): the window closes
    int focus = 0;       // otherwise the box to go back to
    bool changed = false; // the day was changed (one undo step)
};

// The boxes read and checked against the day: `outcome.changed` when the day takes new values.
struct LinePlanEntry
{
    LinePlanChange outcome;
    ShiftTimes shifts{};
    int hours = 0;
};
LinePlanEntry readLinePlan(const WorkCalendar &calendar, const LinePlanDay &day, const LinePlanTexts &texts,
                           Prompter &prompter);
// The day takes the entry's shift times and hours, its spans rebuilt from the calendar's
// `dayStart` (none on a day of 0 hours), in the open action `edit`.
void storeLinePlan(Edit &edit, const LinePlanDay &day, const LinePlanEntry &entry, const BreakTable &breaks,
                   const QTime &dayStart);
// After the change: the planner hears what a day of 0 hours with shift times, or hours without
// any shift, keeps, and when saving cannot store the day in full.
void tellWhatTheDayKeeps(const WorkCalendar &calendar, const LinePlanDay &day, const LinePlanEntry &entry,
                         Prompter &prompter);
