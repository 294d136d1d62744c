#pragma once
// The plan list as a table model: one row per lot of the store that passes the list search,
// sorted by the "KEY" column, with the 20 columns of plangrid. The model reads the store and
// never writes it; edits go through the edit path, whose change signal the view passes to
// lotsChanged().

#include "gantt/PlanGridColumns.h"
#include "gantt/PlanListFilter.h"

#include <QAbstractTableModel>
#include <vector>

class PlanStore;

class PlanGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The row colour as 0xRRGGBB (an unsigned int); no value for the window colour.
    static constexpr int RowColourRole = Qt::UserRole + 1;
    // The store index of the row's lot (qint64).
    static constexpr int LotRole = Qt::UserRole + 2;

    explicit PlanGridModel(const PlanStore &store, QObject *parent = nullptr);

    // The list search to apply at the next rebuild; compiles its patterns once.
    void setSearch(const PlanListSearch &search);
    // FunPlanGridRefresh's list: filters the lots 2..last and sorts them by key.
    void rebuild();

    // The lot shown in list row `row` (0-based); 0 when there is none.
    qint64 lotAt(int row) const;
    // The list row (0-based) of lot `lot`; -1 when the list does not show it.
    int rowOfLot(qint64 lot) const;
    int lotCount() const { return int(m_lots.size()); }

    // Lots changed by an edit: rebuilds the list when one of them moved in the sort order or
    // in or out of the search, else repaints their rows. Indices beyond the store are ignored.
    void lotsChanged(const QList<qint64> &lots);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Entry
    {
        QString key;
        qint64 lot = 0;
    };
    void fill(std::vector<Entry> &entries) const;
    bool inListAsShown(qint64 lot) const;

    const PlanStore &m_store;
    PlanListFilter m_filter;
    std::vector<Entry> m_lots;
    std::vector<int> m_rowOfLot; // by store index; -1 when not listed
};
