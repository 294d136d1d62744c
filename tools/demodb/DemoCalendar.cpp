#include "DemoCalendar.h"

#include "common/PlantValues.h"

#include <algorithm>

namespace demo {

namespace {

int minuteOf(const QTime &t, bool endOfDay) { return endOfDay && t == QTime(0, 0) ? 1440 : t.msecsSinceStartOfDay() / 60000; }

// Shift time less the plant breaks, as minute pairs of the date.
QList<QPair<int, int>> spanMinutes(const TimePair &shift)
{
    QList<QPair<int, int>> spans;
    int from = minuteOf(shift.start, false);
    const int to = minuteOf(shift.end, true);
    for (const TimePair &b : plantBreaks()) {
        const int bs = minuteOf(b.start, false);
        const int be = minuteOf(b.end, true);
        if (be <= from || bs >= to)
            continue;
        if (bs > from)
            spans.append({from, bs});
        from = std::max(from, be);
    }
    if (from < to)
        spans.append({from, to});
    return spans;
}

// Every shift pair of the row, less the plant breaks, in time order.
QList<QPair<int, int>> spanMinutes(const CalendarRowShifts &row)
{
    QList<QPair<int, int>> spans;
    for (const TimePair &shift : row)
        spans += spanMinutes(shift);
    std::sort(spans.begin(), spans.end());
    return spans;
}

// The day's working time: every shift pair of every calendar row of the day. The patterns'
// pairs neither overlap nor run past the next day's start.
QList<QPair<int, int>> spanMinutes(ShiftPattern pattern)
{
    CalendarRowShifts pairs;
    for (const CalendarRowShifts &row : shiftRows(pattern))
        pairs += row;
    return spanMinutes(pairs);
}

int totalMinutes(const QList<QPair<int, int>> &spans)
{
    int minutes = 0;
    for (const auto &span : spans)
        minutes += span.second - span.first;
    return minutes;
}

QDateTime roundUpToGrid(const QDateTime &t)
{
    const qint64 grid = qint64(GridMinutes) * 60;
    const qint64 secs = t.toSecsSinceEpoch();
    const qint64 rest = secs % grid;
    return rest == 0 ? t : QDateTime::fromSecsSinceEpoch(secs + grid - rest, Qt::UTC);
}

} // namespace

const QList<TimePair> &plantBreaks()
{
    static const QList<TimePair> breaks = {{QTime(10, 0), QTime(10, 10)},
                                           {QTime(12, 0), QTime(12, 45)},
                                           {QTime(15, 0), QTime(15, 10)},
                                           {QTime(19, 0), QTime(19, 30)}};
    return breaks;
}

bool isPlantHoliday(const QDate &date)
{
    // New year, national holidays the plant observes, Golden Week, Obon and year end.
    static const QList<int> days = {101, 102, 103, 211, 223, 320, 429, 503, 504, 505,
                                    720, 813, 814, 815, 923, 1103, 1123, 1230, 1231};
    return days.contains(date.month() * 100 + date.day());
}

ShiftPattern shiftPatternOf(const Machine &machine, int machineIndex, const QDate &date)
{
    if (isPlantHoliday(date) || date.dayOfWeek() == Qt::Sunday)
        return ShiftPattern::Off;
    if (date.dayOfWeek() == Qt::Saturday)
        return machine.saturdays ? ShiftPattern::Day : ShiftPattern::Off;
    // Some machines stop on the first Monday of each month for maintenance.
    if (machineIndex % 7 == 3 && date.dayOfWeek() == Qt::Monday && date.day() <= 7)
        return ShiftPattern::Off;
    if (machine.twoShifts)
        return ShiftPattern::DayAndNight;
    if (machine.lunchSplit)
        return ShiftPattern::LunchSplit;
    return machine.dayInTwoRows && date.dayOfWeek() == Qt::Wednesday ? ShiftPattern::DayInTwoRows : ShiftPattern::Day;
}

QList<CalendarRowShifts> shiftRows(ShiftPattern pattern)
{
    const TimePair morning{DayStart, QTime(12, 0)};
    const TimePair afternoon{QTime(13, 0), QTime(17, 0)};
    switch (pattern) {
    case ShiftPattern::Day: return {{{DayStart, QTime(17, 0)}}};
    case ShiftPattern::DayInTwoRows: return {{morning}, {afternoon}};
    case ShiftPattern::LunchSplit: return {{morning, afternoon}};
    case ShiftPattern::DayAndNight: return {{{DayStart, QTime(0, 0)}}};
    case ShiftPattern::Off: break;
    }
    return {};
}

int workingMinutes(ShiftPattern pattern) { return totalMinutes(spanMinutes(pattern)); }

int shiftHours(const CalendarRowShifts &row) { return int(plant::roundHalfEven(totalMinutes(spanMinutes(row)) / 60.0)); }

QDate workingDateOf(const QDateTime &moment)
{
    return moment.time() < DayStart ? moment.date().addDays(-1) : moment.date();
}

WorkClock::WorkClock(const Machine &machine, int machineIndex, const QDate &first, const QDate &last)
    : m_aroundTheClock(false)
{
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        const QDateTime midnight = plant::naiveDateTime(d, QTime(0, 0));
        for (const auto &span : spanMinutes(shiftPatternOf(machine, machineIndex, d)))
            m_spans.append({midnight.addSecs(span.first * 60LL), midnight.addSecs(span.second * 60LL)});
    }
}

qsizetype WorkClock::firstSpanEndingAfter(const QDateTime &t) const
{
    const auto it = std::upper_bound(m_spans.cbegin(), m_spans.cend(), t,
                                     [](const QDateTime &v, const Span &s) { return v < s.end; });
    return it - m_spans.cbegin();
}

QDateTime WorkClock::placeStart(const QDateTime &t) const
{
    QDateTime at = roundUpToGrid(t);
    if (m_aroundTheClock)
        return at;
    for (qsizetype i = firstSpanEndingAfter(at); i < m_spans.size(); ++i) {
        if (at < m_spans[i].start)
            at = roundUpToGrid(m_spans[i].start);
        if (at < m_spans[i].end)
            return at;
    }
    return at; // past the calendar: clock time
}

QDateTime WorkClock::addWorkMinutes(const QDateTime &start, qint64 minutes) const
{
    if (m_aroundTheClock)
        return start.addSecs(minutes * 60);
    QDateTime at = start;
    qint64 left = minutes;
    for (qsizetype i = firstSpanEndingAfter(at); i < m_spans.size() && left > 0; ++i) {
        if (at < m_spans[i].start)
            at = m_spans[i].start;
        const qint64 available = at.secsTo(m_spans[i].end) / 60;
        if (available >= left)
            return at.addSecs(left * 60);
        left -= available;
        at = m_spans[i].end;
    }
    return at.addSecs(left * 60); // past the calendar: clock time
}

} // namespace demo
