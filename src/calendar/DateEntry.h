#pragma once
// Dates as planners type them into date boxes: "5", "1225", "240101", "6/1", "24.1.5",
// full-width digits, ... turned into "yyyy/mm/dd". Missing parts come from today's date;
// two-digit years are read in the window from today's year - 49 to today's year + 50.

#include <QDate>
#include <QString>

// The full date text "yyyy/mm/dd" of an entry; today's date when the entry gives no valid date.
QString ParseDateEntry(const QString &text, const QDate &today);
// The same, but empty when the entry gives no valid date ("2024/02/30", "20241345"): for the
// boxes that refuse such an entry rather than take today.
QString ReadDateEntry(const QString &text, const QDate &today);
// A date typed into a box that refuses what is no date: empty for an entry holding a letter or
// no digit at all ("abc" is no date, though the date-entry rules would give today), otherwise
// ReadDateEntry's.
QString ReadBoxDate(const QString &text, const QDate &today);
