#include "calendar/WorkCalendar.h"

#include <algorithm>

void WorkCalendar::reset(const QDate &periodStart, const QDate &periodEnd, const QTime &dayStart,
                         int lastMachineRow)
{
    m_periodStart = periodStart;
    m_dayStart = dayStart.isValid() ? dayStart : QTime(0, 0);
    m_periodDays = int(std::max<qint64>(periodStart.daysTo(periodEnd) + 3, 0));
    m_lastMachineRow = std::max(lastMachineRow, 1);
    m_days.assign(size_t(m_lastMachineRow - 1) * size_t(m_periodDays + 1), CalendarDay());
}

const CalendarDay *WorkCalendar::day(int row, qint64 k) const
{
    if (row < 2 || row > m_lastMachineRow || k < 0 || k > m_periodDays)
        return nullptr;
    return &m_days[size_t(row - 2) * size_t(m_periodDays + 1) + size_t(k)];
}

CalendarDay *WorkCalendar::day(int row, qint64 k)
{
    return const_cast<CalendarDay *>(std::as_const(*this).day(row, k));
}
