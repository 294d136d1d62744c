#pragma once
// The plant database's value conventions, in one place: how numbers, dates and times are
// stored in the shared production database, how they are rounded, and how fixed-width list
// lines count their width.

#include <QDate>
#include <QString>
#include <QTime>

namespace plant {

// The largest whole number a plant column holds (its INTEGER columns are 32-bit); counts,
// codes, minutes and arrangement numbers read from the database stay within it.
constexpr qint64 ColumnWholeLimit = 2'147'483'647;

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// The three roundings saturate: NaN gives 0, values beyond the 64-bit range its ends. Values
// read from the database are checked with fitsColumn first, and refused when they do not fit.
qint64 roundHalfEven(double value);

// The integer part towards minus infinity (Int(-1.5) = -2).
qint64 intFloor(double value);

// Rounds up to a whole number (1.25 h * 60 = 75.0 -> 75, 0.01 h * 60 = 0.6 -> 1).
qint64 ceilWhole(double value);

// Whether a value is finite and within -limit..limit, so that any of the roundings above
// gives a whole number the column can hold (the limit itself is whole).
bool fitsColumn(double value, qint64 limit = ColumnWholeLimit);

// The leading number of a column's text: "12abc" -> 12, " 3.5" -> 3.5, "abc" -> 0, "" -> 0.
double leadingNumber(QStringView text);

// A stored "yyyymmdd" date read through the mask "0000/00/00"; "00000000", empty text and
// anything that is no date give a null QDate.
QDate dateFromDb(QStringView yyyymmdd);
// A stored hhmmss time of day read through the mask "00:00:00" (83000 -> 08:30:00); a number
// that does not form a valid time gives an invalid QTime.
QTime timeFromDb(qint64 hhmmss);

// The stored forms: "yyyymmdd" ("00000000" for no date) and hhmmss.
QString dateToDb(const QDate &date);
qint64 timeToDb(const QTime &time);

// The display forms "yyyy/mm/dd" and "hh:mm:ss"; a null date or time shows as empty text.
QString dateText(const QDate &date);
QString timeText(const QTime &time);
// The short list form "yy/mm/dd"; a null date shows as empty text.
QString shortDateText(const QDate &date);
// Reads "yyyy/mm/dd" (or "yyyy/m/d"); anything else gives a null QDate.
QDate dateFromText(QStringView text);

// Durations are minutes in memory and hours in the database: Int(minutes * 100 / 60) / 100.
double minutesToDbHours(qint64 minutes);

// "#,##0": 1234567 -> "1,234,567"; the whole 64-bit range prints.
QString thousands(qint64 value);

// "#,##0.0": 1234.56 -> "1,234.6" (halves away from zero, as the list formats round); NaN
// and infinities show as empty text.
QString thousandsTenths(double value);

// Width of a text in bytes of its Shift-JIS form: ASCII and half-width katakana count one,
// every other character two.
int sjisWidth(QStringView text);
int sjisWidth(QChar ch);

// A date-time without time zone: the naive local time the plant works in, kept in UTC so
// that no daylight-saving rule can move it.
QDateTime naiveDateTime(const QDate &date, const QTime &time);

} // namespace plant
