#include "calendar/DaySpans.h"

#include "calendar/WorkingDay.h"

#include <algorithm>
#include <vector>

namespace {

// A stretch of the working day in seconds from its start, [from, to).
struct Stretch
{
    int from;
    int to;
};

bool isUnused(const QTime &start, const QTime &end)
{
    return start == end;
}

// The stretches of the working day that the shift times make working time.
std::vector<Stretch> shiftStretches(const ShiftTimes &shifts, const QTime &dayStart)
{
    std::vector<Stretch> stretches;
    const QTime &firstStart = shifts[0];
    const QTime &firstEnd = shifts[1];
    if (isUnused(firstStart, firstEnd))
        return stretches;

    const int from = workday::startOffset(firstStart, dayStart);
    const int to = workday::endOffset(firstEnd, dayStart);
    if (to > from)
        stretches.push_back({from, to});
    else if (firstStart < dayStart)
        stretches.push_back({0, to});
    else
        stretches.push_back({from, workday::SecondsPerDay});

    const bool runsToMidnight = firstEnd == QTime(0, 0);
    if (runsToMidnight && !isUnused(shifts[2], shifts[3])) {
        const int secondFrom = workday::startOffset(shifts[2], dayStart);
        const int secondTo = workday::endOffset(shifts[3], dayStart);
        if (secondFrom >= stretches.back().to && secondTo > secondFrom)
            stretches.push_back({secondFrom, secondTo});
    }
    return stretches;
}

// The breaks placed in the working day, in time order. A break across DayStartTime falls in
// two parts: the day's first moments and its last.
std::vector<Stretch> breakStretches(const BreakTable &breaks, const QTime &dayStart)
{
    std::vector<Stretch> stretches;
    for (int i = 0; i < breaks.size(); ++i) {
        const BreakPair &pair = breaks.pair(i);
        const int from = workday::startOffset(pair.start, dayStart);
        const int to = workday::endOffset(pair.end, dayStart);
        if (to > from) {
            stretches.push_back({from, to});
        } else {
            stretches.push_back({from, workday::SecondsPerDay});
            stretches.push_back({0, to});
        }
    }
    std::sort(stretches.begin(), stretches.end(),
              [](const Stretch &a, const Stretch &b) { return a.from < b.from; });
    return stretches;
}

} // namespace

DaySpans::DaySpans()
{
    m_values.fill(QTime(0, 0));
}

QTime DaySpans::slot(int number) const
{
    if (number < 1 || number > 2 * Capacity)
        return QTime(0, 0);
    return m_values[size_t(number - 1)];
}

int DaySpans::size() const
{
    int count = 0;
    while (count < Capacity && !isUnused(start(count), end(count)))
        ++count;
    return count;
}

void DaySpans::append(const QTime &start, const QTime &end)
{
    const int count = size();
    if (count == Capacity)
        return;
    m_values[size_t(2 * count)] = start;
    m_values[size_t(2 * count + 1)] = end;
}

DaySpans BuildDaySpans(const ShiftTimes &shifts, const BreakTable &breaks, const QTime &dayStart)
{
    DaySpans spans;
    const std::vector<Stretch> pauses = breakStretches(breaks, dayStart);
    for (const Stretch &work : shiftStretches(shifts, dayStart)) {
        int position = work.from;
        for (const Stretch &pause : pauses) {
            if (pause.to <= position)
                continue;
            if (pause.from >= work.to)
                break;
            if (pause.from > position)
                spans.append(workday::timeAtOffset(position, dayStart),
                             workday::timeAtOffset(pause.from, dayStart));
            position = std::max(position, pause.to);
        }
        if (position < work.to)
            spans.append(workday::timeAtOffset(position, dayStart),
                         workday::timeAtOffset(work.to, dayStart));
    }
    return spans;
}

qint64 SpanMinutes(const QTime &start, const QTime &end)
{
    if (isUnused(start, end))
        return 0;
    const int from = start.msecsSinceStartOfDay() / 1000;
    const int endSeconds = end.msecsSinceStartOfDay() / 1000;
    int to = endSeconds == 0 ? workday::SecondsPerDay : endSeconds;
    if (to < from)
        to += workday::SecondsPerDay; // a night span that runs past midnight
    return (to - from) / 60;
}
