#include "persist/SaveChecks.h"

#include "plan/PlanStore.h"
#include "common/PlantValues.h"

#include <QDateTime>
#include <QHash>
#include <vector>

bool durationExceedsLimit(qint64 setupMinutes, qint64 workMinutes)
{
    constexpr qint64 MaxTotalMinutes = 9'999'999;
    constexpr double MaxHours = 10000;
    return setupMinutes + workMinutes > MaxTotalMinutes || plant::minutesToDbHours(workMinutes) >= MaxHours
           || plant::minutesToDbHours(setupMinutes) >= MaxHours;
}

namespace {

struct Interval
{
    qint64 index;
    QDateTime start;
    QDateTime end;
};

Interval intervalOf(const PlanStore &store, qint64 i)
{
    const PlanRecord &lot = store[i];
    return {i, plant::naiveDateTime(lot.StartDate, lot.StartTime), plant::naiveDateTime(lot.EndDate, lot.EndTime)};
}

} // namespace

qint64 moldOverlapCount(const PlanStore &store)
{
    // The lots on a machine by mold, so that each changed lot meets only its mold's lots.
    QHash<QString, std::vector<Interval>> onMachines;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        if (lot.Active > 0 && !lot.MoldNo.trimmed().isEmpty() && !lot.MachineCode.trimmed().isEmpty())
            onMachines[lot.MoldNo].push_back(intervalOf(store, i));
    }
    qint64 count = 0;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        if (lot.MembersWritten == 0 || lot.Active <= 0 || lot.MoldNo.trimmed().isEmpty())
            continue;
        const auto sameMold = onMachines.constFind(lot.MoldNo);
        if (sameMold == onMachines.cend())
            continue;
        const Interval own = intervalOf(store, i);
        for (const Interval &other : *sameMold)
            if (other.index != i && other.end > own.start && own.end > other.start)
                ++count;
    }
    return count;
}
