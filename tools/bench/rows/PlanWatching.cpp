// The plan watch's figures on 100,000 lots: its update after one drop that pushes back 1,000
// lots (the work the edit path's change signal adds to the drop), and its full computation
// after loading (conflicts and machine load). Measured on a watch of its own beside the
// session's, so the drop itself is not in the figure.

#include "PushBackDrop.h"
#include "editing/MachineLoad.h"
#include "editing/PlanConflicts.h"

namespace {

struct OwnWatch
{
    explicit OwnWatch(const PlanSession &session)
        : conflicts(session.rows()), load(session.rows(), session.calendar())
    {
    }
    void rebuild(const PlanStore &store)
    {
        conflicts.rebuild(store);
        load.rebuild(store, conflicts);
    }
    PlanConflicts conflicts;
    MachineLoad load;
};

void afterDrop(const BenchPlant &demo, BenchWatch &watch)
{
    PushBackDrop plan(demo, 100'000);
    PlanSession &session = plan.session();
    OwnWatch own(session);
    own.rebuild(session.store());
    QList<qint64> changed;
    QObject::connect(&session.editPath(), &EditPath::recordsChanged,
                     [&](const QList<qint64> &indices) { changed = indices; });
    plan.drop();
    watch.measure([&] {
        own.conflicts.update(session.store(), changed);
        own.load.updateLots(session.store(), own.conflicts, changed);
    });
}

void afterLoad(const BenchPlant &demo, BenchWatch &watch)
{
    PushBackDrop plan(demo, 100'000);
    OwnWatch own(plan.session());
    watch.measure([&] { own.rebuild(plan.session().store()); });
}

} // namespace

KALVUNER_BENCH_ROW("watch after push-back", "conflicts and load after one drop pushing back 1,000 of 100,000 lots (target < 5 ms)",
                   afterDrop);
KALVUNER_BENCH_ROW("watch after load", "conflicts and load computed afresh over 100,000 lots (target < 200 ms)", afterLoad);
