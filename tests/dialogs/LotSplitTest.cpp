// The lot split as BunWindow's rules and as a planner action: the list lines and their
// read-back, the count entry, every check in its order, and what the split does to the plan,
// its undo step and the provisional numbers.

#include "SplitPlant.h"
#include "calendar/ByteWidthText.h"
#include "dialogs/SplitLines.h"

#include <gtest/gtest.h>

namespace {

// Clicks the first line of each plan and enters its count, as the planner would.
void enterCounts(LotSplit &rules, const QStringList &entries)
{
    for (const QString &entry : entries) {
        ASSERT_TRUE(rules.clickPlan(entry.section(QLatin1Char('='), 0, 0).toLongLong())) << entry.toStdString();
        rules.texts().splitCount = entry.section(QLatin1Char('='), 1);
        ASSERT_TRUE(rules.enterCount()) << entry.toStdString();
    }
}

class LotSplitTest : public ::testing::Test
{
protected:
    void SetUp() override { fixture.plant.start(); }

    // Opens the rules on the lot (or on lot `index`) and enters each "PLAN=COUNT".
    void choose(const QStringList &entries, qint64 index = 0)
    {
        rules.open(plant.store[index != 0 ? index : fixture.lot]);
        enterCounts(rules, entries);
    }
    qint64 split(const QStringList &entries, qint64 index = 0)
    {
        choose(entries, index);
        plant.prompter.expectAnswer(true);
        if (!rules.confirm())
            return 0;
        return plant.session.splitLot(index != 0 ? index : fixture.lot, rules.choice());
    }
    const MemberSlot &inner(qint64 index, int k) { return plant.store[index].Members.at(k); }
    const MemberSlot &outer(qint64 index, int k) { return plant.store[index].AltMembers.at(k); }

    SplitPlant fixture;
    EditingPlant &plant = fixture.plant;
    LotSplit rules{plant.prompter};
};

TEST_F(LotSplitTest, LinesShowPlanNamesCountAndAvailableAndReadBack)
{
    rules.open(fixture.record());
    const BunTexts &t = rules.texts();
    ASSERT_EQ(t.innerLines.size(), 3);
    ASSERT_EQ(t.outerLines.size(), 2);
    EXPECT_TRUE(t.innerLines[2].startsWith(QStringLiteral("701      成形")));
    EXPECT_TRUE(t.innerLines[2].endsWith(QStringLiteral("         0/200      "))) << t.innerLines[2].toStdString();
    EXPECT_EQ(splitlines::planNo(t.innerLines[2]), 701);
    EXPECT_EQ(splitlines::chosen(t.innerLines[2]), 0);
    EXPECT_EQ(splitlines::available(t.innerLines[2]), 200);
    // Japanese names are counted in bytes, so every line has the same width on screen.
    for (const QString &line : t.innerLines + t.outerLines)
        EXPECT_EQ(PadToByteWidth(line, 70, u"L"), line) << line.toStdString();
    EXPECT_FALSE(t.splitCountEnabled);

    const QString line = splitlines::withChosen(t.innerLines[1], 123456789);
    EXPECT_EQ(splitlines::chosen(line), 123456789);
    EXPECT_EQ(splitlines::available(line), 300);
    EXPECT_EQ(splitlines::planNo(line), 700);
}

TEST_F(LotSplitTest, ACountGoesToEveryLineOfItsPlanAndThePlanCountsOnce)
{
    rules.open(fixture.record());
    rules.clickLine(SplitRing::Outer, 0); // plan 700
    EXPECT_EQ(rules.texts().planNo, QStringLiteral("700"));
    EXPECT_EQ(rules.texts().splitCount, QStringLiteral("0"));
    EXPECT_TRUE(rules.texts().splitCountEnabled);
    rules.texts().splitCount = QStringLiteral("120");
    ASSERT_TRUE(rules.enterCount());

    const BunTexts &t = rules.texts();
    EXPECT_EQ(splitlines::chosen(t.innerLines[0]), 120);
    EXPECT_EQ(splitlines::chosen(t.innerLines[1]), 120);
    EXPECT_EQ(splitlines::chosen(t.innerLines[2]), 0);
    EXPECT_EQ(splitlines::chosen(t.outerLines[0]), 120);
    EXPECT_EQ(t.innerTotal, QStringLiteral("120")); // two inner processes of plan 700, counted once
    EXPECT_EQ(t.outerTotal, QStringLiteral("120"));
    EXPECT_TRUE(t.planNo.isEmpty());
    EXPECT_TRUE(t.splitCount.isEmpty());
    EXPECT_FALSE(t.splitCountEnabled);
    EXPECT_EQ(t.innerRow, -1);

    // A second plan adds to the inner total only.
    rules.clickLine(SplitRing::Inner, 2);
    rules.texts().splitCount = QStringLiteral("30");
    ASSERT_TRUE(rules.enterCount());
    EXPECT_EQ(rules.texts().innerTotal, QStringLiteral("150"));
    EXPECT_EQ(rules.texts().outerTotal, QStringLiteral("120"));

    // Zero everywhere leaves both totals empty.
    enterCounts(rules, {"700=0", "701=0"});
    EXPECT_TRUE(rules.texts().innerTotal.isEmpty());
    EXPECT_TRUE(rules.texts().outerTotal.isEmpty());
}

TEST_F(LotSplitTest, CountsThatAreNoWholeNumberOfPiecesAreRefused)
{
    for (const char *typed : {"abc", "-5", "1.5", "1000000000", "12a"}) {
        rules.open(fixture.record());
        rules.clickLine(SplitRing::Inner, 0);
        rules.texts().splitCount = QString::fromLatin1(typed);
        plant.prompter.clear();
        EXPECT_FALSE(rules.enterCount()) << typed;
        EXPECT_EQ(plant.prompter.texts(), QStringList{lotsplit::BadCount}) << typed;
        EXPECT_EQ(splitlines::chosen(rules.texts().innerLines[0]), 0) << typed;
        EXPECT_TRUE(rules.texts().splitCountEnabled) << typed;
    }
}

TEST_F(LotSplitTest, EachCheckRefusesInItsOrderAndLeavesThePlanAlone)
{
    const struct
    {
        const char *what;
        QStringList entries;
        QString message;
        qint64 outerReceived = 0; // of the first outer slot
    } cases[] = {
        {"nothing entered", {}, lotsplit::NothingChosen},
        {"zero for every plan", {"700=0", "701=0", "702=0"}, lotsplit::NothingChosen},
        {"outer only", {"702=50"}, lotsplit::ChooseInner},
        {"inner only", {"701=50"}, lotsplit::ChooseOuter},
        {"totals differ", {"700=100", "702=50"}, lotsplit::TotalsDiffer},
        {"inner over", {"701=201", "702=201"}, lotsplit::InnerExceeds},
        {"outer over", {"700=260"}, lotsplit::OuterExceeds, 50},
        {"whole lot", {"700=300", "701=200", "702=200"}, lotsplit::WholeLot},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SplitPlant local;
        local.amend([&](PlanRecord &r) { r.AltMembers.set(0).Received = c.outerReceived; });
        local.plant.start();
        LotSplit localRules(local.plant.prompter);
        localRules.open(local.record());
        enterCounts(localRules, c.entries);
        const PlanStore before = local.plant.store;
        EXPECT_FALSE(localRules.confirm());
        EXPECT_EQ(local.plant.prompter.texts(), QStringList{c.message});
        EXPECT_FALSE(local.plant.prompter.said()[0].question);
        EXPECT_EQ(local.plant.store.lastIndex(), before.lastIndex());
        EXPECT_FALSE(local.plant.path->canUndo());
    }
}

TEST_F(LotSplitTest, NoToTheQuestionChangesNothing)
{
    choose({"700=100"});
    plant.prompter.expectAnswer(false);
    EXPECT_FALSE(rules.confirm());
    ASSERT_EQ(plant.prompter.said().size(), 1u);
    const auto &question = plant.prompter.said()[0];
    EXPECT_TRUE(question.question);
    EXPECT_EQ(question.text, QStringLiteral("この内容で分割を実施しますか？"));
    EXPECT_EQ(question.title, QStringLiteral("分割の確認"));
    EXPECT_FALSE(question.defaultYes);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(LotSplitTest, SplitMovesTheChosenPiecesToANewLotAfterTheLot)
{
    const PlanRecord before = fixture.record();
    const qint64 cut = split({"700=100"});
    ASSERT_EQ(cut, fixture.lot + 1);
    const PlanRecord &lot = plant.store[fixture.lot];
    const PlanRecord &added = plant.store[cut];

    // The inner processes of plan 700 and the outer one each leave 100 pieces as a
    // provisional arrangement cut from their own.
    const struct
    {
        const MemberSlot &slot;
        qint64 number, source, quantity;
    } expected[] = {
        {inner(cut, 0), -1, 5001, 100}, {inner(cut, 1), -2, 5002, 100}, {outer(cut, 0), -3, 6001, 100},
        {inner(fixture.lot, 0), 5001, 0, 200}, {inner(fixture.lot, 1), 5002, 0, 200},
        {inner(fixture.lot, 2), 5003, 0, 300}, {outer(fixture.lot, 0), 6001, 0, 200},
        {outer(fixture.lot, 1), 6002, 0, 300},
    };
    for (const auto &e : expected) {
        EXPECT_EQ(e.slot.ArrangementNo, e.number);
        EXPECT_EQ(e.slot.AuxNo, e.source) << e.number;
        EXPECT_EQ(e.slot.Quantity, e.quantity) << e.number;
    }
    EXPECT_TRUE(inner(cut, 2).isFree());
    EXPECT_EQ(inner(cut, 1).ProcessName, QStringLiteral("仕上"));
    EXPECT_EQ(inner(cut, 1).PlanNo, 700);
    EXPECT_EQ(inner(cut, 1).Sequence, 11);

    EXPECT_EQ(added.Quantity, 100);
    EXPECT_EQ(added.ReceivedQty, 0);
    EXPECT_EQ(lot.Quantity, 200);
    EXPECT_EQ(added.BarIndex, before.BarIndex + 1);
    EXPECT_EQ(added.ArrangementNo, -1);
    EXPECT_EQ(lot.ArrangementNo, 5001);
    EXPECT_EQ(lot.MembersWritten, 1);
    EXPECT_EQ(added.MembersWritten, 1);
    // 200 pieces take two hours from the lot's start; the new lot starts a minute after the
    // lot's end on the 10-minute grid and runs an hour.
    EXPECT_EQ(plant.endText(fixture.lot), "2024/05/10 10:00");
    EXPECT_EQ(lot.WorkMinutes, 120);
    EXPECT_EQ(plant.startText(cut), "2024/05/10 10:01");
    EXPECT_EQ(plant.endText(cut), "2024/05/10 11:01");
    EXPECT_EQ(added.WorkMinutes, 60);
    EXPECT_EQ(added.MachineCode, EditingPlant::M01);

    // One undo step takes the new lot away and gives the lot its pieces back; the numbers
    // are not given again.
    EXPECT_EQ(plant.path->undoText(), QStringLiteral("手配分割"));
    plant.path->undo();
    EXPECT_EQ(plant.store.lastIndex(), fixture.lot);
    EXPECT_EQ(plant.store[fixture.lot], before);
    EXPECT_FALSE(plant.path->canUndo());
    const qint64 again = split({"701=10", "702=10"});
    EXPECT_EQ(inner(again, 0).ArrangementNo, -4);
    EXPECT_EQ(outer(again, 0).ArrangementNo, -5);
}

TEST_F(LotSplitTest, SplittingAProvisionalSlotKeepsTheStoredSource)
{
    const qint64 first = split({"700=100"});
    const qint64 second = split({"700=40"}, first);
    ASSERT_NE(second, 0);
    EXPECT_EQ(inner(second, 0).ArrangementNo, -4);
    EXPECT_EQ(inner(second, 0).AuxNo, 5001);
    EXPECT_EQ(inner(first, 0).ArrangementNo, -1);
    EXPECT_EQ(inner(first, 0).AuxNo, 5001);
    EXPECT_EQ(inner(first, 0).Quantity, 60);
    EXPECT_EQ(plant.store[second].BarIndex, plant.store[first].BarIndex + 1);
    EXPECT_EQ(fixture.numbers.last(), -6);
}

TEST_F(LotSplitTest, AMemberChosenInFullLeavesTheLotUnlessItHasReceivedPieces)
{
    // Plan 700 in full: its inner and outer processes have received nothing and leave.
    const qint64 cut = split({"700=300"});
    ASSERT_NE(cut, 0);
    EXPECT_EQ(inner(fixture.lot, 0).ArrangementNo, 5003);
    EXPECT_TRUE(inner(fixture.lot, 1).isFree());
    EXPECT_EQ(outer(fixture.lot, 0).ArrangementNo, 6002);
    EXPECT_EQ(plant.store[fixture.lot].ArrangementNo, 5003); // the lot goes by a number it still holds
    EXPECT_EQ(plant.store[cut].Quantity, 300);
    plant.path->undo();

    // Plans 701 and 702 in full: their processes stay with the pieces they received.
    const qint64 rest = split({"701=200", "702=200"});
    ASSERT_NE(rest, 0);
    EXPECT_EQ(inner(fixture.lot, 2).ArrangementNo, 5003);
    EXPECT_EQ(inner(fixture.lot, 2).Quantity, 100);
    EXPECT_EQ(inner(fixture.lot, 2).Received, 100);
    EXPECT_EQ(outer(fixture.lot, 1).Quantity, 100);
    EXPECT_EQ(inner(rest, 0).Quantity, 200);
}

} // namespace
