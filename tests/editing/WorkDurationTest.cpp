// Work minutes from rate, quantity and people, productivity units, and the rate a lot takes
// when it is dropped on another row.

#include "EditingPlant.h"
#include "TestPlant.h"
#include "editing/StretchBar.h"
#include "editing/WorkDuration.h"

#include <gtest/gtest.h>

namespace {

TEST(ComputeWorkMinutes, RoundsUpToMinutesThenSharesAmongPeopleHalvesToEven)
{
    struct Case
    {
        double seconds;
        qint64 quantity, persons, minutes;
    };
    const Case cases[] = {
        {0, 120, 1, 10},  // five seconds a piece when no rate is known
        {7, 100, 1, 12},  // 11.67 minutes round up
        {7, 100, 0, 12},  // nobody counts as one person
        {30, 10, 2, 2},   // 2.5 rounds to the even 2
        {30, 14, 2, 4},   // 3.5 rounds to the even 4
        {1.25, 48, 1, 1}, // exactly one minute stays one
        {-7, 100, 1, 12}, // a negative rate from junk data still gives a length
        {3, 40'000'000, 1, 2'000'000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ComputeWorkMinutes(c.seconds, c.quantity, c.persons), c.minutes)
            << c.seconds << " s x " << c.quantity << " / " << c.persons;
}

TEST(SecondsPerPiece, FollowsTheProductivityUnit)
{
    struct Case
    {
        double productivity, unit, seconds;
    };
    const Case cases[] = {
        {120, 6, 30}, {120, 2, 7200}, {2, 3, 7200}, {15, 1, 15}, {4, 5, 15},
        {0.5, 4, 2},  {15, 0, 15},    {0.25, 9, 4},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(secondsPerPiece(c.productivity, c.unit), c.seconds) << c.productivity << " unit " << c.unit;
}

class StretchBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lot = plant.add({.minutes = 500, .quantity = 100});
        plant.amend(lot, [](PlanRecord &record) {
            record.RateItemCode = QStringLiteral("A100");
            record.RateSequence = 20;
            record.Cavities = 4;
            record.Persons = 2;
            record.SecondsPerPiece = 11;
            record.Cycle = 44;
        });
        plant.start();
    }

    void routing(double productivity, const QString &unit)
    {
        db.insert(QStringLiteral("DB0381"), {{QStringLiteral("品名コード"), QStringLiteral("A100")},
                                             {QStringLiteral("順序"), 20},
                                             {QStringLiteral("生産工場コード"), 1},
                                             {QStringLiteral("標準生産性＿機械"), productivity},
                                             {QStringLiteral("生産性＿機械＿単位"), unit}});
    }

    void stretchTo(const QString &row)
    {
        Edit edit = plant.path->beginAction(QStringLiteral("ドロップ"));
        StretchBar(edit, lot, row, plant.rows, db.db());
        edit.commit();
    }

    TestPlant db;
    EditingPlant plant;
    qint64 lot = 0;
};

TEST_F(StretchBarTest, OnASubcontractorRowTheRoutingSetsRateCycleAndMinutes)
{
    routing(15, QStringLiteral("1"));
    stretchTo(EditingPlant::S01);
    const PlanRecord &record = plant.store[lot];
    EXPECT_DOUBLE_EQ(record.SecondsPerPiece, 15);
    EXPECT_DOUBLE_EQ(record.Cycle, 60) << "four cavities at 15 seconds a piece";
    EXPECT_EQ(record.WorkMinutes, 12) << "25 minutes shared by two, halves to even";
}

TEST_F(StretchBarTest, OnAMachineRowOrWithoutRoutingTheLotKeepsItsRate)
{
    routing(15, QStringLiteral("1"));
    const PlanRecord before = plant.store[lot];
    stretchTo(EditingPlant::M02);
    stretchTo(QString());
    stretchTo(QStringLiteral("NOROW"));
    EXPECT_EQ(plant.store[lot], before);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(StretchBarTest, AMissingOrZeroProductivityLeavesTheLot)
{
    const PlanRecord before = plant.store[lot];
    stretchTo(EditingPlant::S01);
    routing(0, QStringLiteral("6"));
    stretchTo(EditingPlant::S01);
    EXPECT_EQ(plant.store[lot], before);
}

} // namespace
