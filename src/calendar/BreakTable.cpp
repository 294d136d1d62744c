#include "calendar/BreakTable.h"

namespace {

// Seconds of a break's ends within its date; an end of 00:00:00 is the date's midnight.
int startSeconds(const BreakPair &pair) { return pair.start.msecsSinceStartOfDay() / 1000; }
int endSeconds(const BreakPair &pair)
{
    const int seconds = pair.end.msecsSinceStartOfDay() / 1000;
    return seconds == 0 ? 24 * 60 * 60 : seconds;
}

} // namespace

bool BreakTable::offer(const QTime &start, const QTime &end)
{
    if (m_count == Capacity || !start.isValid() || !end.isValid())
        return false;
    const BreakPair candidate{start, end};
    const int s = startSeconds(candidate);
    const int e = endSeconds(candidate);
    if (start == end || s >= e)
        return false; // 00:00-00:00 (empty), or an end before the start
    for (int i = 0; i < m_count; ++i) {
        // Any common stretch of time counts as an overlap, including a break that lies wholly
        // inside the new one; breaks that only touch are kept.
        if (s < endSeconds(m_pairs[size_t(i)]) && startSeconds(m_pairs[size_t(i)]) < e)
            return false;
    }
    m_pairs[size_t(m_count++)] = candidate;
    return true;
}

QTime BreakTable::slot(int number) const
{
    const int index = (number - 1) / 2;
    if (number < 1 || index >= m_count)
        return QTime(0, 0);
    const BreakPair &p = m_pairs[size_t(index)];
    return number % 2 == 1 ? p.start : p.end;
}
