#include "plan/MachineCycles.h"

#include "db/Rows.h"
#include "db/Statements.h"

#include <algorithm>

QString MachineCycles::stepKey(const QString &item, qint64 sequence)
{
    return item.trimmed() + QLatin1Char('\t') + QString::number(sequence);
}

void MachineCycles::read(Database &db)
{
    m_cycles.clear();
    Rows rows = select(db, sql::LiveMachineCycles);
    while (rows.next()) {
        const RowReader &row = rows.row();
        add(row.text(QStringLiteral("品名コード")), row.integer(QStringLiteral("順序")),
            row.text(QStringLiteral("機械コード")), row.number(QStringLiteral("サイクル")));
    }
}

void MachineCycles::add(const QString &item, qint64 sequence, const QString &machine, double cycle)
{
    m_cycles[stepKey(item, sequence)][machine.trimmed()] = cycle;
}

std::optional<double> MachineCycles::cycleOn(const QString &item, qint64 sequence, const QString &machine) const
{
    const auto step = m_cycles.constFind(stepKey(item, sequence));
    if (step == m_cycles.cend())
        return std::nullopt;
    const auto found = step->constFind(machine.trimmed());
    if (found == step->cend())
        return std::nullopt;
    return *found;
}

std::vector<QString> MachineCycles::machinesFor(const QString &item, qint64 sequence) const
{
    std::vector<QString> machines;
    const auto step = m_cycles.constFind(stepKey(item, sequence));
    if (step != m_cycles.cend())
        for (auto it = step->cbegin(); it != step->cend(); ++it)
            machines.push_back(it.key());
    std::sort(machines.begin(), machines.end());
    return machines;
}
