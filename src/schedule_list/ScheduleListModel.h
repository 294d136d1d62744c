#pragma once
// The schedule list as a table model: one row per listed lot, the twelve columns of
// ScheduleListColumns. It reads the plan store and never writes it. Sorting orders the rows
// by the column's value (SortRole gives it to a view); lots with equal values keep their order.

#include "schedule_list/ScheduleListColumns.h"

#include <QAbstractTableModel>
#include <vector>

class PlanStore;
class ScheduleListFilter;

class ScheduleListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The value the column sorts by: qint64, QDate or QString.
    static constexpr int SortRole = Qt::UserRole + 1;
    // The store index of the row's lot (qint64).
    static constexpr int LotRole = Qt::UserRole + 2;

    explicit ScheduleListModel(const PlanStore &store, QObject *parent = nullptr);

    // The lots 2..last that the filter accepts, in store order.
    void list(const ScheduleListFilter &filter);
    void clear();

    qint64 lotAt(int row) const;
    int lotCount() const { return int(m_lots.size()); }
    const std::vector<qint64> &lots() const { return m_lots; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    template <typename Key>
    void sortByKeys(const std::vector<Key> &keys, Qt::SortOrder order);

    const PlanStore &m_store;
    std::vector<qint64> m_lots;
};
