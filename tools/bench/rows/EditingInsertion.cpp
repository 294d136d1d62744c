// The editing core's figures: the automatic placement after loading over 10,000 and 100,000
// lots (index building included), and one drop whose push-back moves 1,000 later lots of its
// row, with its undo. The plants are made in memory and handed to a plan session, so the
// figures are the editing work alone; nothing is painted.

#include "PushBackDrop.h"

namespace {

void placement(const BenchPlant &demo, qint64 lots, BenchWatch &watch)
{
    ChartBenchPlant plant(lots);
    giveLotsWork(plant);
    RunContext run = plant.runContext();
    AlwaysYes prompter;
    const auto db = demo.open(QStringLiteral("placement"));
    PlanSession session(run, *db, prompter);
    watch.measure([&] { session.adopt(std::move(plant.rows), std::move(plant.calendar), std::move(plant.store), true); });
}

// The drop, or its undo.
void dropPushingBack(const BenchPlant &demo, BenchWatch &watch, bool andUndo)
{
    PushBackDrop plan(demo, 10'000);
    if (andUndo) {
        plan.drop();
        watch.measure([&] { plan.session().undo(); });
    } else {
        watch.measure([&] { plan.drop(); });
    }
}

} // namespace

KALVUNER_BENCH_ROW("placement 10k", "automatic placement after loading, 10,000 lots, indexes built (target < 0.5 s)",
                   [](const BenchPlant &demo, BenchWatch &watch) { placement(demo, 10'000, watch); });
KALVUNER_BENCH_ROW("placement 100k", "automatic placement after loading, 100,000 lots, indexes built (target < 5 s)",
                   [](const BenchPlant &demo, BenchWatch &watch) { placement(demo, 100'000, watch); });
KALVUNER_BENCH_ROW("drop push-back 1000", "one drop pushing back 1,000 later lots of its row, no repaint (target < 20 ms)",
                   [](const BenchPlant &demo, BenchWatch &watch) { dropPushingBack(demo, watch, false); });
KALVUNER_BENCH_ROW("drop push-back undo", "undo of that drop: 1,001 lots restored (target < 20 ms)",
                   [](const BenchPlant &demo, BenchWatch &watch) { dropPushingBack(demo, watch, true); });
