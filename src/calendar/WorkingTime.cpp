#include "calendar/WorkingTime.h"

#include "plan/PlanRecord.h"
#include "calendar/WorkingDay.h"
#include "common/PlantValues.h"

#include <algorithm>

namespace {

qint64 clampMinutes(qint64 minutes)
{
    return std::clamp<qint64>(minutes, 0, WorkingTime::MaxMinutes);
}

// The code of a lot's machine counts when it has more than one character.
bool namesMachine(const QString &code)
{
    return code.trimmed().size() > 1;
}

} // namespace

const DaySpans *WorkingTime::spansOf(const QDateTime &moment, int row) const
{
    if (!m_rows.isMachineRow(row))
        return nullptr;
    const CalendarDay *day = m_calendar.day(row, workday::dayIndex(moment, m_calendar.periodStart(),
                                                                  m_calendar.dayStart()));
    return day ? &day->hourly : nullptr;
}

RemainingWork WorkingTime::RemainingWorkMinutes(const QDateTime &moment, int row) const
{
    const QTime &dayStart = m_calendar.dayStart();
    RemainingWork result;
    result.nextDayStart = workday::nextDayStart(moment, dayStart);
    if (workday::dayIndex(moment, m_calendar.periodStart(), dayStart) < 0)
        return result;

    const DaySpans *spans = spansOf(moment, row);
    if (!spans) {
        result.minutes = std::min(MinutesWithoutCalendar, moment.secsTo(result.nextDayStart) / 60);
        return result;
    }
    const int position = int(workday::dayStartOf(moment, dayStart).secsTo(moment));
    for (int i = 0; i < spans->size(); ++i) {
        const int from = std::max(position, workday::startOffset(spans->start(i), dayStart));
        const int to = workday::endOffset(spans->end(i), dayStart);
        if (to > from)
            result.minutes += (to - from) / 60;
    }
    return result;
}

QDateTime WorkingTime::AdvanceWithinDay(const QDateTime &moment, int row, qint64 minutes) const
{
    const QTime &dayStart = m_calendar.dayStart();
    if (workday::dayIndex(moment, m_calendar.periodStart(), dayStart) < 0)
        return moment;
    const qint64 needed = clampMinutes(minutes);
    const DaySpans *spans = spansOf(moment, row);
    if (!spans)
        return moment.addSecs(needed * 60);

    const QDateTime dayBegin = workday::dayStartOf(moment, dayStart);
    qint64 position = dayBegin.secsTo(moment);
    qint64 stillNeeded = needed;
    for (int i = 0; i < spans->size(); ++i) {
        const int to = workday::endOffset(spans->end(i), dayStart);
        if (to <= position)
            continue;
        position = std::max<qint64>(position, workday::startOffset(spans->start(i), dayStart));
        const qint64 available = (to - position) / 60;
        if (available >= stillNeeded)
            return dayBegin.addSecs(position + stillNeeded * 60);
        stillNeeded -= available;
        position = to;
    }
    return dayBegin.addDays(1);
}

QDateTime WorkingTime::addMinutesWithoutCalendar(const QDateTime &moment, qint64 minutes) const
{
    const QTime &dayStart = m_calendar.dayStart();
    const QDateTime next = workday::nextDayStart(moment, dayStart);
    const qint64 today = std::min(MinutesWithoutCalendar, moment.secsTo(next) / 60);
    if (minutes <= today)
        return moment.addSecs(minutes * 60);
    const qint64 left = minutes - today;
    const qint64 fullDays = (left - 1) / MinutesWithoutCalendar;
    return next.addDays(fullDays).addSecs((left - fullDays * MinutesWithoutCalendar) * 60);
}

QDateTime WorkingTime::AddWorkMinutes(const QDateTime &start, qint64 minutes, const PlanRecord &record,
                                      const QString &machineCode) const
{
    const qint64 total = clampMinutes(minutes);
    if (!start.isValid())
        return start;
    if (!namesMachine(record.MachineCode) && !namesMachine(machineCode))
        return start.addSecs(total * 60);

    const QString &code = machineCode.trimmed().isEmpty() ? record.MachineCode : machineCode;
    const int row = m_rows.rowOfCode(code);
    const QDate &periodStart = m_calendar.periodStart();
    const QTime &dayStart = m_calendar.dayStart();

    // Each pass ends a working day of the calendar or the whole count, and days before the
    // calendar are crossed at once, so the loop runs at most periodDays + 2 times.
    QDateTime at = start;
    qint64 left = total;
    do {
        const qint64 k = workday::dayIndex(at, periodStart, dayStart);
        if (k >= 0 && !spansOf(at, row))
            return addMinutesWithoutCalendar(at, left);
        const RemainingWork today = RemainingWorkMinutes(at, row);
        if (today.minutes == 0) {
            // Days before the calendar have no working time: a count still to be worked goes
            // on from the calendar's first day.
            at = (k < 0 && left > 0) ? plant::naiveDateTime(m_calendar.dateOf(0), dayStart)
                                     : today.nextDayStart;
        } else if (today.minutes < left) {
            left -= today.minutes;
            at = today.nextDayStart;
        } else {
            at = AdvanceWithinDay(at, row, left);
            left = 0;
        }
    } while (left > 0);
    return at;
}

QDateTime WorkingTime::AddWorkMinutesDefault(const QDateTime &start, qint64 minutes,
                                             const PlanRecord &record) const
{
    return AddWorkMinutes(start, minutes == 0 ? DefaultLotMinutes : minutes, record, QString());
}
