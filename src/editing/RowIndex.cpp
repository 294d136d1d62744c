#include "editing/RowIndex.h"

#include "editing/LotRules.h"

RowIndex::Footprint RowIndex::footprint(const PlanRecord &lot)
{
    Footprint print;
    if (lots::isObstacle(lot)) {
        print.row = lots::rowKey(lot);
        if (!lot.MachineCode.isEmpty())
            print.machine = lot.MachineCode;
    }
    print.start = lots::startKey(lot);
    print.end = lots::endKey(lot);
    print.fixed = lots::isFixed(lot);
    return print;
}

void RowIndex::clear()
{
    m_rows.clear();
    m_machineEnds.clear();
}

void RowIndex::add(qint64 index, const Footprint &print)
{
    if (!print.row.isEmpty()) {
        RowLots &lotsOfRow = m_rows[print.row];
        lotsOfRow.byStart.insert({print.start, index});
        if (print.fixed)
            lotsOfRow.fixedByStart.insert({print.start, index});
        lotsOfRow.lengths.insert(print.end - print.start);
    }
    if (!print.machine.isEmpty())
        m_machineEnds[print.machine].insert({print.end, index});
}

void RowIndex::remove(qint64 index, const Footprint &print)
{
    if (!print.row.isEmpty()) {
        auto found = m_rows.find(print.row);
        Q_ASSERT(found != m_rows.end());
        RowLots &lotsOfRow = found.value();
        lotsOfRow.byStart.erase({print.start, index});
        lotsOfRow.fixedByStart.erase({print.start, index});
        lotsOfRow.lengths.erase(lotsOfRow.lengths.find(print.end - print.start));
        if (lotsOfRow.byStart.empty())
            m_rows.erase(found);
    }
    if (!print.machine.isEmpty()) {
        auto found = m_machineEnds.find(print.machine);
        Q_ASSERT(found != m_machineEnds.end());
        found.value().erase({print.end, index});
        if (found.value().empty())
            m_machineEnds.erase(found);
    }
}

const RowIndex::RowLots *RowIndex::row(const QString &key) const
{
    auto found = m_rows.constFind(key);
    return found == m_rows.constEnd() ? nullptr : &found.value();
}

qint64 RowIndex::latestOnMachine(const QString &machineCode) const
{
    auto found = m_machineEnds.constFind(machineCode);
    if (found == m_machineEnds.constEnd())
        return 0;
    return found.value().rbegin()->index;
}
