#pragma once
// The later lots of a row in the order the push-back takes them: the obstacles of the row
// that start at or after the moved lot, by start, and among lots with the same start the
// smaller non-zero work minutes first, else the smaller quantity first (a bubble sort, so
// equal keys keep their store order). The queue reads the row's index a group of equal
// starts at a time, so a push-back that stops early never looks at the rest of the row, and
// lots it has already pushed to later starts are not met again.

#include "editing/EditPath.h"

#include <unordered_set>
#include <vector>

// Puts the lots of each run of equal starts in push-back order. `lots` must already be in
// start order.
void bubbleSameStarts(std::vector<qint64> &lots, const PlanStore &store);

class SuccessorQueue
{
public:
    SuccessorQueue(const Edit &edit, const QString &rowKey, qint64 movedLot);

    // The next lot in push-back order; 0 when there is none.
    qint64 next();
    // The lot has been pushed; it is not met again.
    void markTaken(qint64 lot) { m_taken.insert(lot); }
    // Whether a fixed lot still waiting in the queue starts before `instant` (an instant key).
    bool fixedLaterStartsBefore(qint64 instant) const;

    // Whether `a` goes after `b` among lots with the same start.
    static bool goesAfterAtSameStart(const PlanRecord &a, const PlanRecord &b);

private:
    bool waiting(qint64 lot) const { return lot != m_moved && !m_taken.count(lot); }
    void loadNextGroup();

    const Edit &m_edit;
    QString m_rowKey;
    qint64 m_moved;
    qint64 m_from;                // the next group starts at or after this instant
    std::vector<qint64> m_group;  // the current group, sorted
    size_t m_position = 0;
    std::unordered_set<qint64> m_taken;
};
