// The figures of merging and packing: one press of 2,000 lots packed in a plant of 100,000
// lots, and one merge of two lots in the same plant with its undo. The plants are made in
// memory, so the figures are the editing work alone; nothing is painted.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "ChartBenchPlant.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"
#include "db/Database.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"
#include "editing/PlanInsertion.h"
#include "editing/PlanMerge.h"
#include "editing/RowPacking.h"

namespace {

constexpr qint64 PlantLots = 100'000;

// What the edits of a bench row work with.
struct BenchEditing
{
    explicit BenchEditing(ChartBenchPlant &plant)
        : run(plant.runContext()), time(plant.rows, plant.calendar), insertion(plant.rows, time, run, prompter),
          path(plant.store, plant.calendar, plant.rows, run)
    {
    }
    RunContext run;
    AlwaysYes prompter;
    WorkingTime time;
    PlanInsertion insertion;
    EditPath path;
};

void giveArrangement(PlanRecord &lot, qint64 number, qint64 minutes)
{
    lot.ArrangementNo = number;
    lot.WorkMinutes = minutes;
    MemberSlot &member = lot.Members.set(0);
    member.ArrangementNo = number;
    member.ItemCode = lot.ItemCode;
    member.ProcessName = lot.ProcessName;
    member.Quantity = lot.Quantity;
}

// Every 50th lot of the plant goes onto the first press at a start of its own over the
// period, one in a hundred of them locked; the press's other lots move to the second.
void packRow(BenchWatch &watch)
{
    constexpr qint64 RowLots = 2000;
    ChartBenchPlant plant(PlantLots);
    const QString press = plant.rows.row(2).code;
    const QDateTime first = plant::naiveDateTime(plant.periodStart, plant.dayStart);
    qint64 made = 0;
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
        PlanRecord &lot = plant.store[i];
        if (lot.MachineCode == press)
            lot.MachineCode = plant.rows.row(3).code;
        if (i % 50 != 0 || made == RowLots)
            continue;
        lot.MachineCode = press;
        lot.SupplierCode = lots::blankSupplier();
        lot.SchedulerFixed = made % 100 == 50 ? QStringLiteral("2") : QStringLiteral("0");
        giveArrangement(lot, i, 20 + (i * 7) % 90);
        const QDateTime start = first.addSecs(((i * 7919) % (80 * 24 * 60)) * 60);
        lots::setStart(lot, start);
        lots::setEnd(lot, start.addSecs(lot.WorkMinutes * 60));
        ++made;
    }
    BenchEditing editing(plant);
    RowPacking packing(editing.path, plant.rows, plant.calendar, editing.insertion, editing.run, editing.prompter);
    watch.measure([&] { packing.pack(2); });
}

// Two lots of one run, far apart in the store, the second dropped on the first.
void merge(BenchWatch &watch, bool andUndo)
{
    ChartBenchPlant plant(PlantLots);
    constexpr qint64 Target = 1001;
    constexpr qint64 Source = 90'001;
    PlanRecord &target = plant.store[Target];
    PlanRecord &source = plant.store[Source];
    for (PlanRecord *lot : {&target, &source}) {
        lot->ItemCode = target.ItemCode;
        lot->PlanNoText = target.PlanNoText;
        lot->DisplayItemName = target.DisplayItemName;
        lot->ReceivedQty = 0;
        lot->Cycle = 30;
    }
    giveArrangement(target, Target, 60);
    giveArrangement(source, Source, 60);
    BenchEditing editing(plant);
    const PlanMerge merging(editing.path, editing.insertion, editing.prompter);
    PlanMerge::Outcome outcome = PlanMerge::Outcome::MoveInstead;
    const auto drop = [&] { outcome = merging.dropOn(Source, Target); };
    if (andUndo) {
        drop();
        watch.measure([&] { editing.path.undo(); });
    } else {
        watch.measure(drop);
    }
    if (outcome != PlanMerge::Outcome::Merged || plant.store[Source].Active != (andUndo ? 1 : 0))
        throw DbError(QStringLiteral("合体が行われませんでした。"));
}

} // namespace

KALVUNER_BENCH_ROW("pack row 2000", "packing one press of 2,000 lots in a plant of 100,000 lots (target < 50 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { packRow(watch); });
KALVUNER_BENCH_ROW("merge 100k", "one merge of two lots in a plant of 100,000 lots (target < 5 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { merge(watch, false); });
KALVUNER_BENCH_ROW("merge undo 100k", "undo of that merge (target < 5 ms)",
                   [](const BenchPlant &, BenchWatch &watch) { merge(watch, true); });
