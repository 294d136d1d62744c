#include "gantt/MachineCalendar.h"

#include "db/Rows.h"
#include "plan/Prompter.h"
#include "db/Statements.h"
#include "calendar/BreakTable.h"
#include "common/PlantValues.h"

namespace {

// Puts one shift pair into the next free pair of slots; returns the day's pair it went into
// (0 .. 3), or -1 when it did not go in.
int addShift(CalendarDay &day, int &slot, const QTime &start, const QTime &end)
{
    if (start == end || slot >= 8)
        return -1;
    day.shiftTimes[size_t(slot)] = start;
    day.shiftTimes[size_t(slot + 1)] = end;
    slot += 2;
    return slot / 2 - 1;
}

} // namespace

std::vector<CalendarRow> readCalendarRows(Database &db, const QString &machineCode, WorkCalendar &calendar)
{
    Rows query = select(db, sql::MachineCalendar,
                           {machineCode, plant::dateToDb(calendar.dateOf(0)),
                            plant::dateToDb(calendar.dateOf(calendar.periodDays()))});
    // Column positions are looked up once for the whole result.
    const RowReader &reader = query.row();
    const int dateColumn = reader.column(QStringLiteral("年月日"));
    const int serialColumn = reader.column(QStringLiteral("連番"));
    const int hoursColumn = reader.column(QStringLiteral("勤務時間"));
    const int timeColumns[4] = {reader.column(QStringLiteral("開始時刻１")), reader.column(QStringLiteral("終了時刻１")),
                                reader.column(QStringLiteral("開始時刻２")), reader.column(QStringLiteral("終了時刻２"))};
    calendar.setWholeHours(reader.wholeNumbersAt(hoursColumn));

    std::vector<CalendarRow> rows;
    while (query.next()) {
        CalendarRow row;
        row.dateText = reader.textAt(dateColumn);
        row.date = plant::dateFromDb(row.dateText);
        if (serialColumn >= 0)
            row.serial = plant::roundHalfEven(reader.numberAt(serialColumn));
        row.hours = reader.numberAt(hoursColumn);
        for (size_t i = 0; i < row.storedTimes.size(); ++i)
            row.storedTimes[i] = plant::roundHalfEven(reader.numberAt(timeColumns[i]));
        row.start1 = plant::timeFromDb(row.storedTimes[0]);
        row.end1 = plant::timeFromDb(row.storedTimes[1]);
        row.start2 = plant::timeFromDb(row.storedTimes[2]);
        row.end2 = plant::timeFromDb(row.storedTimes[3]);
        rows.push_back(row);
    }
    return rows;
}

void applyCalendarRows(WorkCalendar &calendar, int row, const QString &machineCode,
                       const std::vector<CalendarRow> &rows, const BreakTable &breaks, Prompter &prompter)
{
    for (int k = 0; k <= calendar.periodDays(); ++k)
        *calendar.day(row, k) = CalendarDay();

    std::vector<int> nextSlot(size_t(calendar.periodDays() + 1), 0);
    std::vector<StoredDay> stored(size_t(calendar.periodDays() + 1));
    for (const CalendarRow &entry : rows) {
        const qint64 k = calendar.dateOf(0).daysTo(entry.date);
        CalendarDay *day = entry.date.isValid() ? calendar.day(row, k) : nullptr;
        if (!day)
            continue;
        StoredDayRow &source = stored[size_t(k)].emplace_back(StoredDayRow{entry.serial, entry.hours, entry.storedTimes});
        if (entry.hours == 0)
            continue;
        day->workHours = int(plant::roundHalfEven(day->workHours + entry.hours));

        if (!entry.start1.isValid() || !entry.end1.isValid() || !entry.start2.isValid() || !entry.end2.isValid()) {
            prompter.inform(machineCode + QStringLiteral("の稼働時間に時刻として読めない値があります。日付:")
                                + entry.dateText,
                            QString(), PromptIcon::Information);
        } else {
            int &slot = nextSlot[size_t(k)];
            source.suppliedPairs[0] = addShift(*day, slot, entry.start1, entry.end1);
            if (source.suppliedPairs[0] == 0 && entry.start1 > QTime(10, 0))
                prompter.inform(machineCode + QStringLiteral("の計画で10時以降に開始時間が設定されています。日付:")
                                    + entry.dateText,
                                QString(), PromptIcon::Information);
            source.suppliedPairs[1] = addShift(*day, slot, entry.start2, entry.end2);
        }
        day->rebuildSpans(breaks, calendar.dayStart());
    }
    for (int k = 0; k <= calendar.periodDays(); ++k)
        calendar.setStoredRows(row, k, std::move(stored[size_t(k)]));
}
