#include "editing/PlanFigures.h"

#include "common/PlantValues.h"
#include "editing/LotRules.h"

#include <algorithm>
#include <map>
#include <vector>

bool endsLate(const PlanRecord &lot)
{
    return lot.InitialDueDate.isValid() && lot.EndDate.isValid() && lot.EndDate > lot.InitialDueDate;
}

double latenessHours(const PlanRecord &lot)
{
    if (!endsLate(lot))
        return 0;
    const QDateTime dueEnd = plant::naiveDateTime(lot.InitialDueDate.addDays(1), QTime(0, 0));
    return double(std::max<qint64>(0, dueEnd.secsTo(lots::endInstant(lot)))) / 3600.0;
}

PlanFigures measurePlan(const PlanStore &store, const ChartRows &rows, const QDateTime &periodEnd)
{
    PlanFigures figures;
    std::map<int, std::vector<std::pair<qint64, QString>>> pressLots; // row -> (start, mold)
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        if (lot.Active <= 0 || lot.DetailMark != 0)
            continue;
        if (lot.OnStrip != 0) {
            ++figures.lotsOnStrip;
            const QDateTime dueEnd = plant::naiveDateTime(lot.InitialDueDate.addDays(1), QTime(0, 0));
            if (lot.InitialDueDate.isValid() && dueEnd <= periodEnd) {
                ++figures.lateLots;
                figures.latenessHours += double(dueEnd.secsTo(periodEnd)) / 3600.0;
            }
            continue;
        }
        const int row = rows.rowOfCode(lot.MachineCode);
        if (!rows.isMachineRow(row) || lot.MachineCode.trimmed().isEmpty())
            continue;
        ++figures.lotsOnMachines;
        if (endsLate(lot)) {
            ++figures.lateLots;
            figures.latenessHours += latenessHours(lot);
        }
        pressLots[row].emplace_back(lots::startKey(lot), lot.MoldNo.trimmed());
    }
    for (auto &[row, lotsOfRow] : pressLots) {
        std::stable_sort(lotsOfRow.begin(), lotsOfRow.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (size_t k = 1; k < lotsOfRow.size(); ++k)
            if (lotsOfRow[k].second != lotsOfRow[k - 1].second)
                ++figures.moldChanges;
    }
    return figures;
}
