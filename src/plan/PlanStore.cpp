#include "plan/PlanStore.h"

void PlanStore::reset()
{
    m_records.assign(2, PlanRecord());
    m_records[1].BarIndex = 0;
    m_records[1].MachineCode = QStringLiteral("        ");
}

void PlanStore::resize(qint64 last)
{
    m_records.resize(size_t(std::max<qint64>(last, 1) + 1));
}

qint64 PlanStore::append(PlanRecord &&record)
{
    m_records.push_back(std::move(record));
    return lastIndex();
}

void PlanStore::trimTo(qint64 last)
{
    resize(last);
    m_records.shrink_to_fit();
}

qint64 PlanStore::findByBar(qint64 bar) const
{
    // Bar indices are unique among the records, and a lot keeps the index it was loaded at,
    // so the record normally sits at its bar's index.
    if (bar >= 2 && bar <= lastIndex() && m_records[size_t(bar)].BarIndex == bar)
        return bar;
    for (qint64 i = 1; i <= lastIndex(); ++i)
        if (m_records[size_t(i)].BarIndex == bar)
            return i;
    return 0;
}
