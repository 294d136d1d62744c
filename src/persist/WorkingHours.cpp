#include "persist/WorkingHours.h"

#include "calendar/WorkCalendar.h"
#include "common/PlantValues.h"
#include "persist/DayRowWrites.h"
#include "plan/ChartRows.h"

namespace {

const QString TimeColumns[4] = {QStringLiteral("開始時刻１"), QStringLiteral("終了時刻１"), QStringLiteral("開始時刻２"),
                                 QStringLiteral("終了時刻２")};

// The stored row as the load read it: the machine, the date and every value read, and 連番
// where the table has it. A row someone changed since does not match.
QVariantMap rowAsRead(const QString &machineCode, const QString &date, const StoredDayRow &row)
{
    QVariantMap key{{QStringLiteral("機械コード"), machineCode},
                    {QStringLiteral("年月日"), date},
                    {QStringLiteral("勤務時間"), row.hours}};
    for (size_t i = 0; i < row.times.size(); ++i)
        key.insert(TimeColumns[i], row.times[i]);
    if (row.serial)
        key.insert(QStringLiteral("連番"), *row.serial);
    return key;
}

// Thrown out of a day's writes when one of its rows is no longer as the load read it.
struct DayRowChanged
{
};

// Writes one changed day into the rows it was loaded from (see dayRowWrites), each row found
// by what the load read of it; returns the rows as they stand afterwards. Throws DayRowChanged
// when a row is not found once (changed or deleted elsewhere, or a second row just like it).
StoredDay writeDay(SaveSession &session, const QString &machineCode, const QString &date, const CalendarDay &day,
                   const StoredDay &stored, bool wholeHours)
{
    const std::vector<DayRowWrite> writes = dayRowWrites(day, stored, wholeHours);
    for (const DayRowWrite &write : writes) {
        QVariantMap values{{QStringLiteral("勤務時間"), write.hours}};
        if (write.writesShifts)
            for (size_t i = 0; i < write.shifts.size(); ++i)
                values.insert(TimeColumns[i], plant::timeToDb(write.shifts[i]));
        if (session.update(QStringLiteral("DB0491"), rowAsRead(machineCode, date, stored[write.row]), values) != 1)
            throw DayRowChanged{};
    }
    return storedAfter(stored, writes, day.shiftTimes);
}

} // namespace

WrittenHours writeChangedWorkingHours(SaveSession &session, const WorkCalendar &calendar, const ChartRows &rows)
{
    WrittenHours written;
    for (int row = 2; row <= calendar.lastMachineRow() && row <= rows.count(); ++row) {
        const QString machineCode = rows.row(row).code;
        for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
            const CalendarDay *day = calendar.day(row, k);
            if (!day || !day->changed)
                continue;
            const QString date = plant::dateToDb(calendar.dateOf(k));
            StoredDay after;
            bool changedElsewhere = false;
            QString failure;
            // Each day in a savepoint of its own: a day whose rows changed elsewhere is left
            // as it is in the table, and the planner's change stays to be saved.
            const bool saved = session.retried([&] {
                try {
                    after = writeDay(session, machineCode, date, *day, calendar.storedRows(row, k),
                                     calendar.wholeHours());
                } catch (const DayRowChanged &) {
                    changedElsewhere = true;
                    throw DbError(QString());
                } catch (const DbError &error) {
                    failure = error.text;
                    throw;
                }
            });
            if (changedElsewhere) {
                session.report(QStringLiteral("%1 の %2 の稼働時間は読み込んだ後にほかで変更されたため、保存しませんでした。")
                                   .arg(machineCode.trimmed(), plant::dateText(calendar.dateOf(k))));
                written.changedElsewhere.push_back({row, k, {}});
                continue;
            }
            if (!saved)
                throw DbError(failure);
            written.days.push_back({row, k, std::move(after)});
        }
    }
    return written;
}
