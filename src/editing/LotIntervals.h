#pragma once
// The times of the lots of one row or one mold, ordered by start, so that the lots
// overlapping a time are found by looking only near it: a lot starting earlier than a time
// by more than the longest lot cannot reach it.

#include <QtGlobal>

#include <set>
#include <tuple>

class LotIntervals
{
public:
    void add(qint64 index, qint64 start, qint64 end);
    void remove(qint64 index, qint64 start, qint64 end);
    bool empty() const { return m_byStart.empty(); }

    // Calls visit(index, start, end) for every lot whose [start, end) overlaps [start, end).
    template<class Visit>
    void forEachOverlapping(qint64 start, qint64 end, Visit &&visit) const
    {
        const qint64 longest = m_lengths.empty() ? 0 : std::max<qint64>(0, *m_lengths.rbegin());
        for (auto it = m_byStart.lower_bound({start - longest, 0, 0}); it != m_byStart.end(); ++it) {
            const auto [otherStart, index, otherEnd] = *it;
            if (otherStart >= end)
                break;
            if (otherEnd > start && end > otherStart)
                visit(index, otherStart, otherEnd);
        }
    }

private:
    std::set<std::tuple<qint64, qint64, qint64>> m_byStart; // start, store index, end
    std::multiset<qint64> m_lengths;                        // end minus start of each
};
