#pragma once
// The array of lots that the chart, the grid, the dialogs and saving all work on.
// Index 0 is never used, index 1 is a placeholder, loaded lots occupy 2 and up, and bar i
// belongs to record i.

#include "plan/PlanRecord.h"

#include <memory>
#include <vector>

class PlanStore
{
public:
    PlanStore() { reset(); }
    PlanStore(const PlanStore &other) { *this = other; }
    PlanStore(PlanStore &&other) noexcept { *this = std::move(other); }
    PlanStore &operator=(const PlanStore &other);
    PlanStore &operator=(PlanStore &&other) noexcept;

    // Back to indices 0 and 1, record 1 the placeholder (no bar, machine of eight blanks).
    void reset();
    // The upper bound of the store; lots are 2..lastIndex().
    qint64 lastIndex() const { return m_size - 1; }
    // Grows or trims the store so that its last index is `last`; existing records keep
    // their contents, new ones are empty, and the memory of records trimmed off goes back.
    void resize(qint64 last);
    // Adds a record after the last index and returns its index.
    qint64 append(PlanRecord &&record);

    PlanRecord &operator[](qint64 index) { return m_blocks[size_t(index / BlockRecords)][index % BlockRecords]; }
    const PlanRecord &operator[](qint64 index) const
    {
        return m_blocks[size_t(index / BlockRecords)][index % BlockRecords];
    }

    // The first index from 1 whose BarIndex equals bar; 0 when there is none.
    qint64 findByBar(qint64 bar) const;

private:
    // The records live in blocks of this many that never move: a store that grows to a
    // hundred thousand lots copies none of the lots it already holds, and asks for memory
    // once a block rather than once a lot.
    static constexpr qint64 BlockRecords = 64;

    void setSize(qint64 size);

    std::vector<std::unique_ptr<PlanRecord[]>> m_blocks;
    qint64 m_size = 0; // records in use; those after them in the last block are empty
};
