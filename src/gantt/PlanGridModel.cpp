#include "gantt/PlanGridModel.h"

#include "plan/PlanStore.h"

#include <algorithm>

PlanGridModel::PlanGridModel(const PlanStore &store, QObject *parent) : QAbstractTableModel(parent), m_store(store) {}

void PlanGridModel::setSearch(const PlanListSearch &search)
{
    m_filter = PlanListFilter(search);
}

void PlanGridModel::fill(std::vector<Entry> &entries) const
{
    entries.clear();
    const qint64 last = m_store.lastIndex();
    for (qint64 i = 2; i <= last; ++i) {
        const PlanRecord &lot = m_store[i];
        if (m_filter.accepts(lot))
            entries.push_back({plangrid::sortKey(lot), i});
    }
    // Lots with equal keys keep their store order.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.key < b.key; });
}

void PlanGridModel::rebuild()
{
    beginResetModel();
    fill(m_lots);
    m_rowOfLot.assign(size_t(std::max<qint64>(m_store.lastIndex(), 0) + 1), -1);
    for (size_t row = 0; row < m_lots.size(); ++row)
        m_rowOfLot[size_t(m_lots[row].lot)] = int(row);
    endResetModel();
}

qint64 PlanGridModel::lotAt(int row) const
{
    return row >= 0 && row < lotCount() ? m_lots[size_t(row)].lot : 0;
}

int PlanGridModel::rowOfLot(qint64 lot) const
{
    return lot >= 0 && lot < qint64(m_rowOfLot.size()) ? m_rowOfLot[size_t(lot)] : -1;
}

bool PlanGridModel::inListAsShown(qint64 lot) const
{
    const int row = rowOfLot(lot);
    const bool accepted = m_filter.accepts(m_store[lot]);
    if (row < 0)
        return !accepted;
    return accepted && m_lots[size_t(row)].key == plangrid::sortKey(m_store[lot]);
}

void PlanGridModel::lotsChanged(const QList<qint64> &lots)
{
    const bool storeResized = m_store.lastIndex() + 1 != qint64(m_rowOfLot.size());
    bool reorder = storeResized;
    for (qint64 lot : lots) {
        if (reorder)
            break;
        if (lot >= 2 && lot <= m_store.lastIndex())
            reorder = !inListAsShown(lot);
    }
    if (reorder) {
        rebuild();
        return;
    }
    for (qint64 lot : lots) {
        const int row = rowOfLot(lot);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, plangrid::ColumnCount - 1));
    }
}

int PlanGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : lotCount();
}

int PlanGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : plangrid::ColumnCount;
}

QVariant PlanGridModel::data(const QModelIndex &index, int role) const
{
    const qint64 lot = lotAt(index.row());
    if (lot == 0)
        return {};
    const PlanRecord &record = m_store[lot];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return plangrid::cellText(record, index.column());
    case Qt::TextAlignmentRole: {
        const int c = index.column();
        const bool number = c == plangrid::Quantity || c == plangrid::Received || c == plangrid::WorkTime
            || c == plangrid::Arrangement || c == plangrid::BarId;
        const bool mark = c == plangrid::Display || c == plangrid::Confirm;
        const Qt::Alignment horizontal = number ? Qt::AlignRight : mark ? Qt::AlignHCenter : Qt::AlignLeft;
        return QVariant::fromValue(Qt::Alignment(horizontal | Qt::AlignVCenter));
    }
    case RowColourRole:
        if (const auto colour = plangrid::rowColour(record))
            return (uint(colour->red) << 16) | (uint(colour->green) << 8) | uint(colour->blue);
        return {};
    case LotRole:
        return lot;
    default:
        return {};
    }
}

QVariant PlanGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The row header is the list's drag handle and shows no number.
    return orientation == Qt::Horizontal ? plangrid::header(section) : QString();
}

Qt::ItemFlags PlanGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Editing opens the grid's own editor (GridText1); the model itself takes no edits.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
