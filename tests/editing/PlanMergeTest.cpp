// Two runs of one mold combined by dropping one bar on the other: which drops merge, the
// refusals and the question, how the members fold slot by slot, the target's new work time
// and end, the source merged away, and the whole merge as one undo step.

#include "EditingPlant.h"
#include "TestPlant.h"
#include "editing/BarDrop.h"
#include "editing/PlanMerge.h"
#include "editing/WorkDuration.h"

#include <functional>
#include <optional>
#include <gtest/gtest.h>

namespace {

// The ninth character of the item code is "1", the lots' group kind: members count in the
// lot's quantity.
const QString Item = QStringLiteral("CASE-0001");
const QString Process = QStringLiteral("成形");

MemberSlot member(qint64 arrangement, qint64 quantity, const QString &process = Process)
{
    MemberSlot slot;
    slot.PlanNo = 77;
    slot.HasPlanNo = true;
    slot.ArrangementNo = arrangement;
    slot.ItemCode = Item;
    slot.Sequence = 1;
    slot.ProcessName = process;
    slot.ModelName = QStringLiteral("ケース");
    slot.Quantity = quantity;
    return slot;
}

// A lot of the run: item CASE-0001 of plan 77, step 1, 15 seconds a piece, one member.
void makeRun(PlanRecord &lot, qint64 arrangement, qint64 quantity)
{
    lot.ArrangementNo = arrangement;
    lot.ItemCode = Item;
    lot.PlanNo = 77;
    lot.PlanNoText = QStringLiteral("77");
    lot.RateSequence = 1;
    lot.DisplayItemName = QStringLiteral("ケース");
    lot.ProcessName = Process;
    lot.GroupProcessName = Process;
    lot.GroupKind = QStringLiteral("1");
    lot.Cycle = 30;
    lot.Cavities = 2;
    lot.Persons = 1;
    lot.Quantity = quantity;
    lot.WorkMinutes = ComputeWorkMinutes(15, quantity, 1);
    lot.Members.set(0) = member(arrangement, quantity);
}

using Adjust = std::function<void(PlanRecord &source, PlanRecord &target)>;

// Target T (arrangement 5000, 200 pieces, 50 minutes) on M01 from 2024/05/10 10:00 and source
// S (arrangement 5001, 100 pieces) on M02 at the same time, as a test adjusts them.
class MergeScene
{
public:
    MergeScene(Database &db, const Adjust &adjust = {}) : plant(&db)
    {
        target = plant.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 50, .quantity = 200});
        source = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/10 10:00"),
                            .minutes = 25});
        plant.amend(target, [](PlanRecord &t) { makeRun(t, 5000, 200); });
        plant.amend(source, [](PlanRecord &s) { makeRun(s, 5001, 100); });
        if (adjust) {
            PlanRecord s = plant.lot(source), t = plant.lot(target);
            adjust(s, t);
            plant.amend(source, [&](PlanRecord &r) { r = s; });
            plant.amend(target, [&](PlanRecord &r) { r = t; });
        }
        plant.start();
        drops = std::make_unique<BarDrop>(plant.session, chart);
        chart.setUp(13815, plant.run.periodStartDate(), plant.run.DayStartTime, BarOptions(),
                    plant.run.GridUnitMinutes);
        chart.showMode(DisplayMode::Day);
        // As the main window does: every change lays its lots' bars out again.
        QObject::connect(plant.path, &EditPath::recordsChanged, &chart, [this](const QList<qint64> &lots) {
            for (const qint64 lot : lots)
                chart.layOutBar(lot);
        });
    }

    // The source's bar let go on the target's bar with its left edge at 2024/05/10 12:00 of M01.
    void dropOnTarget()
    {
        const QDateTime at = EditingPlant::at(QStringLiteral("2024/05/10 12:00"));
        const double left = double(chart.scale().planTimeToX(at.date(), at.time(), ChartSurface::Main));
        drops->dropOnBar(source, target, EditingPlant::M01, left);
    }

    const PlanRecord &s() const { return plant.store[source]; }
    const PlanRecord &t() const { return plant.store[target]; }

    EditingPlant plant;
    GanttChart chart{plant.store, plant.rows, plant.calendar};
    std::unique_ptr<BarDrop> drops;
    qint64 target = 0, source = 0;
};

class PlanMergeTest : public ::testing::Test
{
protected:
    TestPlant db;
};

TEST_F(PlanMergeTest, EveryDropThatDoesNotMergeMovesTheLotToTheDropPoint)
{
    const auto noRoom = [](PlanRecord &s, PlanRecord &t) {
        for (int j = 0; j < MemberSlots::Capacity; ++j)
            t.Members.set(j) = member(6000 + j, 10, QStringLiteral("工程%1").arg(j));
        s.Members.set(0) = member(5001, 100, QStringLiteral("仕上"));
    };
    struct Case
    {
        const char *what;
        Adjust adjust;
        std::optional<bool> answer;
        QStringList said;
    } cases[] = {
        {"another item", [](PlanRecord &s, PlanRecord &) { s.ItemCode = QStringLiteral("CASE-0002"); }, {}, {}},
        {"another production plan", [](PlanRecord &s, PlanRecord &) { s.PlanNoText = QString(); }, {}, {}},
        {"another process step", [](PlanRecord &s, PlanRecord &) { s.RateSequence = 2; }, {}, {}},
        {"another display name", [](PlanRecord &s, PlanRecord &) { s.DisplayItemName = QStringLiteral("ふた"); }, {}, {}},
        {"actuals on the source", [](PlanRecord &s, PlanRecord &) { s.ReceivedQty = 1; }, {}, {merging::ActualsRecorded}},
        {"actuals on the target", [](PlanRecord &, PlanRecord &t) { t.ReceivedQty = 1; }, {}, {merging::ActualsRecorded}},
        {"No to the question", {}, false, {merging::AskMerge}},
        // Folding would lose a member: refused before anything is asked or changed.
        {"no room for a member", noRoom, {}, {merging::NoRoomForMembers}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MergeScene scene(db.db(), c.adjust);
        if (c.answer)
            scene.plant.prompter.expectAnswer(*c.answer);
        const PlanRecord before = scene.t();
        scene.dropOnTarget();
        EXPECT_EQ(scene.plant.prompter.texts(), c.said);
        EXPECT_EQ(scene.s().MachineCode, EditingPlant::M01);
        EXPECT_EQ(scene.plant.startText(scene.source), "2024/05/10 12:00");
        EXPECT_EQ(scene.s().Active, 1);
        EXPECT_EQ(scene.t().Members, before.Members);
        EXPECT_EQ(scene.t().Quantity, before.Quantity);
    }
}

TEST_F(PlanMergeTest, YesFoldsTheSourceIntoTheTargetAsOneUndoStep)
{
    MergeScene scene(db.db());
    const PlanRecord sourceBefore = scene.s();
    const PlanRecord targetBefore = scene.t();
    scene.plant.prompter.expectAnswer(true);
    scene.dropOnTarget();

    // The same member in both lots: the target's slot keeps arrangement 5000 with all 300
    // pieces, and 5001 follows in the next slot with none.
    const PlanRecord &t = scene.t();
    EXPECT_EQ(t.Members.at(0).ArrangementNo, 5000);
    EXPECT_EQ(t.Members.at(0).Quantity, 300);
    EXPECT_EQ(t.Members.at(1).ArrangementNo, 5001);
    EXPECT_EQ(t.Members.at(1).Quantity, 0);
    EXPECT_TRUE(t.Members.at(2).isFree());
    EXPECT_EQ(t.Quantity, 300);
    EXPECT_EQ(t.WorkMinutes, 75) << "300 pieces at 15 seconds";
    EXPECT_EQ(scene.plant.endText(scene.target), "2024/05/10 11:15");
    EXPECT_EQ(t.MachineCode, EditingPlant::M01) << "the target stays where it was";
    EXPECT_EQ(scene.plant.startText(scene.target), "2024/05/10 10:00");
    EXPECT_EQ(t.MembersWritten, 1);

    const PlanRecord &s = scene.s();
    EXPECT_EQ(s.Active, 0);
    EXPECT_EQ(s.ArrangementNo, 0);
    EXPECT_EQ(s.MembersWritten, 0);
    EXPECT_EQ(s.MachineCode, EditingPlant::M02) << "merged away, not moved";
    EXPECT_FALSE(scene.chart.bar(scene.source).visible);

    scene.plant.path->undo();
    EXPECT_EQ(scene.s(), sourceBefore);
    EXPECT_EQ(scene.t(), targetBefore);
    EXPECT_TRUE(scene.chart.bar(scene.source).visible);
    EXPECT_FALSE(scene.plant.path->canUndo());

    scene.plant.path->redo();
    EXPECT_EQ(scene.s().Active, 0);
    EXPECT_EQ(scene.t().Quantity, 300);
    EXPECT_FALSE(scene.chart.bar(scene.source).visible);
}

TEST_F(PlanMergeTest, ASavedMergeIsNoLongerUndone)
{
    // Saving deletes the emptied arrangement 5001 in the database; bringing the source back
    // in memory would not bring that row back.
    MergeScene scene(db.db());
    scene.plant.prompter.expectAnswer(true);
    scene.dropOnTarget();
    scene.plant.path->markClean();
    EXPECT_FALSE(scene.plant.path->canUndo());
    EXPECT_EQ(scene.s().Active, 0);
}

TEST_F(PlanMergeTest, TheTargetsEndMovesOnlyWhenItWorksMoreThanThirtyMinutes)
{
    struct Case
    {
        qint64 targetPieces, sourcePieces;
        qint64 minutes;
        const char *end;
    } cases[] = {
        {60, 60, 30, "2024/05/10 10:50"},  // 120 pieces: 30 minutes, the end stays
        {60, 64, 31, "2024/05/10 10:31"},  // 124 pieces: 31 minutes from the start
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.minutes);
        MergeScene scene(db.db(), [&](PlanRecord &s, PlanRecord &t) {
            makeRun(t, 5000, c.targetPieces);
            makeRun(s, 5001, c.sourcePieces);
        });
        scene.plant.prompter.expectAnswer(true);
        scene.dropOnTarget();
        EXPECT_EQ(scene.t().WorkMinutes, c.minutes);
        EXPECT_EQ(scene.plant.endText(scene.target), c.end);
    }
}

// The fold itself, slot by slot, for the cases the drops above do not reach.
TEST(MemberFolding, SlotBySlot)
{
    struct Case
    {
        const char *what;
        std::vector<MemberSlot> source, target;
        std::vector<std::pair<qint64, qint64>> expected; // the target's slots: arrangement, quantity
        qint64 quantity;                                 // the target's quantity afterwards
    } cases[] = {
        {"a smaller stored number stays in front", {member(4999, 100)}, {member(5000, 200)},
         {{4999, 300}, {5000, 0}}, 300},
        {"a provisional target slot takes the stored number", {member(5001, 100)}, {member(-1, 200)},
         {{5001, 300}}, 300},
        {"a provisional source member is dropped into the target's slot", {member(-2, 100)}, {member(5000, 200)},
         {{5000, 300}}, 300},
        {"another process takes the next free slot and leaves the quantity", {member(5001, 100, QStringLiteral("仕上"))},
         {member(5000, 200)}, {{5000, 200}, {5001, 100}}, 200},
        {"an empty target slot is passed over for the match", {member(5001, 100)},
         {member(5000, 0), member(5002, 50)}, {{5000, 0}, {5001, 150}, {5002, 0}}, 300},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        PlanRecord source, target;
        makeRun(source, 1, 0);
        makeRun(target, 2, 200);
        for (size_t i = 0; i < c.source.size(); ++i)
            source.Members.set(int(i)) = c.source[i];
        for (size_t i = 0; i < c.target.size(); ++i)
            target.Members.set(int(i)) = c.target[i];
        ASSERT_TRUE(foldMembers(source, target));
        for (size_t j = 0; j < c.expected.size(); ++j) {
            EXPECT_EQ(target.Members.at(int(j)).ArrangementNo, c.expected[j].first) << "slot " << j;
            EXPECT_EQ(target.Members.at(int(j)).Quantity, c.expected[j].second) << "slot " << j;
        }
        EXPECT_TRUE(target.Members.at(int(c.expected.size())).isFree());
        EXPECT_EQ(target.Quantity, c.quantity);
    }
}

TEST(MemberFolding, ProvisionalNumbersKeepTheirSourceArrangement)
{
    PlanRecord source, target;
    makeRun(source, 5001, 100);
    makeRun(target, 5000, 200);
    target.Members.set(0).ArrangementNo = -1;
    target.Members.set(0).AuxNo = 4000;
    ASSERT_TRUE(foldMembers(source, target));
    EXPECT_EQ(target.Members.at(0).ArrangementNo, 5001);
    EXPECT_EQ(target.Members.at(0).AuxNo, 0) << "a stored arrangement is written, not created";
}

TEST(MemberFolding, SetBFoldsIntoSetBAndAnItemOfAnotherGroupAddsNoQuantity)
{
    PlanRecord source, target;
    makeRun(source, 5001, 100);
    makeRun(target, 5000, 200);
    MemberSlot outer = member(7001, 40);
    outer.ItemCode = QStringLiteral("CASE-0002"); // ninth character "2": another group
    source.AltMembers.set(0) = outer;
    target.AltMembers.set(0) = member(7000, 30);
    ASSERT_TRUE(foldMembers(source, target));
    EXPECT_EQ(target.AltMembers.at(1).ArrangementNo, 7001);
    EXPECT_EQ(target.AltMembers.at(1).Quantity, 40);
    EXPECT_EQ(target.Quantity, 300) << "set A's 100 pieces join, set B's 40 of group 2 do not";
}

} // namespace
