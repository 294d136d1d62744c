#include "persist/SaveChecks.h"

#include "plan/PlanStore.h"
#include "common/PlantValues.h"
#include "editing/LotRules.h"
#include "editing/MoldOverlap.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <vector>

bool durationExceedsLimit(qint64 setupMinutes, qint64 workMinutes)
{
    constexpr qint64 MaxTotalMinutes = 9'999'999;
    constexpr double MaxHours = 10000;
    return setupMinutes + workMinutes > MaxTotalMinutes || plant::minutesToDbHours(workMinutes) >= MaxHours
           || plant::minutesToDbHours(setupMinutes) >= MaxHours;
}

bool valuesOutOfRange(qint64 setupMinutes, qint64 workMinutes, qint64 quantity)
{
    return setupMinutes < 0 || workMinutes < 0 || quantity < 0 || quantity > plant::ColumnWholeLimit;
}

bool datesOutOfRange(const PlanRecord &lot)
{
    const auto outside = [](const QDate &date) { return date.isValid() && (date.year() < 1000 || date.year() > 9999); };
    return outside(lot.StartDate) || outside(lot.EndDate) || outside(lot.InitialDueDate);
}

qint64 moldOverlapCount(const PlanStore &store)
{
    return qint64(moldOverlaps(store).size());
}

std::vector<MoldOverlap> moldOverlaps(const PlanStore &store)
{
    // The lots of each mold, so that each changed lot meets only its mold's lots.
    QHash<QString, std::vector<qint64>> byMold;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (molds::needsMold(store[i]))
            byMold[store[i].MoldNo].push_back(i);
    // In the order of the changed lots, so that the planner reads the same list every time.
    std::vector<MoldOverlap> overlaps;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        if (store[i].MembersWritten == 0 || !molds::needsMold(store[i]))
            continue;
        for (const qint64 j : std::as_const(byMold[store[i].MoldNo]))
            if (i != j && molds::countsForSave(store[i], store[j])
                && molds::timesOverlap(lots::startKey(store[i]), lots::endKey(store[i]), lots::startKey(store[j]),
                                       lots::endKey(store[j])))
                overlaps.push_back({i, j});
    }
    return overlaps;
}

namespace {
QString lotWithTimes(const PlanRecord &lot)
{
    const QString minute = QStringLiteral("yyyy/MM/dd hh:mm");
    return QStringLiteral("手配 %1 %2 %3～%4")
        .arg(lot.ArrangementNo)
        .arg(lot.MachineCode.trimmed(), plant::naiveDateTime(lot.StartDate, lot.StartTime).toString(minute),
             plant::naiveDateTime(lot.EndDate, lot.EndTime).toString(minute));
}
} // namespace

QString moldOverlapDetails(const PlanStore &store, const std::vector<MoldOverlap> &overlaps)
{
    QStringList lines;
    for (const MoldOverlap &overlap : overlaps) {
        const PlanRecord &changed = store[overlap.changed];
        lines << QStringLiteral("金型 %1: %2 ／ %3")
                     .arg(changed.MoldNo.trimmed(), lotWithTimes(changed), lotWithTimes(store[overlap.other]));
    }
    return lines.join(u'\n');
}
