#include "editing/MachineLoad.h"

#include "calendar/WorkingDay.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 SecondsPerDay = workday::SecondsPerDay;

qint64 floorDiv(qint64 a, qint64 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

} // namespace

std::optional<size_t> MachineLoad::cell(int row, qint64 day) const
{
    if (!m_rows.isMachineRow(row) || row > m_calendar.lastMachineRow() || day < 0 || day > m_calendar.periodDays())
        return std::nullopt;
    const size_t at = size_t(row - 2) * size_t(m_calendar.periodDays() + 1) + size_t(day);
    if (at >= m_planned.size())
        return std::nullopt;
    return at;
}

qint64 MachineLoad::dayStartKey(qint64 day) const { return m_firstDayKey + day * SecondsPerDay; }

qint64 MachineLoad::workingSeconds(int row, qint64 day) const
{
    const CalendarDay *calendarDay = m_calendar.day(row, day);
    if (!calendarDay)
        return 0;
    qint64 seconds = 0;
    const DaySpans &spans = calendarDay->hourly;
    for (int i = 0; i < spans.size(); ++i)
        seconds += workday::endOffset(spans.end(i), m_calendar.dayStart())
                   - workday::startOffset(spans.start(i), m_calendar.dayStart());
    return std::max<qint64>(0, seconds);
}

void MachineLoad::rebuild(const PlanStore &store, const PlanConflicts &conflicts)
{
    m_firstDayKey = lots::instantKey(m_calendar.dateOf(0), m_calendar.dayStart());
    const int machineRows = std::max(0, std::min(m_rows.lastMachineRow(), m_calendar.lastMachineRow()) - 1);
    const size_t cells = size_t(machineRows) * size_t(m_calendar.periodDays() + 1);
    m_planned.assign(cells, 0);
    m_working.assign(cells, 0);
    m_shares.assign(size_t(std::max<qint64>(store.lastIndex() + 1, 0)), {});
    for (int row = 2; row < 2 + machineRows; ++row)
        for (qint64 day = 0; day <= m_calendar.periodDays(); ++day)
            m_working[*cell(row, day)] = workingSeconds(row, day);
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        putShares(store, i, conflicts.rowOf(i));
}

void MachineLoad::updateLots(const PlanStore &store, const PlanConflicts &conflicts, const QList<qint64> &indices)
{
    for (const qint64 i : indices) {
        takeShares(i);
        if (i >= 2 && i <= store.lastIndex())
            putShares(store, i, conflicts.rowOf(i));
    }
}

void MachineLoad::updateDays(const PlanStore &store, const PlanConflicts &conflicts, const QList<CalendarDayRef> &days)
{
    for (const CalendarDayRef &ref : days) {
        const auto at = cell(ref.row, ref.day);
        if (!at)
            continue;
        m_working[*at] = workingSeconds(ref.row, ref.day);
        const LotIntervals *onRow = conflicts.lotsOnRow(ref.row);
        if (!onRow)
            continue;
        std::vector<qint64> meeting;
        onRow->forEachOverlapping(dayStartKey(ref.day), dayStartKey(ref.day + 1),
                                  [&](qint64 lot, qint64, qint64) { meeting.push_back(lot); });
        for (const qint64 lot : meeting) {
            takeShares(lot);
            putShares(store, lot, ref.row);
        }
    }
}

void MachineLoad::takeShares(qint64 lot)
{
    if (lot < 0 || lot >= qint64(m_shares.size()))
        return;
    for (const DayShare &share : m_shares[size_t(lot)])
        m_planned[*cell(share.row, share.day)] -= share.seconds;
    m_shares[size_t(lot)].clear();
}

void MachineLoad::putShares(const PlanStore &store, qint64 lot, int row)
{
    if (!cell(row, 0))
        return;
    const qint64 start = lots::startKey(store[lot]);
    const qint64 end = lots::endKey(store[lot]);
    if (end <= start)
        return;
    const qint64 firstDay = std::max<qint64>(0, floorDiv(start - m_firstDayKey, SecondsPerDay));
    const qint64 lastDay = std::min<qint64>(m_calendar.periodDays(), floorDiv(end - 1 - m_firstDayKey, SecondsPerDay));
    std::vector<DayShare> shares;
    for (qint64 day = firstDay; day <= lastDay; ++day) {
        const CalendarDay *calendarDay = m_calendar.day(row, day);
        if (!calendarDay)
            continue;
        const DaySpans &spans = calendarDay->hourly;
        qint64 seconds = 0;
        for (int i = 0; i < spans.size(); ++i) {
            const qint64 spanStart = dayStartKey(day) + workday::startOffset(spans.start(i), m_calendar.dayStart());
            const qint64 spanEnd = dayStartKey(day) + workday::endOffset(spans.end(i), m_calendar.dayStart());
            seconds += std::max<qint64>(0, std::min(end, spanEnd) - std::max(start, spanStart));
        }
        if (seconds > 0) {
            shares.push_back({row, day, seconds});
            m_planned[*cell(row, day)] += seconds;
        }
    }
    if (shares.empty())
        return;
    if (lot >= qint64(m_shares.size()))
        m_shares.resize(size_t(lot + 1));
    m_shares[size_t(lot)] = std::move(shares);
}

qint64 MachineLoad::plannedMinutes(int row, qint64 day) const
{
    const auto at = cell(row, day);
    return at ? m_planned[*at] / 60 : 0;
}

qint64 MachineLoad::workingMinutes(int row, qint64 day) const
{
    const auto at = cell(row, day);
    return at ? m_working[*at] / 60 : 0;
}

int MachineLoad::percent(int row, qint64 day) const
{
    const qint64 planned = plannedMinutes(row, day);
    const qint64 working = workingMinutes(row, day);
    if (working <= 0)
        return planned > 0 ? 999 : -1;
    return int(std::lround(100.0 * double(planned) / double(working)));
}
