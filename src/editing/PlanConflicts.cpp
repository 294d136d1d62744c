#include "editing/PlanConflicts.h"

#include "editing/LotRules.h"
#include "editing/MoldOverlap.h"

#include <algorithm>
#include <cmath>

QString conflictKindText(PlanConflict::Kind kind)
{
    return kind == PlanConflict::Kind::Row ? QStringLiteral("機械重複") : QStringLiteral("金型重複");
}

void PlanConflicts::rebuild(const PlanStore &store)
{
    m_rowOfCodes.clear();
    m_prints.assign(size_t(std::max<qint64>(store.lastIndex() + 1, 0)), Print{});
    m_shownCount.assign(m_prints.size(), 0);
    m_rowLots.clear();
    m_moldLots.clear();
    m_rowPartners.clear();
    m_moldPartners.clear();
    m_rowPairs = m_shownMoldPairs = m_saveCount = 0;
    QList<qint64> touched;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        put(store, i, touched);
}

QList<qint64> PlanConflicts::update(const PlanStore &store, const QList<qint64> &indices)
{
    QList<qint64> touched;
    for (const qint64 i : indices) {
        if (i < 2)
            continue;
        touched.push_back(i);
        take(i, touched);
        if (i <= store.lastIndex())
            put(store, i, touched);
    }
    if (qint64(m_prints.size()) > store.lastIndex() + 1) {
        m_prints.resize(size_t(std::max<qint64>(store.lastIndex() + 1, 0)));
        m_shownCount.resize(m_prints.size());
    }
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    return touched;
}

int PlanConflicts::chartRow(const PlanRecord &lot)
{
    const auto codes = std::make_pair(lot.MachineCode, lot.SupplierCode);
    auto found = m_rowOfCodes.constFind(codes);
    if (found == m_rowOfCodes.cend()) {
        const double top = m_rows.RowLookup(lot.MachineCode, lot.SupplierCode);
        const int row = top <= ChartRows::FirstTop ? 0 : int(std::lround((top - ChartRows::FirstTop) / ChartRows::RowHeight)) + 1;
        found = m_rowOfCodes.insert(codes, row);
    }
    return *found;
}

PlanConflicts::Print PlanConflicts::printOf(const PlanRecord &lot)
{
    Print print;
    print.start = lots::startKey(lot);
    print.end = lots::endKey(lot);
    const int row = lot.Active > 0 ? chartRow(lot) : 0;
    print.row = lot.DetailMark == 0 ? row : 0;
    print.waits = lot.Active > 0 && row == 0;
    if (molds::needsMold(lot))
        print.mold = lot.MoldNo;
    print.onMachine = molds::holdsMoldOnMachine(lot);
    print.changed = lot.MembersWritten != 0;
    return print;
}

qint64 PlanConflicts::saveShare(const Print &a, const Print &b)
{
    return (a.changed && b.onMachine ? 1 : 0) + (b.changed && a.onMachine ? 1 : 0);
}

void PlanConflicts::take(qint64 index, QList<qint64> &touched)
{
    if (index >= qint64(m_prints.size()))
        return;
    const Print &print = m_prints[size_t(index)];
    if (const auto partners = m_rowPartners.find(index); partners != m_rowPartners.end()) {
        for (const qint64 other : partners->second) {
            m_rowPartners[other].erase(index);
            --m_shownCount[size_t(other)];
            touched.push_back(other);
            --m_rowPairs;
        }
        m_shownCount[size_t(index)] -= int(partners->second.size());
        m_rowPartners.erase(partners);
    }
    if (const auto partners = m_moldPartners.find(index); partners != m_moldPartners.end()) {
        for (const auto &[other, isShown] : partners->second) {
            m_moldPartners[other].erase(index);
            m_saveCount -= saveShare(print, m_prints[size_t(other)]);
            if (isShown) {
                --m_shownCount[size_t(other)];
                --m_shownCount[size_t(index)];
                --m_shownMoldPairs;
            }
            touched.push_back(other);
        }
        m_moldPartners.erase(partners);
    }
    if (print.row != 0)
        m_rowLots[print.row].remove(index, print.start, print.end);
    if (!print.mold.isEmpty())
        m_moldLots[print.mold].remove(index, print.start, print.end);
    m_prints[size_t(index)] = Print{};
}

void PlanConflicts::put(const PlanStore &store, qint64 index, QList<qint64> &touched)
{
    if (index >= qint64(m_prints.size())) {
        m_prints.resize(size_t(index + 1));
        m_shownCount.resize(m_prints.size(), 0);
    }
    const Print print = printOf(store[index]);
    m_prints[size_t(index)] = print;
    if (print.row != 0)
        meetOnRow(index, print, touched);
    if (!print.mold.isEmpty())
        meetOnMold(index, print, touched);
}

void PlanConflicts::meetOnRow(qint64 index, const Print &print, QList<qint64> &touched)
{
    LotIntervals &onRow = m_rowLots[print.row];
    onRow.forEachOverlapping(print.start, print.end, [&](qint64 other, qint64, qint64) {
        m_rowPartners[index].insert(other);
        m_rowPartners[other].insert(index);
        ++m_shownCount[size_t(index)];
        ++m_shownCount[size_t(other)];
        ++m_rowPairs;
        touched.push_back(other);
    });
    onRow.add(index, print.start, print.end);
}

void PlanConflicts::meetOnMold(qint64 index, const Print &print, QList<qint64> &touched)
{
    LotIntervals &ofMold = m_moldLots[print.mold];
    ofMold.forEachOverlapping(print.start, print.end, [&](qint64 other, qint64, qint64) {
        const Print &theirs = m_prints[size_t(other)];
        if (!print.onMachine && !theirs.onMachine)
            return;
        const bool isShown = shown(print, theirs);
        m_moldPartners[index][other] = isShown;
        m_moldPartners[other][index] = isShown;
        m_saveCount += saveShare(print, theirs);
        if (isShown) {
            ++m_shownCount[size_t(index)];
            ++m_shownCount[size_t(other)];
            ++m_shownMoldPairs;
        }
        touched.push_back(other);
    });
    ofMold.add(index, print.start, print.end);
}

std::vector<PlanConflict> PlanConflicts::conflicts() const
{
    std::vector<PlanConflict> found;
    found.reserve(size_t(count()));
    for (const auto &[lot, partners] : m_rowPartners)
        for (const qint64 other : partners)
            if (lot < other)
                found.push_back({PlanConflict::Kind::Row, lot, other});
    for (const auto &[lot, partners] : m_moldPartners)
        for (const auto &[other, isShown] : partners)
            if (isShown && lot < other)
                found.push_back({PlanConflict::Kind::Mold, lot, other});
    std::sort(found.begin(), found.end());
    return found;
}

bool PlanConflicts::isMarked(qint64 lot) const
{
    return lot >= 0 && lot < qint64(m_shownCount.size()) && m_shownCount[size_t(lot)] > 0;
}

int PlanConflicts::rowOf(qint64 lot) const
{
    return lot >= 0 && lot < qint64(m_prints.size()) ? m_prints[size_t(lot)].row : 0;
}

const LotIntervals *PlanConflicts::lotsOnRow(int row) const
{
    const auto found = m_rowLots.find(row);
    return found == m_rowLots.end() ? nullptr : &found->second;
}

qint64 PlanConflicts::overlapMinutes(const PlanStore &store, const PlanConflict &conflict)
{
    const PlanRecord &a = store[conflict.first];
    const PlanRecord &b = store[conflict.second];
    const qint64 from = std::max(lots::startKey(a), lots::startKey(b));
    const qint64 to = std::min(lots::endKey(a), lots::endKey(b));
    return std::max<qint64>(0, to - from) / 60;
}
