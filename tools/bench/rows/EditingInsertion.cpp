// The editing core's figures: the automatic placement after loading over 10,000 and 100,000
// lots (index building included), and one drop whose push-back moves 1,000 later lots of its
// row, with its undo. The plants are made in memory and handed to a plan session, so the
// figures are the editing work alone; nothing is painted.

#include "BenchRegistry.h"
#include "ChartBenchPlant.h"
#include "AlwaysYes.h"
#include "plan/RunContext.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"
#include "editing/LotRules.h"
#include "session/PlanSession.h"

namespace {

// The bench plant's lots with work minutes as long as their bars, and every tentative lot
// named on a press so that the placement has work to do.
void giveLotsWork(ChartBenchPlant &plant)
{
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
        PlanRecord &lot = plant.store[i];
        lot.Active = 1;
        lot.WorkMinutes = std::max<qint64>(1, lots::startInstant(lot).secsTo(lots::endInstant(lot)) / 60);
        if (lot.ConfirmState == QStringLiteral("1") && lot.MachineCode.trimmed().isEmpty())
            lot.MachineCode = plant.rows.row(int(2 + i % 40)).code;
    }
}

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

// A press whose 1,000 lots follow one another, and a lot of another press dropped at its start.
void dropPushingBack(const BenchPlant &demo, BenchWatch &watch, bool andUndo)
{
    constexpr qint64 Later = 1000;
    ChartBenchPlant plant(10'000);
    giveLotsWork(plant);
    const QString press = plant.rows.row(2).code;
    const QDateTime first = plant::naiveDateTime(plant.periodStart.addDays(1), QTime(8, 0));
    qint64 made = 0;
    qint64 dropped = 0;
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
        PlanRecord &lot = plant.store[i];
        if (lot.MachineCode == press)
            lot.MachineCode = plant.rows.row(3).code;
        if (i % 9 != 0)
            continue;
        if (made < Later) {
            lot.MachineCode = press;
            lot.ConfirmState = QStringLiteral("2");
            lot.SchedulerFixed = QStringLiteral("0");
            lot.WorkMinutes = 50;
            lots::setStart(lot, first.addSecs(made * 3600));
            lots::setEnd(lot, first.addSecs(made * 3600 + 3000));
            ++made;
        } else if (dropped == 0) {
            dropped = i;
            lot.WorkMinutes = 95;
            lots::setStart(lot, first);
        }
    }
    RunContext run = plant.runContext();
    AlwaysYes prompter;
    const auto db = demo.open(QStringLiteral("drop"));
    PlanSession session(run, *db, prompter);
    session.adopt(std::move(plant.rows), std::move(plant.calendar), std::move(plant.store));
    EditPath &path = session.editPath();
    const auto drop = [&] {
        Edit edit = path.beginAction(QStringLiteral("計画の移動"));
        session.insertion().Insert_PlanBarStep2(edit, dropped, press, QString());
        edit.commit();
    };
    if (andUndo) {
        drop();
        watch.measure([&] { path.undo(); });
    } else {
        watch.measure(drop);
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
