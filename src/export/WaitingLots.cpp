#include "export/WaitingLots.h"

#include "common/PlantValues.h"
#include "gantt/GanttChart.h"
#include "gantt/PlanGridColumns.h"
#include "plan/PlanStore.h"

#include <algorithm>
#include <tuple>

std::vector<qint64> waitingLots(const GanttChart &chart)
{
    const PlanStore &store = chart.store();
    std::vector<qint64> lots;
    for (qint64 lot = 2; lot <= store.lastIndex(); ++lot) {
        const BarGeometry &bar = chart.bar(lot);
        if (store[lot].Active > 0 && bar.visible && bar.surface == ChartSurface::Strip)
            lots.push_back(lot);
    }
    std::stable_sort(lots.begin(), lots.end(), [&store](qint64 a, qint64 b) {
        return std::tuple(store[a].DueDate, store[a].ArrangementNo) < std::tuple(store[b].DueDate, store[b].ArrangementNo);
    });
    return lots;
}

const QStringList &waitingListCaptions()
{
    static const QStringList captions{QStringLiteral("手配番号"), QStringLiteral("品名コード"), QStringLiteral("品名"),
                                      QStringLiteral("工程内容"), QStringLiteral("手配数"),   QStringLiteral("開始日"),
                                      QStringLiteral("納期")};
    return captions;
}

QStringList waitingListLine(const PlanRecord &lot)
{
    return {plangrid::arrangementNoText(lot.ArrangementNo), lot.ItemCode.trimmed(), lot.DisplayItemName.trimmed(),
            lot.ProcessName.trimmed(), plant::thousands(lot.Quantity), plant::dateText(lot.StartDate),
            plant::dateText(lot.DueDate)};
}
