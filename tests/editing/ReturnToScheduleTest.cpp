// "予定に戻す": a lot moved since loading goes back to its loaded dates at midnight, with its
// work minutes worked out from its cycle, in one undo step.

#include "EditingPlant.h"
#include "editing/ReturnToSchedule.h"

#include <gtest/gtest.h>

namespace {

TEST(ReturnToSchedule, AMovedLotGoesBackToItsLoadedDatesAtMidnight)
{
    EditingPlant plant;
    const qint64 lot = plant.add({.start = QStringLiteral("2024/05/20 14:10"), .minutes = 45, .quantity = 600});
    plant.amend(lot, [](PlanRecord &record) {
        record.LoadedStartDate = QDate(2024, 5, 10);
        record.LoadedEndDate = QDate(2024, 5, 11);
        record.Cycle = 30;
        record.Cavities = 2; // 15 seconds a piece: 600 pieces in 150 minutes, shared by 2 persons
        record.Persons = 2;
    });
    plant.start();

    ReturnToLoadedDates(*plant.path, lot);
    EXPECT_EQ(plant.startText(lot), "2024/05/10 00:00");
    EXPECT_EQ(plant.endText(lot), "2024/05/11 00:00");
    EXPECT_EQ(plant.store[lot].WorkMinutes, 75);
    EXPECT_EQ(plant.store[lot].MachineCode, EditingPlant::M01) << "the lot stays on its row";
    EXPECT_TRUE(plant.path->saveEnabled());

    plant.path->undo();
    EXPECT_EQ(plant.startText(lot), "2024/05/20 14:10");
    EXPECT_EQ(plant.store[lot].WorkMinutes, 45);
}

TEST(ReturnToSchedule, NoCavitiesCountAsOne)
{
    EditingPlant plant;
    const qint64 lot = plant.add({.quantity = 120});
    plant.amend(lot, [&](PlanRecord &r) { r.Cycle = 30; });
    plant.amend(lot, [&](PlanRecord &r) { r.Persons = 0; });
    plant.start();
    ReturnToLoadedDates(*plant.path, lot);
    EXPECT_EQ(plant.store[lot].WorkMinutes, 60);
}

} // namespace
