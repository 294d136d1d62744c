#pragma once
// The demo plant's working time: the break master, the plant holidays, each machine's shift
// pattern, and the clock the generator places lots with, so that the planner's existing plan
// runs in working time as a real one would.

#include "DemoMasters.h"

#include <QDateTime>
#include <QList>
#include <QTime>

namespace demo {

constexpr int GridMinutes = 10;
inline const QTime DayStart{8, 0};

struct TimePair
{
    QTime start;
    QTime end; // 00:00:00 = midnight at the end of the day
};

// Morning, lunch, afternoon and evening breaks of the whole plant.
const QList<TimePair> &plantBreaks();

bool isPlantHoliday(const QDate &date);

// What a machine does on a date: nothing, a day shift 08:00-17:00, a day written as a morning
// and an afternoon row (08:00-12:00, 13:00-17:00), a day with a lunch split held in one row as
// two shift pairs (08:00-12:00 and 13:00-17:00), or day and night shifts 08:00-24:00.
enum class ShiftPattern { Off, Day, DayInTwoRows, LunchSplit, DayAndNight };
ShiftPattern shiftPatternOf(const Machine &machine, int machineIndex, const QDate &date);
// One calendar row: its first shift pair and, where it has one, its second.
using CalendarRowShifts = QList<TimePair>;
// The machine's calendar rows of a date with that pattern.
QList<CalendarRowShifts> shiftRows(ShiftPattern pattern);
// Whole working hours of one calendar row (its shift time less breaks).
int shiftHours(const CalendarRowShifts &row);
// Working minutes of a day with that pattern (shift time less breaks).
int workingMinutes(ShiftPattern pattern);
// The working day a moment belongs to: before the day start it is still the day before.
QDate workingDateOf(const QDateTime &moment);

// Working spans of one resource over the calendar's dates. A resource without a calendar
// (a subcontractor) works around the clock.
class WorkClock
{
public:
    WorkClock() = default; // around the clock
    WorkClock(const Machine &machine, int machineIndex, const QDate &first, const QDate &last);

    // The first moment at or after t that lies in working time and on the time grid.
    QDateTime placeStart(const QDateTime &t) const;
    // The moment reached after `minutes` working minutes from `start`.
    QDateTime addWorkMinutes(const QDateTime &start, qint64 minutes) const;

private:
    struct Span
    {
        QDateTime start;
        QDateTime end;
    };
    bool m_aroundTheClock = true;
    QList<Span> m_spans; // in time order over the whole calendar

    qsizetype firstSpanEndingAfter(const QDateTime &t) const;
};

} // namespace demo
