// Rebuilding the plan list (filter, sort by key) over a store of 10,000 and 100,000 lots
// spread over 40 machines. The store is made in memory, so the figure is the list's own work;
// the rebuild with every lot listed sorts the most, the one with a wildcard item search
// matches a compiled pattern against every lot.

#include "BenchRegistry.h"
#include "plan/PlanStore.h"
#include "gantt/PlanGridModel.h"

namespace {

PlanStore syntheticStore(qint64 lots)
{
    PlanStore store;
    const QDate first(2024, 4, 1);
    for (qint64 i = 0; i < lots; ++i) {
        PlanRecord lot;
        lot.MachineCode = QStringLiteral("M%1").arg((i * 7919) % 40 + 1, 2, 10, QLatin1Char('0')).leftJustified(8);
        lot.StartDate = first.addDays((i * 104729) % 120);
        lot.StartTime = QTime(int(i % 24), int((i * 13) % 60));
        lot.ItemCode = QStringLiteral("%1%2-%3").arg(QChar(u'A' + int(i % 26))).arg(i % 1000).arg(i % 7);
        lot.DisplayItemName = QStringLiteral("成形品%1").arg(i % 500);
        lot.MoldShortName = QStringLiteral("K-%1").arg(i % 300);
        lot.ArrangementNo = 100000 + i;
        lot.Quantity = 1000 + i % 5000;
        lot.Active = 1;
        const qint64 index = store.append(std::move(lot));
        store[index].BarIndex = index;
    }
    return store;
}

void rebuild(qint64 lots, const PlanListSearch &search, BenchWatch &watch)
{
    const PlanStore store = syntheticStore(lots);
    PlanGridModel model(store);
    watch.measure([&] {
        model.setSearch(search);
        model.rebuild();
    });
}

} // namespace

KALVUNER_BENCH_ROW("grid rebuild 10k", "plan list rebuild, 10,000 lots all listed (target < 100 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { rebuild(10'000, {}, watch); });
KALVUNER_BENCH_ROW("grid rebuild 100k", "plan list rebuild, 100,000 lots all listed (target < 1 s)",
                   [](const BenchPlant &, BenchWatch &watch) { rebuild(100'000, {}, watch); });
KALVUNER_BENCH_ROW("grid rebuild 100k search", "plan list rebuild, 100,000 lots, item search \"[A-C]?0\" (target < 1 s)",
                   [](const BenchPlant &, BenchWatch &watch) {
                       rebuild(100'000, {QStringLiteral("[A-C]?0")}, watch);
                   });
