#pragma once
// The cycle of each item's process step on each machine that can run it (DB0492 rows not
// deleted): which presses may take a lot, and how long it runs on each.

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

class Database;

class MachineCycles
{
public:
    // Reads every live cycle row of the plant. Throws DbError naming what failed.
    void read(Database &db);
    // One cycle row: seconds per shot of the item's step `sequence` on `machine`. Codes are
    // kept trimmed; a row given twice keeps the later cycle.
    void add(const QString &item, qint64 sequence, const QString &machine, double cycle);

    // The cycle of the step on the machine; nothing without a row.
    std::optional<double> cycleOn(const QString &item, qint64 sequence, const QString &machine) const;
    // The machines (trimmed codes) with a row for the step, in code order.
    std::vector<QString> machinesFor(const QString &item, qint64 sequence) const;

private:
    static QString stepKey(const QString &item, qint64 sequence);
    QHash<QString, QHash<QString, double>> m_cycles; // step -> machine -> cycle
};
