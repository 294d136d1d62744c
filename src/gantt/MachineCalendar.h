#pragma once
// A machine's working-hour rows (DB0491) applied to its days of the WorkCalendar.

#include "calendar/WorkCalendar.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <array>
#include <optional>
#include <vector>

class BreakTable;
class Database;
class Prompter;

// One DB0491 row of a machine.
struct CalendarRow
{
    QString dateText;   // 年月日 as stored, "yyyymmdd"
    std::optional<qint64> serial; // 連番 where the table has it
    QDate date;         // the same read as a date; null when it is none
    double hours = 0;   // 勤務時間
    QTime start1, end1; // 開始時刻１, 終了時刻１; invalid when the stored number is no time
    QTime start2, end2; // 開始時刻２, 終了時刻２
    std::array<qint64, 4> storedTimes{}; // the four times as stored (hhmmss), to find the row again
};

// The machine's rows over the calendar's days (day 0 .. periodDays), in date and first-start
// order. Marks the calendar when 勤務時間 holds whole hours only. Throws DbError when the
// statement fails.
std::vector<CalendarRow> readCalendarRows(Database &db, const QString &machineCode, WorkCalendar &calendar);

// Clears the machine row's days and applies the rows whose date is a calendar day and whose
// hours are not 0: the hours are added up, the shift pairs with a start different from their
// end fill the day's shift slots in order (at most four pairs), and the day's spans are
// rebuilt after each row. Each day remembers its rows and what each of them supplied
// (StoredDay), for saving. A first shift starting after 10:00 is reported (and kept); a row
// with a stored time that is no time of day is reported and its shifts are left out.
void applyCalendarRows(WorkCalendar &calendar, int row, const QString &machineCode,
                       const std::vector<CalendarRow> &rows, const BreakTable &breaks, Prompter &prompter);
