#pragma once
// The plant's working day: it runs from DayStartTime on its date to DayStartTime on the next
// date, so a moment earlier than DayStartTime belongs to the previous working day. Times of
// day in a day's shifts, breaks and spans are read within that working day: a time at or
// after DayStartTime is on the working date, an earlier one is the morning after.

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace workday {

constexpr int SecondsPerDay = 24 * 60 * 60;

// Seconds from the working day's start to a time of day that starts something: 0 .. 86399.
int startOffset(const QTime &time, const QTime &dayStart);
// Seconds from the working day's start to a time of day that ends something: 1 .. 86400, so
// that 00:00:00 is midnight at the end of the date and DayStartTime is the day's very end.
int endOffset(const QTime &time, const QTime &dayStart);
// The time of day reached this many seconds after the working day's start.
QTime timeAtOffset(int seconds, const QTime &dayStart);

// The working date of a moment.
QDate workingDate(const QDateTime &moment, const QTime &dayStart);
// DayStartTime on the moment's working date, and on the date after it.
QDateTime dayStartOf(const QDateTime &moment, const QTime &dayStart);
QDateTime nextDayStart(const QDateTime &moment, const QTime &dayStart);

// The calendar's day index of a moment: day 0 is the working day two days before the period
// start. Negative before the calendar.
qint64 dayIndex(const QDateTime &moment, const QDate &periodStart, const QTime &dayStart);

} // namespace workday

// The working date of a date and time: the date before when DayStartTime is later than the time.
QDate FunGetEigyoDate(const QDate &date, const QTime &time, const QTime &dayStart);
