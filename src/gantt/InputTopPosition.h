#pragma once
// Builds the chart rows: row 1 for lots without machine, one row per machine of the process
// class with its working calendar, then one row per subcontractor of the class.

#include "calendar/BreakTable.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

class Database;
class Prompter;

// A machine (機械コード, 機械名) or a subcontractor (仕入先コード, 仕入先名略名) as listed.
struct RowSource
{
    QString code;
    QString name;
};

// The period the calendars cover and the working day's start.
struct ChartPeriod
{
    QDate start;
    QDate end;
    QTime dayStart;
};

enum class RowsBuild {
    Built,
    EndProgram, // the break master is empty: its warning was shown and the program must end
};

// Loads the break table, then creates row 1 (code of eight blanks, no caption) and a row per
// machine in list order with the caption "code name", and reads each machine's working
// hours into the calendar. Throws DbError when a statement fails.
RowsBuild InputTopPosition(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks,
                           const QList<RowSource> &machines, const ChartPeriod &period, Database &db,
                           Prompter &prompter);

// Appends a row per subcontractor in list order, its caption the code, the short name and a
// parenthesised part on lines of their own; fills up to ten rows and sets every row's lower
// boundary.
void InputTopPosition2(ChartRows &rows, const QList<RowSource> &subcontractors);

// The label caption of a subcontractor row: "S01", "ABC(第二)" gives "S01\nABC\n(第二)".
QString subcontractorCaption(const QString &code, const QString &shortName);
