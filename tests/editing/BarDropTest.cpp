// A bar let go on the chart: the row under the pointer, the refused moves of end-fixed lots,
// the lot's new row and times, one undo step per drop, and a failed routing read.

#include "EditingPlant.h"
#include "TestPlant.h"
#include "editing/BarDrop.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class BarDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        free = plant.add({.start = QStringLiteral("2024/05/10 10:00")});
        endFixed = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/10 10:00"),
                              .fixed = QStringLiteral("1")});
        plant.start();
        drops = std::make_unique<BarDrop>(plant.session, chart);
        chart.setUp(13815, plant.run.periodStartDate(), plant.run.DayStartTime, BarOptions(), plant.run.GridUnitMinutes);
        chart.showMode(DisplayMode::Day);
    }

    double xOf(const QString &moment) const
    {
        const QDateTime at = EditingPlant::at(moment);
        return double(chart.scale().planTimeToX(at.date(), at.time(), ChartSurface::Main));
    }

    // A drop on `row` with the bar's left edge at `moment`.
    void drop(qint64 lot, const std::optional<QString> &row, const QString &moment)
    {
        drops->dropOnSurface(lot, row, xOf(moment));
    }

    TestPlant db;
    EditingPlant plant{&db.db()};
    GanttChart chart{plant.store, plant.rows, plant.calendar};
    std::unique_ptr<BarDrop> drops;
    qint64 free = 0, endFixed = 0;
};

TEST_F(BarDropTest, TheRowUnderAHeightIsTheFirstWhoseBoundaryLiesBelowIt)
{
    // Rows are 600 twips from 240 on; a boundary lies 450 twips below a row's top.
    EXPECT_EQ(RowAtY(plant.rows, -1), std::nullopt);
    EXPECT_EQ(RowAtY(plant.rows, 0), std::optional<QString>(QStringLiteral("        ")));
    EXPECT_EQ(RowAtY(plant.rows, 689), std::optional<QString>(QStringLiteral("        ")));
    EXPECT_EQ(RowAtY(plant.rows, 690), std::optional<QString>(EditingPlant::M01));
    EXPECT_EQ(RowAtY(plant.rows, 6089), std::optional<QString>(QString())) << "the last, empty row";
    EXPECT_EQ(RowAtY(plant.rows, 6090), std::optional<QString>(QString())) << "below the last row";
}

TEST_F(BarDropTest, ALotDroppedOnAnotherMachineTakesItAndTheTimeUnderItsLeftEdge)
{
    drop(free, EditingPlant::M02, QStringLiteral("2024/05/11 13:04"));
    const PlanRecord &lot = plant.store[free];
    EXPECT_EQ(lot.MachineCode, EditingPlant::M02);
    EXPECT_EQ(plant.startText(free), "2024/05/11 13:10") << "rounded up to the 10-minute grid";
    EXPECT_EQ(plant.endText(free), "2024/05/11 14:10");
    EXPECT_EQ(lot.MembersWritten, 1);
    EXPECT_TRUE(plant.path->saveEnabled());
    // The bar is drawn on M02's row: nearer its top than any other row's.
    const auto distanceTo = [&](int row) { return std::abs(chart.bar(free).top - qint64(plant.rows.row(row).top)); };
    EXPECT_LT(distanceTo(3), distanceTo(2));
    EXPECT_LT(distanceTo(3), distanceTo(4));

    plant.path->undo();
    EXPECT_EQ(plant.store[free].MachineCode, EditingPlant::M01);
    EXPECT_EQ(plant.startText(free), "2024/05/10 10:00");
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(BarDropTest, AnEndFixedLotMayMoveEarlierButNotLaterNorOffItsRow)
{
    drop(endFixed, EditingPlant::M03, QStringLiteral("2024/05/10 12:00"));
    EXPECT_EQ(plant.prompter.texts(), QStringList{dropping::EndFixedNotLater});
    EXPECT_EQ(plant.startText(endFixed), "2024/05/10 10:00");
    EXPECT_EQ(plant.store[endFixed].MachineCode, EditingPlant::M02) << "the lot stays on the row it came from";

    plant.prompter.clear();
    drop(endFixed, QString(), QStringLiteral("2024/05/10 08:00"));
    EXPECT_EQ(plant.prompter.texts(), QStringList{dropping::EndFixedNotUnassigned});
    EXPECT_EQ(plant.store[endFixed].MachineCode, EditingPlant::M02);

    plant.prompter.clear();
    drop(endFixed, EditingPlant::M02, QStringLiteral("2024/05/10 08:00"));
    EXPECT_TRUE(plant.prompter.texts().isEmpty());
    EXPECT_EQ(plant.startText(endFixed), "2024/05/10 08:00");
}

TEST_F(BarDropTest, ALotDroppedBelowTheLastRowWaitsUnassigned)
{
    drop(free, QString(), QStringLiteral("2024/05/12 08:00"));
    EXPECT_EQ(plant.store[free].MachineCode, QStringLiteral("        "));
    EXPECT_TRUE(chart.bar(free).onStrip);
}

TEST_F(BarDropTest, ADropAboveTheSurfaceChangesNothing)
{
    const PlanRecord before = plant.store[free];
    drops->dropOnSurface(free, RowAtY(plant.rows, -30), xOf(QStringLiteral("2024/05/12 08:00")));
    EXPECT_EQ(plant.store[free], before);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(BarDropTest, AFailedRoutingReadIsReportedAndTheLotStaysPut)
{
    TestPlant broken(TestPlant::Backend::Sqlite, TestPlant::Contents::Empty);
    PlanSession failing(plant.run, broken.db(), plant.prompter);
    failing.adopt(plant.rows, plant.calendar, plant.store);
    GanttChart failingChart{failing.store(), failing.rows(), failing.calendar()};
    failingChart.setUp(13815, plant.run.periodStartDate(), plant.run.DayStartTime, BarOptions(), plant.run.GridUnitMinutes);
    failingChart.showMode(DisplayMode::Day);
    BarDrop drop(failing, failingChart);
    const PlanRecord before = failing.store()[free];
    drop.dropOnSurface(free, EditingPlant::S01, xOf(QStringLiteral("2024/05/12 08:00")));
    ASSERT_EQ(plant.prompter.texts().size(), 1);
    EXPECT_EQ(failing.store()[free], before);
    EXPECT_FALSE(failing.editPath().canUndo());
    EXPECT_EQ(failingChart.bar(free).left, xOf(QStringLiteral("2024/05/10 10:00"))) << "the bar is back on its lot";
}

} // namespace
