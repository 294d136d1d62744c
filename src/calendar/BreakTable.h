#pragma once
// The plant's break periods (break master DB0496): up to ten pairs of times of day, packed
// from the first pair in the order they were accepted. An end of 00:00:00 is midnight at the
// end of the date; a start of 00:00:00 is midnight at its beginning.

#include <QTime>
#include <array>

struct BreakPair
{
    QTime start{0, 0};
    QTime end{0, 0};
};

class BreakTable
{
public:
    static constexpr int Capacity = 10;

    void clear() { m_count = 0; m_pairs = {}; }

    // Offers a pair read from the master. It is stored in the next free pair when it is a
    // real break (start before end, or one of them midnight but not both) that does not
    // overlap a break already stored; returns whether it was stored.
    bool offer(const QTime &start, const QTime &end);

    int size() const { return m_count; }
    const BreakPair &pair(int index) const { return m_pairs[size_t(index)]; } // 0 .. size()-1
    // Slots 1..20 as the master numbers them (odd = start, even = end); 00:00:00 when empty.
    QTime slot(int number) const;

private:
    std::array<BreakPair, Capacity> m_pairs{};
    int m_count = 0;
};
