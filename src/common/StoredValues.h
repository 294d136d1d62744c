#pragma once
// Reading a lot's stored dates, times, quantity and confirmation flag as what they must be,
// not as the nearest thing: "20261208junk" is no date, 250000 or -1 no time of day, a null or
// "abc" no quantity, a null or "x" no confirmation flag. The load names a value that fails
// and keeps its lot off the chart, so that nothing read wrongly is ever saved back.
// (dateFromDb and timeFromDb in PlantValues read leniently, for columns that only inform.)

#include <QDate>
#include <QTime>
#include <QVariant>
#include <optional>

namespace stored {

// A "yyyymmdd" column: exactly eight digits forming a date (blanks around them allowed), or
// no date at all (null, empty, blanks or zeros), which reads as a null QDate. Nothing for
// anything else.
std::optional<QDate> date(QStringView text);

// An hhmmss time-of-day column: a whole number from 0 to 235959 whose minutes and seconds are
// below 60. A null or empty column is midnight, as the plant stores no time. Nothing for
// anything else (fractions, negatives, text).
std::optional<QTime> time(const QVariant &value);

// A quantity column: a finite number, held as a number or as text that is wholly a number.
// Nothing for a null, text and anything not finite.
std::optional<double> quantity(const QVariant &value);

// 手配確定区分: "1" tentative or "2" confirmed.
bool isConfirmFlag(QStringView text);

} // namespace stored
