// The process split of the detail window: its checks and questions in their order, and the
// move of whole processes to a new lot a day later as one planner action.

#include "SplitPlant.h"
#include "dialogs/DetailLines.h"
#include "dialogs/ProcessSplit.h"

#include <gtest/gtest.h>

namespace {

class ProcessSplitTest : public ::testing::Test
{
protected:
    void SetUp() override { fixture.plant.start(); }

    ProcessChoice choice(std::vector<int> inner, std::vector<int> outer = {})
    {
        const PlanRecord &lot = plant.store[fixture.lot];
        return {memberLines(lot.Members), memberLines(lot.AltMembers), std::move(inner), std::move(outer)};
    }
    bool confirm(const ProcessChoice &chosen, const QString &itemCode = QStringLiteral("A100"))
    {
        return confirmProcessSplit(plant.store[fixture.lot], chosen, itemCode, plant.prompter);
    }

    SplitPlant fixture;
    EditingPlant &plant = fixture.plant;
};

TEST_F(ProcessSplitTest, ChecksRefuseInTheirOrder)
{
    const struct
    {
        const char *what;
        std::vector<int> inner, outer;
        QString message;
    } cases[] = {
        {"nothing chosen", {}, {}, processsplit::NothingChosen},
        {"every process", {0, 1, 2}, {0, 1}, processsplit::AllChosen},
        {"inner and outer", {1}, {0}, processsplit::OuterRefused},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        plant.prompter.clear();
        EXPECT_FALSE(confirm(choice(c.inner, c.outer)));
        EXPECT_EQ(plant.prompter.texts(), QStringList{c.message});
    }

    // A separation process never moves.
    plant.prompter.clear();
    ProcessChoice separation = choice({1});
    separation.inner[1] = QStringLiteral("5002 分離 ケースＡ 300");
    EXPECT_FALSE(confirm(separation));
    EXPECT_EQ(plant.prompter.texts(), QStringList{processsplit::SeparationRefused});
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(ProcessSplitTest, TheOneItemOfBothRingsMovesInnerAndOuterTogether)
{
    plant.prompter.expectAnswer(true);
    const qint64 moved = plant.session.splitProcesses(fixture.lot, choice({1}, {0}), QStringLiteral(" 1012001500011 "));
    ASSERT_NE(moved, 0);
    EXPECT_EQ(plant.store[moved].Members.at(0).ArrangementNo, 5002);
    EXPECT_EQ(plant.store[moved].AltMembers.at(0).ArrangementNo, 6001);
    EXPECT_TRUE(plant.store[fixture.lot].AltMembers.at(0).isFree());
}

TEST_F(ProcessSplitTest, QuestionsOfTheSplitAndOfAProcessNameLeftBehind)
{
    // 成形 is chosen for 5001 while 5003 is another 成形 of the inner ring.
    const struct
    {
        const char *what;
        std::vector<bool> answers;
        bool accepted;
    } cases[] = {
        {"no to the split", {false}, false},
        {"no to the process left behind", {true, false}, false},
        {"yes to both", {true, true}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        plant.prompter.clear();
        for (const bool answer : c.answers)
            plant.prompter.expectAnswer(answer);
        EXPECT_EQ(confirm(choice({0})), c.accepted);
        EXPECT_FALSE(plant.prompter.pendingAnswers());
    }
    const auto &said = plant.prompter.said();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0].text, QStringLiteral("この内容で分割を実施しますか？"));
    EXPECT_EQ(said[0].title, QStringLiteral("分割の確認"));
    EXPECT_EQ(said[1].text, QStringLiteral("成形の工程(内輪)で指定されていない物がありますがよろしいですか？"));
    EXPECT_EQ(said[1].title, QStringLiteral("特殊分割の確認"));
    EXPECT_FALSE(said[0].defaultYes);
    EXPECT_FALSE(said[1].defaultYes);
}

TEST_F(ProcessSplitTest, ChosenProcessesMoveWholeToALotADayLater)
{
    const PlanRecord before = fixture.record();
    // The split's question and the one of a process name left behind, both Yes.
    plant.prompter.expectAnswer(true);
    plant.prompter.expectAnswer(true);
    const qint64 moved = plant.session.splitProcesses(fixture.lot, choice({0}), QStringLiteral("A100"));
    ASSERT_NE(moved, 0);
    const PlanRecord &lot = plant.store[fixture.lot];
    const PlanRecord &added = plant.store[moved];

    EXPECT_EQ(added.Members.at(0).ArrangementNo, 5001);
    EXPECT_EQ(added.Members.at(0).Quantity, 300);
    EXPECT_EQ(added.Members.at(0).ProcessName, QStringLiteral("成形"));
    EXPECT_TRUE(lot.Members.at(0).isFree()); // the slot is emptied, not closed up
    EXPECT_EQ(lot.Members.at(1).ArrangementNo, 5002);
    // Each lot goes by its first inner member.
    EXPECT_EQ(lot.ArrangementNo, 5002);
    EXPECT_EQ(added.ArrangementNo, 5001);
    EXPECT_EQ(added.BarIndex, before.BarIndex + 1);
    EXPECT_EQ(plant.startText(moved), "2024/05/11 08:00");
    EXPECT_EQ(plant.endText(moved), "2024/05/11 11:00");
    EXPECT_EQ(plant.startText(fixture.lot), "2024/05/10 08:00");
    EXPECT_EQ(added.Quantity, 300);
    EXPECT_EQ(lot.MembersWritten, 1);
    EXPECT_EQ(added.MembersWritten, 1);
    EXPECT_EQ(fixture.numbers.last(), 0); // no arrangement is created

    plant.path->undo();
    EXPECT_EQ(plant.store.lastIndex(), fixture.lot);
    EXPECT_EQ(plant.store[fixture.lot], before);

    // A lot left with outer members only goes by its first outer member.
    plant.prompter.clear();
    plant.prompter.expectAnswer(true);
    const qint64 inner = plant.session.splitProcesses(fixture.lot, choice({0, 1, 2}), QStringLiteral("A100"));
    EXPECT_EQ(plant.store[fixture.lot].ArrangementNo, 6001);
    EXPECT_EQ(plant.store[inner].ArrangementNo, 5001);
}

} // namespace
