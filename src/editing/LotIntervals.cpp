#include "editing/LotIntervals.h"

void LotIntervals::add(qint64 index, qint64 start, qint64 end)
{
    if (m_byStart.insert({start, index, end}).second)
        m_lengths.insert(end - start);
}

void LotIntervals::remove(qint64 index, qint64 start, qint64 end)
{
    if (m_byStart.erase({start, index, end}) == 0)
        return;
    m_lengths.erase(m_lengths.find(end - start));
}
