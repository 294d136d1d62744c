#include "persist/WorkingHours.h"

#include "app/Statements.h"
#include "common/PlantValues.h"
#include "gantt/ChartRows.h"
#include "gantt/WorkCalendar.h"

namespace {

// Writes one day into its first row (lowest 連番); a day without a row is left alone.
void writeDay(SaveSession &session, const QString &machineCode, const QString &date, const CalendarDay &day)
{
    QSqlQuery rows = session.query(sql::MachineDayHours, {machineCode, date});
    bool found = false;
    qint64 first = 0;
    while (rows.next()) {
        const qint64 serial = RowReader(rows).integer(QStringLiteral("連番"));
        if (!found || serial < first)
            first = serial;
        found = true;
    }
    rows.finish();
    if (!found)
        return;
    const ShiftTimes &shifts = day.shiftTimes;
    session.update(QStringLiteral("DB0491"),
                   {{QStringLiteral("機械コード"), machineCode},
                    {QStringLiteral("年月日"), date},
                    {QStringLiteral("連番"), first}},
                   {{QStringLiteral("勤務時間"), day.workHours},
                    {QStringLiteral("開始時刻１"), plant::timeToDb(shifts[0])},
                    {QStringLiteral("終了時刻１"), plant::timeToDb(shifts[1])},
                    {QStringLiteral("開始時刻２"), plant::timeToDb(shifts[2])},
                    {QStringLiteral("終了時刻２"), plant::timeToDb(shifts[3])}});
}

} // namespace

std::vector<SavedDay> writeChangedWorkingHours(SaveSession &session, const WorkCalendar &calendar, const ChartRows &rows)
{
    std::vector<SavedDay> written;
    for (int row = 2; row <= calendar.lastMachineRow() && row <= rows.count(); ++row) {
        const QString machineCode = rows.row(row).code;
        for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
            const CalendarDay *day = calendar.day(row, k);
            if (!day || !day->changed)
                continue;
            writeDay(session, machineCode, plant::dateToDb(calendar.dateOf(k)), *day);
            written.push_back({row, k});
        }
    }
    return written;
}
