// 自動計画 judged on the demo plant's molding class, seeds 1 to 3, against the plan as loaded
// and against a plain due-date dispatch (each lot by due date onto the press where it ends
// first): it leaves no lot that fits waiting on the strip, adds no conflict, has fewer late
// lots and less lateness than the loaded plan, is never behind the dispatch on late lots,
// lateness or mold changes, and is ahead of it on late lots and lateness over the three plants.
// (Where every late waiting lot is as late as it would be alone among the lots that stay, no
// plan can be ahead on that plant.)

#include "CliSession.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "DemoStart.h"
#include "TestPlant.h"
#include "app/PlantStartup.h"
#include "common/PlantValues.h"
#include "session/PlanSession.h"

#include <gtest/gtest.h>
#include <iostream>

namespace {

std::string line(const char *name, const PlanFigures &figures)
{
    return QStringLiteral("  %1: late %2, lateness %3 h, mold changes %4, on the strip %5\n")
        .arg(QString::fromUtf8(name))
        .arg(figures.lateLots)
        .arg(figures.latenessHours, 0, 'f', 1)
        .arg(figures.moldChanges)
        .arg(figures.lotsOnStrip)
        .toStdString();
}

class AutoPlanDemo : public testing::TestWithParam<TestPlant::Backend>
{
};

TEST_P(AutoPlanDemo, PlansBetterThanTheLoadedPlanAndAPlainDueDateDispatch)
{
    PlanFigures dispatchTotal, plannedTotal;
    for (const quint32 seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        TestPlant plant(GetParam(), TestPlant::Contents::Empty);
        demo::writePlant(plant.db(), {2000, seed, DemoStart}, false);
        RunContext run;
        run.PlantCode = demo::PlantCode;
        run.ProcessClassCode = demo::MoldingClass;
        run.PeriodStart = plant::dateText(DemoStart);
        startup::readPlant(plant.db(), run);
        AnsweringPrompter prompter(true);
        PlanSession session(run, plant.db(), prompter);
        ASSERT_EQ(session.load(nullptr), PlanSession::LoadResult::Loaded);
        const PlanFigures loaded = session.planFigures();
        const qint64 conflictsLoaded = session.watch().conflicts().count();

        AutoPlanOptions plain;
        plain.plainDispatch = true;
        const AutoPlanReport dispatched = session.autoPlan(plain);
        ASSERT_TRUE(dispatched.ran);
        const PlanFigures dispatch = dispatched.after;
        ASSERT_TRUE(session.undo());
        ASSERT_EQ(session.planFigures(), loaded);

        const AutoPlanReport report = session.autoPlan(AutoPlanOptions());
        ASSERT_TRUE(report.ran);
        EXPECT_FALSE(report.stopped);
        const PlanFigures planned = report.after;
        std::cout << "seed " << seed << '\n'
                  << line("as loaded", loaded) << line("plain dispatch", dispatch) << line("自動計画", planned);

        // Only the lots named in the report wait on the strip.
        EXPECT_EQ(planned.lotsOnStrip, qint64(report.left.size()));
        EXPECT_LE(session.watch().conflicts().count(), conflictsLoaded);
        EXPECT_LT(planned.lateLots, loaded.lateLots);
        EXPECT_LT(planned.latenessHours, loaded.latenessHours);
        EXPECT_LE(planned.lateLots, dispatch.lateLots);
        EXPECT_LE(planned.latenessHours, dispatch.latenessHours + 1e-6);
        EXPECT_LE(planned.moldChanges, dispatch.moldChanges);
        dispatchTotal.lateLots += dispatch.lateLots;
        dispatchTotal.latenessHours += dispatch.latenessHours;
        plannedTotal.lateLots += planned.lateLots;
        plannedTotal.latenessHours += planned.latenessHours;
    }
    EXPECT_LT(plannedTotal.lateLots, dispatchTotal.lateLots);
    EXPECT_LT(plannedTotal.latenessHours, dispatchTotal.latenessHours);
}

INSTANTIATE_TEST_SUITE_P(Backends, AutoPlanDemo, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
