#include "plan/PlanStore.h"

#include <algorithm>
#include <utility>

void PlanStore::reset()
{
    setSize(0);
    setSize(2);
    (*this)[1].BarIndex = 0;
    (*this)[1].MachineCode = QStringLiteral("        ");
}

PlanStore &PlanStore::operator=(const PlanStore &other)
{
    if (this != &other) {
        setSize(0);
        setSize(other.m_size);
        for (qint64 i = 0; i < m_size; ++i)
            (*this)[i] = other[i];
    }
    return *this;
}

PlanStore &PlanStore::operator=(PlanStore &&other) noexcept
{
    m_blocks = std::move(other.m_blocks);
    m_size = std::exchange(other.m_size, 0);
    other.m_blocks.clear();
    return *this;
}

void PlanStore::resize(qint64 last)
{
    setSize(std::max<qint64>(last, 1) + 1);
}

void PlanStore::setSize(qint64 size)
{
    // Records trimmed off in the last block kept are emptied, so that a record grown into
    // again starts empty; the blocks after it go back whole.
    const qint64 blocks = (size + BlockRecords - 1) / BlockRecords;
    for (qint64 i = size; i < std::min(m_size, blocks * BlockRecords); ++i)
        (*this)[i] = PlanRecord();
    m_blocks.resize(size_t(blocks));
    for (auto &block : m_blocks)
        if (!block)
            block = std::make_unique<PlanRecord[]>(size_t(BlockRecords));
    m_size = size;
}

qint64 PlanStore::append(PlanRecord &&record)
{
    if (m_size == qint64(m_blocks.size()) * BlockRecords)
        m_blocks.push_back(std::make_unique<PlanRecord[]>(size_t(BlockRecords)));
    (*this)[m_size++] = std::move(record);
    return lastIndex();
}

qint64 PlanStore::findByBar(qint64 bar) const
{
    // Bar indices are unique among the records, and a lot keeps the index it was loaded at,
    // so the record normally sits at its bar's index.
    if (bar >= 2 && bar <= lastIndex() && (*this)[bar].BarIndex == bar)
        return bar;
    for (qint64 i = 1; i <= lastIndex(); ++i)
        if ((*this)[i].BarIndex == bar)
            return i;
    return 0;
}
