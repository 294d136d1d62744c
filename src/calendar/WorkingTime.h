#pragma once
// Working-time arithmetic over the chart rows' calendars: how many working minutes are left in
// a moment's working day, where a number of working minutes ends, and the end of a lot.
// Machine rows work in their day's spans; the unassigned row, subcontractor rows and days
// after the calendar have no spans and work up to 960 minutes per working day in clock time;
// days before the calendar have no working time.

#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <QDateTime>

struct PlanRecord;

struct RemainingWork
{
    qint64 minutes = 0;       // working minutes from the moment to the end of its working day
    QDateTime nextDayStart;   // DayStartTime of the following working day
};

class WorkingTime
{
public:
    // Minutes of a working day on a row without calendar.
    static constexpr qint64 MinutesWithoutCalendar = 960;
    // Minutes planned for a lot whose working time is 0.
    static constexpr qint64 DefaultLotMinutes = 480;
    // No lot runs for a century; larger counts (junk quantities or cycles) are treated as a
    // century so that every end stays a date.
    static constexpr qint64 MaxMinutes = 100LL * 365 * 24 * 60;

    WorkingTime(const ChartRows &rows, const WorkCalendar &calendar) : m_rows(rows), m_calendar(calendar) {}

    RemainingWork RemainingWorkMinutes(const QDateTime &moment, int row) const;
    // The moment reached after that many working minutes inside the moment's working day; the
    // next day's start when the day's spans run out first.
    QDateTime AdvanceWithinDay(const QDateTime &moment, int row, qint64 minutes) const;
    // The end of `minutes` working minutes from `start` on the row of `machineCode`, or of the
    // record's machine when `machineCode` is blank. A lot without machine on either side
    // (blank or a one-character code) runs in clock time. Negative minutes count as 0.
    QDateTime AddWorkMinutes(const QDateTime &start, qint64 minutes, const PlanRecord &record,
                             const QString &machineCode) const;
    // AddWorkMinutes on the record's own machine, with 480 minutes when minutes is 0.
    QDateTime AddWorkMinutesDefault(const QDateTime &start, qint64 minutes, const PlanRecord &record) const;

private:
    // The spans of the moment's working day; nullptr when the row has no calendar that day.
    const DaySpans *spansOf(const QDateTime &moment, int row) const;
    // Clock time on days without calendar, from `moment` on, 960 minutes a working day.
    QDateTime addMinutesWithoutCalendar(const QDateTime &moment, qint64 minutes) const;

    const ChartRows &m_rows;
    const WorkCalendar &m_calendar;
};
