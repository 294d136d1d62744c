#include "calendar/WorkCalendar.h"

#include <algorithm>

void CalendarDay::rebuildSpans(const BreakTable &breaks, const QTime &dayStart)
{
    hourly = workHours == 0 ? DaySpans() : BuildDaySpans(shiftTimes, breaks, dayStart);
}

void WorkCalendar::reset(const QDate &periodStart, const QDate &periodEnd, const QTime &dayStart,
                         int lastMachineRow)
{
    m_periodStart = periodStart;
    m_dayStart = dayStart.isValid() ? dayStart : QTime(0, 0);
    m_periodDays = int(std::max<qint64>(periodStart.daysTo(periodEnd) + 3, 0));
    m_lastMachineRow = std::max(lastMachineRow, 1);
    const size_t days = size_t(m_lastMachineRow - 1) * size_t(m_periodDays + 1);
    m_days.assign(days, CalendarDay());
    m_stored.assign(days, StoredDay());
}

std::optional<size_t> WorkCalendar::position(int row, qint64 k) const
{
    if (row < 2 || row > m_lastMachineRow || k < 0 || k > m_periodDays)
        return std::nullopt;
    return size_t(row - 2) * size_t(m_periodDays + 1) + size_t(k);
}

const CalendarDay *WorkCalendar::day(int row, qint64 k) const
{
    const std::optional<size_t> at = position(row, k);
    return at ? &m_days[*at] : nullptr;
}

CalendarDay *WorkCalendar::day(int row, qint64 k)
{
    return const_cast<CalendarDay *>(std::as_const(*this).day(row, k));
}

const StoredDay &WorkCalendar::storedRows(int row, qint64 k) const
{
    static const StoredDay none;
    const std::optional<size_t> at = position(row, k);
    return at ? m_stored[*at] : none;
}

void WorkCalendar::setStoredRows(int row, qint64 k, StoredDay stored)
{
    if (const std::optional<size_t> at = position(row, k))
        m_stored[*at] = std::move(stored);
}
