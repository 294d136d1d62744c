#include "persist/WorkingHours.h"

#include "db/Statements.h"
#include "common/PlantValues.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <algorithm>

namespace {

// Writes one day into its first row (lowest 連番); a day without a row is left alone.
// Loading adds up the hours of all the day's rows, so the first row takes the day's hours
// less what the day's other rows hold, and a reload gives back exactly the hours the planner
// set. When the other rows hold as much as the new total or more, the first row takes the
// whole total and the other rows' hours are cleared.
void writeDay(SaveSession &session, const QString &machineCode, const QString &date, const CalendarDay &day)
{
    QSqlQuery rows = session.query(sql::MachineDayHours, {machineCode, date});
    struct StoredRow
    {
        qint64 serial;
        double hours;
    };
    std::vector<StoredRow> stored;
    while (rows.next()) {
        const RowReader reader(rows);
        stored.push_back({reader.integer(QStringLiteral("連番")), reader.number(QStringLiteral("勤務時間"))});
    }
    rows.finish();
    if (stored.empty())
        return;
    const auto first = std::min_element(stored.begin(), stored.end(),
                                        [](const StoredRow &a, const StoredRow &b) { return a.serial < b.serial; });
    double otherHours = 0;
    for (const StoredRow &r : stored)
        if (r.serial != first->serial)
            otherHours += r.hours;
    const double remainder = day.workHours - otherHours;
    const bool clearOthers = remainder <= 0 && otherHours != 0;
    const auto key = [&](qint64 serial) {
        return QVariantMap{{QStringLiteral("機械コード"), machineCode},
                           {QStringLiteral("年月日"), date},
                           {QStringLiteral("連番"), serial}};
    };
    const ShiftTimes &shifts = day.shiftTimes;
    session.update(QStringLiteral("DB0491"), key(first->serial),
                   {{QStringLiteral("勤務時間"), clearOthers ? double(day.workHours) : remainder},
                    {QStringLiteral("開始時刻１"), plant::timeToDb(shifts[0])},
                    {QStringLiteral("終了時刻１"), plant::timeToDb(shifts[1])},
                    {QStringLiteral("開始時刻２"), plant::timeToDb(shifts[2])},
                    {QStringLiteral("終了時刻２"), plant::timeToDb(shifts[3])}});
    if (clearOthers)
        for (const StoredRow &r : stored)
            if (r.serial != first->serial && r.hours != 0)
                session.update(QStringLiteral("DB0491"), key(r.serial), {{QStringLiteral("勤務時間"), 0}});
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
