// The default demo plant, and the same plant with other seeds, looks like a molding plant on
// the chart: runs of hours rather than weeks, mostly on time, a backlog on the strip rather
// than most of the plan, and the awkward cases a planner meets.

#include "DemoFigures.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "DemoStart.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DemoPlantTargets : public testing::TestWithParam<quint32>
{
};

TEST_P(DemoPlantTargets, MoldingClassLooksLikeAPlant)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.db");
    demo::writeSqlitePlant(path, {2000, GetParam(), DemoStart}, false);
    auto db = Database::open("sqlite:" + path, {}, {}, "targets");
    const QList<demo::ClassFigures> figures = demo::measurePlant(*db, DemoStart);
    const auto molding = std::find_if(figures.cbegin(), figures.cend(),
                                      [](const demo::ClassFigures &f) { return f.classCode == demo::MoldingClass; });
    ASSERT_NE(molding, figures.cend());
    const demo::ClassFigures &f = *molding;
    ASSERT_GT(f.placed, 300);

    EXPECT_LE(f.share(f.red), 15.0) << "late bars";
    EXPECT_GE(f.share(f.yellow), 10.0) << "bars due within three days";
    EXPECT_GE(f.share(f.cyan), 50.0) << "bars with days to spare";
    EXPECT_GE(f.medianHours, 4.0);
    EXPECT_LE(f.medianHours, 24.0);
    EXPECT_LE(f.share(f.overFiveDays), 3.0) << "bars over five days";
    EXPECT_GE(f.waitingShare(), 5.0) << "the strip holds a backlog";
    EXPECT_LE(f.waitingShare(), 25.0) << "the strip does not hold most of the plan";
    EXPECT_GT(f.overlaps, 0);
    EXPECT_LE(f.share(f.overlaps), 5.0);
    EXPECT_GT(f.moldDoubleBookings, 0);
    EXPECT_GT(f.mergeableLots, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DemoPlantTargets, testing::Values(1u, 2u, 3u));

} // namespace
