// Merges, splits and added processes carried to the database and back: the database after
// the save describes the same pieces and the same material demand as before the action, only
// placed differently; what the save writes keeps the form the plant's other programs read.

#include "SessionPlant.h"
#include "common/PlantValues.h"
#include "dialogs/ProcessSplit.h"
#include "editing/PlanMerge.h"

#include <gtest/gtest.h>

namespace {

class ConservationRoundTrip : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void start(std::vector<SessionPlant::Lot> lots = SessionPlant::standardLots())
    {
        for (const SessionPlant::Lot &lot : lots)
            p.add(lot);
        p.load();
        startPieces = p.livePieces();
        startDemand = p.liveDemand();
    }

    void expectSamePiecesAndDemand()
    {
        EXPECT_EQ(p.livePieces(), startPieces);
        EXPECT_NEAR(p.liveDemand(), startDemand, 1e-9);
        EXPECT_EQ(p.number("SELECT COUNT(*) FROM DB0252 r INNER JOIN DB0253 a ON r.上位手配番号=a.手配番号"
                           " WHERE r.削除フラグ='0' AND a.削除フラグ='1'"),
                  0)
            << "material demand lives on under a deleted arrangement";
    }

    // Splits pieces off arrangement 1003, then merges the lots of 1002 and 1003, saves.
    void splitThenMerge(bool smallerDropped);

    SessionPlant p{GetParam()};
    std::map<std::pair<qint64, qint64>, qint64> startPieces;
    double startDemand = 0;
};

SESSION_SUITE(ConservationRoundTrip);

TEST_P(ConservationRoundTrip, AMergeTheTargetWouldNotCountIsRefusedAndTheDropMoves)
{
    start();
    const qint64 source = p.lotOf(1022);
    p.prompter.expectAnswer(true); // were the merge asked for, the planner would agree
    EXPECT_EQ(p.session().merge(source, p.lotOf(1021), p.rowCode("M3"), plant::naiveDateTime(QDate(2024, 4, 20), QTime(9, 0))),
              MergeOutcome::Moved);
    EXPECT_TRUE(p.prompter.texts().contains(merging::MemberNotCounted.arg(1022).arg(QStringLiteral("CASE-0002"))));
    EXPECT_EQ(p.store()[source].Active, 1);
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    p.load();
    expectSamePiecesAndDemand();
}

// A process split leaves lot 1001 with its added painting only, and the lot counts its
// painting. A molding lot dropped on it is not merged: its pieces would sit in the lot
// uncounted, and the next start would read the lot with another quantity.
TEST_P(ConservationRoundTrip, AMoldingLotIsNotMergedIntoALotLeftWithItsPaintingOnly)
{
    start();
    const qint64 lot = p.lotOf(1001);
    ASSERT_TRUE(p.addProcesses(lot, 1));
    p.prompter.expectAnswer(true);
    ASSERT_NE(p.splitProcesses(lot, {1001}), 0);
    p.prompter.expectAnswer(true);
    const qint64 molding = p.lotOf(1003);
    EXPECT_FALSE(p.mergeOrMove(molding, lot));
    EXPECT_TRUE(p.prompter.texts().contains(merging::MemberNotCounted.arg(1003).arg(QStringLiteral("CASE-0001"))));
    EXPECT_EQ(p.store()[molding].Active, 1);
    for (int k = 0; k < p.store()[lot].Members.size(); ++k)
        EXPECT_NE(p.store()[lot].Members.at(k).ArrangementNo, 1003) << "the painting lot holds its painting only";
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    p.load();
    expectSamePiecesAndDemand();
}

TEST_P(ConservationRoundTrip, AMergeMovesPiecesTotalsAndDemandToTheTarget)
{
    SessionPlant::Lot target = SessionPlant::lot(1031, 703, "CASE-0011", "M1      ", "2024/04/10 09:00", 300);
    SessionPlant::Lot source = SessionPlant::lot(1032, 703, "CASE-0011", "M2      ", "2024/04/10 09:00", 200);
    target.lastProcess = source.lastProcess = true;
    start({target, source});
    p.prompter.expectAnswer(true);
    ASSERT_TRUE(p.mergeOrMove(p.lotOf(1032), p.lotOf(1031)));
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(p.number("SELECT 指示済数 FROM DB0251 WHERE 生産計画番号=703"), 500)
        << "the merged-away arrangement counts in the plan's total once only";
    p.load();
    EXPECT_EQ(p.store()[p.lotOf(1031)].Quantity, 500);
    expectSamePiecesAndDemand();
}

TEST_P(ConservationRoundTrip, ALotSplitCutsTheDemandWithThePieces)
{
    start();
    p.prompter.expectAnswer(true);
    ASSERT_NE(p.splitLot(p.lotOf(1001), 700, 100), 0);
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    EXPECT_NEAR(p.value("SELECT SUM(必要数) FROM DB0252 WHERE 上位手配番号=1001 AND 削除フラグ='0'").toDouble(), 4, 1e-9);
    p.load();
    expectSamePiecesAndDemand();
}

// A merge that empties an arrangement pieces were split from (the same member in both lots:
// the smaller number keeps the pieces): the split pieces are cut from the kept arrangement and
// saved, whichever lot is dropped on the other.
void ConservationRoundTrip::splitThenMerge(bool smallerDropped)
{
    start();
    p.prompter.expectAnswer(true);
    ASSERT_NE(p.splitLot(p.lotOf(1003), 700, 80), 0);
    p.prompter.expectAnswer(true);
    const qint64 smaller = p.lotOf(1002), larger = p.lotOf(1003);
    ASSERT_TRUE(smallerDropped ? p.mergeOrMove(smaller, larger) : p.mergeOrMove(larger, smaller));
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete) << p.prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1002"), 220);
    expectSamePiecesAndDemand(); // the 80 pieces split off live on in an arrangement of their own
}

TEST_P(ConservationRoundTrip, PiecesSplitFromAnArrangementEmptiedByDroppingItOnTheSmallerAreSaved)
{
    splitThenMerge(false);
}

TEST_P(ConservationRoundTrip, PiecesSplitFromAnArrangementEmptiedByTheSmallerDroppedOnItAreSaved)
{
    splitThenMerge(true);
}

TEST_P(ConservationRoundTrip, AProcessNamedTwiceInAProcessSplitIsChosenOnce)
{
    start();
    const qint64 lot = p.lotOf(1001);
    ASSERT_TRUE(p.addProcesses(lot, 1));
    EXPECT_EQ(p.splitProcesses(lot, {1001, 2001, 2001}), 0);
    EXPECT_TRUE(p.prompter.texts().contains(QStringLiteral("すべての工程を指定する事はできません")));
    EXPECT_FALSE(p.store()[lot].Members.empty());
}

// A merge of 1002 onto 1001 leaves 1001 holding the pieces and 1002 empty, to be written as
// deleted. A process split never parts the two: were they in two lots, a change elsewhere that
// holds back one lot's save would let the other write pieces created or lost.
TEST_P(ConservationRoundTrip, AProcessSplitNeverPartsAnArrangementFromTheOneAMergeEmptiedIntoIt)
{
    start();
    p.prompter.expectAnswer(true);
    const qint64 lot = p.lotOf(1001);
    ASSERT_TRUE(p.mergeOrMove(p.lotOf(1002), lot));
    for (const qint64 chosen : {1001, 1002}) {
        EXPECT_EQ(p.splitProcesses(lot, {chosen}), 0) << chosen;
        EXPECT_EQ(p.prompter.texts().count(processsplit::MergedApart), chosen == 1001 ? 1 : 2);
    }
    // With a process of its own beside them, the two move together.
    ASSERT_TRUE(p.session().undo());
    ASSERT_TRUE(p.addProcesses(lot, 1));
    p.prompter.expectAnswer(true);
    ASSERT_TRUE(p.mergeOrMove(p.lotOf(1002), lot));
    p.prompter.expectAnswer(true);
    const qint64 cut = p.splitProcesses(lot, {1002});
    ASSERT_NE(cut, 0);
    std::vector<qint64> moved;
    for (int k = 0; k < p.store()[cut].Members.size(); ++k)
        moved.push_back(p.store()[cut].Members.at(k).ArrangementNo);
    EXPECT_EQ(moved, (std::vector<qint64>{1001, 1002}));

    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1002"));
    const SaveResult left = p.save([](const SaveResult &) { return PlanSession::ElsewherePolicy::KeepUnsaved; });
    EXPECT_EQ(left.outcome, SaveResult::Outcome::ChangedElsewhere);
    expectSamePiecesAndDemand();
    ASSERT_EQ(p.save([](const SaveResult &) { return PlanSession::ElsewherePolicy::Overwrite; }).outcome,
              SaveResult::Outcome::Complete);
    EXPECT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1001"), 500);
    expectSamePiecesAndDemand();
}

TEST_P(ConservationRoundTrip, EmptyAndBlankCodesKeepTheFormTheyWereReadIn)
{
    SessionPlant::Lot empty = SessionPlant::lot(1041, 700, "CASE-0001", "M2      ", "2024/04/20 09:00", 100);
    empty.columns = {{"指示先コード", ""}, {"計上先コード", QString(12, u' ')}};
    SessionPlant::Lot none = SessionPlant::lot(1042, 700, "CASE-0001", "M3      ", "2024/04/20 09:00", 100);
    none.columns = {{"指示先コード", QVariant()}, {"計上先コード", QVariant()}};
    start({empty, none});
    ASSERT_TRUE(p.move(p.lotOf(1041), "M2", "2024/04/21 09:00"));
    ASSERT_TRUE(p.move(p.lotOf(1042), "M3", "2024/04/21 09:00"));
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    const auto read = [&](const char *column, qint64 number) {
        return p.value(QStringLiteral("SELECT %1 FROM DB0253 WHERE 手配番号=?").arg(QString::fromUtf8(column)), {number});
    };
    EXPECT_FALSE(read("指示先コード", 1041).isNull());
    EXPECT_EQ(read("指示先コード", 1041).toString(), QString());
    EXPECT_EQ(read("計上先コード", 1041).toString(), QString(12, u' '));
    EXPECT_TRUE(read("指示先コード", 1042).isNull());
    EXPECT_TRUE(read("計上先コード", 1042).isNull());
    EXPECT_EQ(read("作業開始日付", 1041).toString(), QStringLiteral("20240421"));
}

TEST_P(ConservationRoundTrip, ALotWithAnAddedProcessSavesItsCycleAndAFailedPartIsNamed)
{
    start();
    const qint64 lot = p.lotOf(1001);
    ASSERT_TRUE(p.addProcesses(lot, 1));
    const SaveResult saved = p.save();
    EXPECT_EQ(saved.outcome, SaveResult::Outcome::Complete);
    EXPECT_TRUE(saved.partlyFailedLots.empty());
    EXPECT_FALSE(p.prompter.texts().join(u'\n').contains(QStringLiteral("サイクル情報")));
    EXPECT_EQ(p.number("SELECT COUNT(*) FROM DB0492 WHERE 品名コード='CASE-0001' AND 順序=1 AND 機械コード='M1      '"), 1);
    EXPECT_EQ(p.number("SELECT COUNT(*) FROM DB0492 WHERE 順序=999"), 0) << "the molding rate is no painting cycle";

    // A cycle row the database refuses: the lot is saved, the save says which lot missed it.
    QSqlQuery refuse(p.plant.db().connection());
    ASSERT_TRUE(refuse.exec(QStringLiteral("DROP TABLE DB0492")));
    ASSERT_TRUE(p.move(p.lotOf(1003), "M2", "2024/04/20 09:00"));
    const SaveResult partly = p.save();
    EXPECT_EQ(partly.partlyFailedLots, std::vector<qint64>{p.lotOf(1003)});
    EXPECT_TRUE(p.prompter.texts().join(u'\n').contains(QStringLiteral("対象の手配番号: 1003")));
}

TEST_P(ConservationRoundTrip, AProcessSplitAfterAnAddedProcessGivesEachLotItsOwnPieces)
{
    SessionPlant::Lot lot = SessionPlant::lot(1001, 700, "CASE-0001", "M1      ", "2024/04/10 09:00", 3450);
    lot.paintingQuantity = 5450;
    start({lot});
    const qint64 index = p.lotOf(1001);
    ASSERT_TRUE(p.addProcesses(index, 1));
    p.prompter.expectAnswer(true);
    const qint64 cut = p.splitProcesses(index, {2001});
    ASSERT_NE(cut, 0);
    EXPECT_EQ(p.store()[cut].Quantity, 5450);
    EXPECT_EQ(p.store()[cut].ProcessName, QStringLiteral("塗装"));
    EXPECT_EQ(p.store()[index].Quantity, 3450);
    EXPECT_EQ(p.store()[index].ProcessName, QStringLiteral("成形"));
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    p.load();
    EXPECT_EQ(p.store()[p.lotOf(1001)].ProcessName, QStringLiteral("成形"));
    expectSamePiecesAndDemand();
}

} // namespace
