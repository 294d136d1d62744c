#include "editing/SuccessorQueue.h"

#include "editing/LotRules.h"

#include <limits>

SuccessorQueue::SuccessorQueue(const Edit &edit, const QString &rowKey, qint64 movedLot)
    : m_edit(edit), m_rowKey(rowKey), m_moved(movedLot), m_from(lots::startKey(edit.record(movedLot)))
{
}

bool SuccessorQueue::goesAfterAtSameStart(const PlanRecord &a, const PlanRecord &b)
{
    if (a.WorkMinutes != 0 && b.WorkMinutes != 0 && a.WorkMinutes != b.WorkMinutes)
        return a.WorkMinutes > b.WorkMinutes;
    return a.Quantity > b.Quantity;
}

void bubbleSameStarts(std::vector<qint64> &lots, const PlanStore &store)
{
    for (size_t from = 0; from < lots.size();) {
        const qint64 start = lots::startKey(store[lots[from]]);
        size_t to = from + 1;
        while (to < lots.size() && lots::startKey(store[lots[to]]) == start)
            ++to;
        // Bubble sort: adjacent swaps only, so lots that tie keep their order. Every swap
        // turns one pair into order for good, so the passes end.
        for (bool swapped = to - from > 1; swapped;) {
            swapped = false;
            for (size_t j = from; j + 1 < to; ++j) {
                if (SuccessorQueue::goesAfterAtSameStart(store[lots[j]], store[lots[j + 1]])) {
                    std::swap(lots[j], lots[j + 1]);
                    swapped = true;
                }
            }
        }
        from = to;
    }
}

qint64 SuccessorQueue::next()
{
    if (m_position >= m_group.size())
        loadNextGroup();
    return m_position < m_group.size() ? m_group[m_position++] : 0;
}

void SuccessorQueue::loadNextGroup()
{
    m_group.clear();
    m_position = 0;
    // The row is looked up afresh: pushing may have moved lots to other rows.
    const RowIndex::RowLots *row = m_edit.index().row(m_rowKey);
    if (!row)
        return;
    auto it = row->byStart.lower_bound({m_from, std::numeric_limits<qint64>::min()});
    for (; it != row->byStart.end(); ++it) {
        if (!waiting(it->index))
            continue;
        if (!m_group.empty() && it->at != lots::startKey(m_edit.record(m_group.front())))
            break;
        m_group.push_back(it->index);
    }
    if (m_group.empty())
        return;
    m_from = lots::startKey(m_edit.record(m_group.front())) + 1;
    bubbleSameStarts(m_group, m_edit.store());
}

bool SuccessorQueue::fixedLaterStartsBefore(qint64 instant) const
{
    const RowIndex::RowLots *row = m_edit.index().row(m_rowKey);
    if (!row)
        return false;
    // Fixed lots are never pushed, so every fixed obstacle of the row at or after the moved
    // lot's start, other than the moved lot, is still waiting.
    const qint64 movedStart = lots::startKey(m_edit.record(m_moved));
    for (auto it = row->fixedByStart.lower_bound({movedStart, std::numeric_limits<qint64>::min()});
         it != row->fixedByStart.end(); ++it) {
        if (it->index == m_moved)
            continue;
        return it->at < instant;
    }
    return false;
}
