#include "persist/WorkingHours.h"

#include "calendar/WorkCalendar.h"
#include "common/PlantValues.h"
#include "persist/DayRowWrites.h"
#include "plan/ChartRows.h"

namespace {

// Writes one changed day into the rows it was loaded from (see dayRowWrites); a day without
// a stored row is left alone.
void writeDay(SaveSession &session, const QString &machineCode, const QString &date, const CalendarDay &day,
              const StoredDay &stored)
{
    for (const DayRowWrite &write : dayRowWrites(day, stored)) {
        const QVariantMap key{{QStringLiteral("機械コード"), machineCode},
                              {QStringLiteral("年月日"), date},
                              {QStringLiteral("連番"), write.serial}};
        QVariantMap values{{QStringLiteral("勤務時間"), write.hours}};
        if (write.writesShifts) {
            values.insert(QStringLiteral("開始時刻１"), plant::timeToDb(write.shifts[0]));
            values.insert(QStringLiteral("終了時刻１"), plant::timeToDb(write.shifts[1]));
            values.insert(QStringLiteral("開始時刻２"), plant::timeToDb(write.shifts[2]));
            values.insert(QStringLiteral("終了時刻２"), plant::timeToDb(write.shifts[3]));
        }
        session.update(QStringLiteral("DB0491"), key, values);
    }
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
            writeDay(session, machineCode, plant::dateToDb(calendar.dateOf(k)), *day, calendar.storedRows(row, k));
            written.push_back({row, k});
        }
    }
    return written;
}
