// The lot split's figures in a plan of 10,000 lots: one split of a lot of three processes
// (the new lot appended, its bar number found, both lots timed again) and its undo. The plant
// is made in memory, so the figures are the editing work alone; nothing is painted.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "ChartBenchPlant.h"
#include "db/Database.h"
#include "session/PlanSession.h"

namespace {

void lotSplit(const BenchPlant &demo, BenchWatch &watch, bool andUndo)
{
    ChartBenchPlant plant(10'000);
    RunContext run;
    run.Authority = QStringLiteral("1");
    run.GridUnitMinutes = 10;
    run.DayStartTime = plant.dayStart;
    constexpr qint64 Lot = 5000;
    PlanRecord &lot = plant.store[Lot];
    lot.Quantity = 3000;
    lot.Cycle = 20;
    lot.Cavities = 2;
    lot.Persons = 1;
    for (int k = 0; k < 3; ++k) {
        MemberSlot &slot = lot.Members.set(k);
        slot.ArrangementNo = 900'000 + k;
        slot.Quantity = 3000;
    }
    AlwaysYes prompter;
    const auto db = demo.open(QStringLiteral("split"));
    PlanSession session(run, *db, prompter);
    session.adopt(std::move(plant.rows), std::move(plant.calendar), std::move(plant.store));
    const SplitChoice choice{{1000, 1000, 1000}, {}, 1000};
    const auto split = [&] { session.splitLot(Lot, choice); };
    if (andUndo) {
        split();
        watch.measure([&] { session.undo(); });
    } else {
        watch.measure(split);
    }
}

} // namespace

KALVUNER_BENCH_ROW("lot split 10k", "one lot split of three processes in a plan of 10,000 lots (target < 20 ms)",
                   [](const BenchPlant &demo, BenchWatch &watch) { lotSplit(demo, watch, false); });
KALVUNER_BENCH_ROW("lot split undo", "undo of that split: the new lot removed, the lot restored (target < 20 ms)",
                   [](const BenchPlant &demo, BenchWatch &watch) { lotSplit(demo, watch, true); });
