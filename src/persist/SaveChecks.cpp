#include "persist/SaveChecks.h"

#include "plan/PlanStore.h"
#include "common/PlantValues.h"
#include "editing/LotRules.h"
#include "editing/MoldOverlap.h"

#include <QHash>
#include <vector>

bool durationExceedsLimit(qint64 setupMinutes, qint64 workMinutes)
{
    constexpr qint64 MaxTotalMinutes = 9'999'999;
    constexpr double MaxHours = 10000;
    return setupMinutes + workMinutes > MaxTotalMinutes || plant::minutesToDbHours(workMinutes) >= MaxHours
           || plant::minutesToDbHours(setupMinutes) >= MaxHours;
}

qint64 moldOverlapCount(const PlanStore &store)
{
    // The lots of each mold, so that each changed lot meets only its mold's lots.
    QHash<QString, std::vector<qint64>> byMold;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (molds::needsMold(store[i]))
            byMold[store[i].MoldNo].push_back(i);
    qint64 count = 0;
    for (const std::vector<qint64> &lots : std::as_const(byMold))
        for (const qint64 i : lots) {
            if (store[i].MembersWritten == 0)
                continue;
            for (const qint64 j : lots)
                if (i != j && molds::countsForSave(store[i], store[j])
                    && molds::timesOverlap(lots::startKey(store[i]), lots::endKey(store[i]), lots::startKey(store[j]),
                                           lots::endKey(store[j])))
                    ++count;
        }
    return count;
}
