#pragma once
// The array of lots that the chart, the grid, the dialogs and saving all work on.
// Index 0 is never used, index 1 is a placeholder, loaded lots occupy 2 and up, and bar i
// belongs to record i.

#include "plan/PlanRecord.h"

#include <vector>

class PlanStore
{
public:
    PlanStore() { reset(); }

    // Back to indices 0 and 1, record 1 the placeholder (no bar, machine of eight blanks).
    void reset();
    // The upper bound of the store; lots are 2..lastIndex().
    qint64 lastIndex() const { return qint64(m_records.size()) - 1; }
    // Grows or trims the store so that its last index is `last`; existing records keep
    // their contents.
    void resize(qint64 last);
    void reserve(qint64 last) { m_records.reserve(size_t(last + 1)); }
    // Adds a record after the last index and returns its index.
    qint64 append(PlanRecord &&record);
    // Trims the store to `last` and gives back the memory held for records beyond it.
    void trimTo(qint64 last);

    PlanRecord &operator[](qint64 index) { return m_records[size_t(index)]; }
    const PlanRecord &operator[](qint64 index) const { return m_records[size_t(index)]; }

    // The first index from 1 whose BarIndex equals bar; 0 when there is none.
    qint64 findByBar(qint64 bar) const;

private:
    std::vector<PlanRecord> m_records;
};
