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

// The stretch of the working day one shift pair makes working time. A pair that starts
// before DayStartTime on the date and ends after it starts at the day's start (the earlier part
// belongs to the previous working day); one that runs past the next day's start ends there.
Stretch pairStretch(const QTime &start, const QTime &end, const QTime &dayStart)
{
    const int from = workday::startOffset(start, dayStart);
    const int to = workday::endOffset(end, dayStart);
    if (to > from)
        return {from, to};
    if (start < dayStart)
        return {0, to};
    return {from, workday::SecondsPerDay};
}

// The stretches of the working day that the shift pairs make working time, in time order;
// overlapping pairs count once. Pairs that adjoin (a shift to midnight and one from midnight)
// stay two stretches, one after the other, which the arithmetic walks as one.
std::vector<Stretch> shiftStretches(const ShiftTimes &shifts, const QTime &dayStart)
{
    std::vector<Stretch> pairs;
    for (size_t slot = 0; slot + 1 < shifts.size(); slot += 2)
        if (!isUnused(shifts[slot], shifts[slot + 1]))
            pairs.push_back(pairStretch(shifts[slot], shifts[slot + 1], dayStart));
    std::sort(pairs.begin(), pairs.end(), [](const Stretch &a, const Stretch &b) { return a.from < b.from; });

    std::vector<Stretch> stretches;
    for (const Stretch &pair : pairs) {
        if (!stretches.empty() && pair.from < stretches.back().to)
            stretches.back().to = std::max(stretches.back().to, pair.to);
        else
            stretches.push_back(pair);
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

namespace {

// Appends the stretch [from, to) of the working day as a span. A span of the whole day would
// read as an unused pair (its start equals its end), so it is held as two halves.
void appendSpan(DaySpans &spans, int from, int to, const QTime &dayStart)
{
    if (from == 0 && to == workday::SecondsPerDay) {
        const int half = workday::SecondsPerDay / 2;
        appendSpan(spans, 0, half, dayStart);
        appendSpan(spans, half, to, dayStart);
        return;
    }
    spans.append(workday::timeAtOffset(from, dayStart), workday::timeAtOffset(to, dayStart));
}

} // namespace

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
                appendSpan(spans, position, pause.from, dayStart);
            position = std::max(position, pause.to);
        }
        if (position < work.to)
            appendSpan(spans, position, work.to, dayStart);
    }
    return spans;
}

qint64 ShiftMinutes(const ShiftTimes &shifts, const QTime &dayStart)
{
    qint64 seconds = 0;
    for (const Stretch &work : shiftStretches(shifts, dayStart))
        seconds += work.to - work.from;
    return seconds / 60;
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
