// The splits as a script names them: counts per production plan and members to move give the
// same lots, messages and questions as the windows, and a name the lot does not hold changes
// nothing.

#include "SplitPlant.h"
#include "dialogs/ScriptedSplits.h"

#include <gtest/gtest.h>

namespace {

class ScriptedSplitsTest : public ::testing::Test
{
protected:
    void SetUp() override { fixture.plant.start(); }
    ScriptedSplit byPlans(std::vector<std::pair<qint64, QString>> counts)
    {
        return plant.session.splitLotByPlans(fixture.lot, counts);
    }

    SplitPlant fixture;
    EditingPlant &plant = fixture.plant;
};

TEST_F(ScriptedSplitsTest, CountsPerPlanSplitAsTheWindowWould)
{
    plant.prompter.expectAnswer(true);
    const ScriptedSplit split = byPlans({{700, "100"}, {701, "0"}});
    ASSERT_NE(split.newLot, 0);
    EXPECT_TRUE(split.error.isEmpty());
    const PlanRecord &added = plant.store[split.newLot];
    EXPECT_EQ(added.Quantity, 100);
    EXPECT_EQ(added.Members.at(1).ArrangementNo, -2);
    EXPECT_EQ(added.AltMembers.at(0).AuxNo, 6001);
}

TEST_F(ScriptedSplitsTest, WhatStopsALotSplitChangesNothing)
{
    const struct
    {
        const char *what;
        std::vector<std::pair<qint64, QString>> counts;
        QString error;
        QStringList said;
    } cases[] = {
        {"a plan the lot does not hold", {{700, "100"}, {999, "5"}},
         QStringLiteral("生産計画番号 999 の工程はこの手配にありません。"), {}},
        {"a count that is no number", {{700, "x"}}, {}, {lotsplit::BadCount}},
        {"counts above what is available", {{701, "500"}, {702, "500"}}, {}, {lotsplit::InnerExceeds}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        plant.prompter.clear();
        const ScriptedSplit split = byPlans(c.counts);
        EXPECT_EQ(split.newLot, 0);
        EXPECT_EQ(split.error, c.error);
        EXPECT_EQ(plant.prompter.texts(), c.said);
        EXPECT_EQ(plant.store.lastIndex(), fixture.lot);
        EXPECT_FALSE(plant.path->canUndo());
    }
}

TEST_F(ScriptedSplitsTest, MembersNameTheProcessesToMove)
{
    const ScriptedSplit unknown = plant.session.splitProcessesByMembers(fixture.lot, {5002, 7777});
    EXPECT_EQ(unknown.newLot, 0);
    EXPECT_EQ(unknown.error, QStringLiteral("手配番号 7777 の工程はこの手配にありません。"));

    // An inner and an outer process of the one item that allows it.
    Edit edit = plant.path->beginAction(QStringLiteral("品名"));
    edit.change(fixture.lot, [](PlanRecord &lot) { lot.ItemCode = QStringLiteral("1012001500011"); });
    edit.commit();
    plant.prompter.expectAnswer(true);
    const ScriptedSplit both = plant.session.splitProcessesByMembers(fixture.lot, {6002, 5002});
    ASSERT_NE(both.newLot, 0);
    EXPECT_EQ(plant.store[both.newLot].Members.at(0).ArrangementNo, 5002);
    EXPECT_EQ(plant.store[both.newLot].AltMembers.at(0).ArrangementNo, 6002);
    EXPECT_EQ(plant.store[both.newLot].ArrangementNo, 5002);
}

} // namespace
