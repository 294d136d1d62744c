#pragma once
// Per-row indexes of the plan, kept by the edit path on every change, undo and redo, so that
// a drop, a push-back or the placement of a lot after the last one of its machine looks only
// at the lots of one row instead of walking the whole store.

#include "plan/PlanRecord.h"

#include <QHash>
#include <QString>
#include <set>

class RowIndex
{
public:
    // One lot of a row, ordered by its start (or end) instant, then by its store index.
    struct Entry
    {
        qint64 at = 0;
        qint64 index = 0;
        auto operator<=>(const Entry &) const = default;
    };

    // The obstacles of one row (see lots::isObstacle), by start.
    struct RowLots
    {
        std::set<Entry> byStart;
        std::set<Entry> fixedByStart; // the fixed ones among them
        std::multiset<qint64> lengths; // end minus start of each, in seconds
        // No lot of the row runs longer than this: a lot starting earlier than an instant by
        // more than it cannot reach that instant.
        qint64 longest() const { return lengths.empty() ? 0 : std::max<qint64>(0, *lengths.rbegin()); }
        bool operator==(const RowLots &) const = default;
    };

    // What of a record the indexes depend on; a change that keeps it needs no re-indexing.
    struct Footprint
    {
        QString row;          // lots::rowKey, empty when the lot is no obstacle
        QString machine;      // exact machine code, empty when the lot does not count for it
        qint64 start = 0;
        qint64 end = 0;
        bool fixed = false;
        bool operator==(const Footprint &) const = default;
    };
    static Footprint footprint(const PlanRecord &lot);

    void clear();
    void add(qint64 index, const Footprint &print);
    void remove(qint64 index, const Footprint &print);

    // The obstacles of a row key (lots::rowKey); null when the row has none.
    const RowLots *row(const QString &key) const;
    // The store index of the lot with the latest end among the confirmed or placed lots whose
    // machine code is exactly `machineCode`; 0 when there is none.
    qint64 latestOnMachine(const QString &machineCode) const;

    // Same lots under the same keys: an index kept up by edits equals one built afresh.
    bool operator==(const RowIndex &) const = default;

private:
    QHash<QString, RowLots> m_rows;
    QHash<QString, std::set<Entry>> m_machineEnds;
};
