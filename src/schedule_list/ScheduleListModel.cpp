#include "schedule_list/ScheduleListModel.h"

#include "plan/PlanStore.h"
#include "schedule_list/ScheduleListFilter.h"

#include <algorithm>

ScheduleListModel::ScheduleListModel(const PlanStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{
}

void ScheduleListModel::list(const ScheduleListFilter &filter)
{
    beginResetModel();
    m_lots.clear();
    const qint64 last = m_store.lastIndex();
    for (qint64 i = 2; i <= last; ++i)
        if (filter.accepts(m_store[i]))
            m_lots.push_back(i);
    endResetModel();
}

void ScheduleListModel::clear()
{
    beginResetModel();
    m_lots.clear();
    endResetModel();
}

qint64 ScheduleListModel::lotAt(int row) const
{
    return row >= 0 && row < lotCount() ? m_lots[size_t(row)] : 0;
}

int ScheduleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : lotCount();
}

int ScheduleListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : schedulelist::ColumnCount;
}

QVariant ScheduleListModel::data(const QModelIndex &index, int role) const
{
    const qint64 lot = lotAt(index.row());
    if (lot == 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return schedulelist::cellText(m_store[lot], lot, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (schedulelist::alignsRight(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case SortRole:
        return schedulelist::sortValue(m_store[lot], lot, index.column());
    case LotRole:
        return lot;
    default:
        return {};
    }
}

QVariant ScheduleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return schedulelist::header(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ScheduleListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

namespace {

// -1, 0 or 1 as a is before, equal to or after b.
int compareKeys(qint64 a, qint64 b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}
int compareKeys(const QString &a, const QString &b)
{
    return QString::compare(a, b);
}

} // namespace

template <typename Key>
void ScheduleListModel::sortByKeys(const std::vector<Key> &keys, Qt::SortOrder order)
{
    // Row numbers are sorted by their lots' keys; lots with equal keys keep their order.
    std::vector<int> rows(keys.size());
    for (size_t row = 0; row < rows.size(); ++row)
        rows[row] = int(row);
    const int direction = order == Qt::AscendingOrder ? 1 : -1;
    std::sort(rows.begin(), rows.end(), [&keys, direction](int a, int b) {
        const int c = compareKeys(keys[size_t(a)], keys[size_t(b)]) * direction;
        return c < 0 || (c == 0 && a < b);
    });
    const std::vector<qint64> before = m_lots;
    for (size_t row = 0; row < rows.size(); ++row)
        m_lots[row] = before[size_t(rows[row])];
}

void ScheduleListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= schedulelist::ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<qint64> lotsBefore;
    lotsBefore.reserve(size_t(before.size()));
    for (const QModelIndex &index : before)
        lotsBefore.push_back(lotAt(index.row()));

    // The keys are worked out once per lot, not once per comparison.
    if (schedulelist::sortKind(column) == schedulelist::SortKind::Text) {
        std::vector<QString> keys;
        keys.reserve(m_lots.size());
        for (qint64 lot : m_lots)
            keys.push_back(schedulelist::sortText(m_store[lot], lot, column));
        sortByKeys(keys, order);
    } else {
        std::vector<qint64> keys;
        keys.reserve(m_lots.size());
        for (qint64 lot : m_lots)
            keys.push_back(schedulelist::sortNumber(m_store[lot], lot, column));
        sortByKeys(keys, order);
    }

    // Selections and the current row follow their lots.
    if (!before.isEmpty()) {
        std::vector<int> rowOf(size_t(m_store.lastIndex() + 1), -1);
        for (size_t row = 0; row < m_lots.size(); ++row)
            rowOf[size_t(m_lots[row])] = int(row);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(index(rowOf[size_t(lotsBefore[size_t(i)])], before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
