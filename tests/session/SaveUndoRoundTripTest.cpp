// Editing, undo, reading lots again and saving together, carried to the database and back:
// whatever order the planner takes them in, the database ends with the pieces it started
// with, a step the database no longer matches is never taken back unnoticed, and a lot is
// written only whole, with the lots its pieces moved from or to.

#include "SessionPlant.h"
#include "editing/PlanKakutei.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class SaveUndoRoundTrip : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        for (const SessionPlant::Lot &lot : SessionPlant::standardLots())
            p.add(lot);
        p.load();
        startPieces = p.livePieces();
        startDemand = p.liveDemand();
    }

    // A fresh load shows every saved lot as memory shows it.
    void expectReloadShowsMemory()
    {
        std::map<qint64, std::pair<qint64, QString>> shown; // arrangement -> quantity, machine
        for (qint64 i = 2; i <= p.store().lastIndex(); ++i)
            if (p.store()[i].Active > 0 && p.store()[i].MembersWritten == 0)
                shown[p.store()[i].ArrangementNo] = {p.store()[i].Quantity, p.store()[i].MachineCode};
        p.load();
        for (const auto &[number, lot] : shown) {
            SCOPED_TRACE(number);
            const qint64 index = p.lotOf(number);
            ASSERT_NE(index, 0) << "a saved lot is not loaded again";
            EXPECT_EQ(p.store()[index].Quantity, lot.first);
            EXPECT_EQ(p.store()[index].MachineCode, lot.second);
        }
    }

    bool refusalSaid(const QString &label)
    {
        return p.prompter.texts().contains(QStringLiteral("「%1」は保存済みのため、元に戻せません。").arg(label));
    }

    // 187 pieces split off 1002 and merged into 1001; then 1002 is changed elsewhere and the
    // planner answers the save with `policy`. Returns the lot of 1001.
    qint64 splitMergeAndSave(PlanSession::ElsewherePolicy policy);

    SessionPlant p{GetParam()};
    std::map<std::pair<qint64, qint64>, qint64> startPieces;
    double startDemand = 0;
};

SESSION_SUITE(SaveUndoRoundTrip);

TEST_P(SaveUndoRoundTrip, ASplitWhoseNewLotCannotBeNumberedLeavesTheSourceUnwrittenAndUndoable)
{
    p.prompter.expectAnswer(true);
    ASSERT_NE(p.splitLot(p.lotOf(1001), 700, 100), 0);
    p.plant.db().run(QStringLiteral("DELETE FROM DB0018"));
    EXPECT_EQ(p.save().outcome, SaveResult::Outcome::Failed);
    EXPECT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1001"), 300) << "the source is written only with its split";
    EXPECT_TRUE(p.session().undo());
    EXPECT_EQ(p.store()[p.lotOf(1001)].Quantity, 300);
    EXPECT_EQ(p.livePieces(), startPieces);
}

TEST_P(SaveUndoRoundTrip, AStepWrittenByASaveThatStoppedLaterIsNotUndoneAndThePlannerIsTold)
{
    p.prompter.expectAnswer(true);
    const qint64 cut = p.splitLot(p.lotOf(1001), 700, 100);
    ASSERT_NE(cut, 0);
    ASSERT_TRUE(p.move(p.lotOf(1012), "M3", "2024/04/20 09:00"));
    p.refuseWritesOf(1012);
    EXPECT_EQ(p.save().outcome, SaveResult::Outcome::Failed);
    ASSERT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1001"), 200) << "the split was written";

    EXPECT_TRUE(p.session().undo()) << "the move was not written and may be taken back";
    EXPECT_FALSE(p.session().undo());
    EXPECT_TRUE(refusalSaid(QStringLiteral("手配分割")));
    EXPECT_EQ(p.store()[p.lotOf(1001)].Quantity, 200);
    EXPECT_EQ(p.store()[p.lotOf(1001)].MembersWritten, 0);

    p.allowWrites();
    EXPECT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(p.livePieces(), startPieces);
    expectReloadShowsMemory();
}

TEST_P(SaveUndoRoundTrip, AMergeWhoseSaveWasLeftForAChangeElsewhereIsUndoneWithTheDatabaseUntouched)
{
    p.prompter.expectAnswer(true);
    ASSERT_TRUE(p.mergeOrMove(p.lotOf(1002), p.lotOf(1001)));
    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1001"));
    const SaveResult left = p.save();
    EXPECT_EQ(left.outcome, SaveResult::Outcome::ChangedElsewhere); // the planner cancels
    EXPECT_EQ(p.number("SELECT 削除フラグ FROM DB0253 WHERE 手配番号=1002"), 0);
    EXPECT_TRUE(p.session().undo());
    EXPECT_NE(p.lotOf(1002), 0);
    EXPECT_EQ(p.livePieces(), startPieces);
}

// Two arrangements of one lot changed elsewhere are both listed before the planner chooses: 上書き
// writes the lot whole, so no change it writes over may go unshown. The lot is listed once.
TEST_P(SaveUndoRoundTrip, EveryArrangementOfALotChangedElsewhereIsListedBeforeThePlannerChooses)
{
    p.prompter.expectAnswer(true);
    ASSERT_TRUE(p.mergeOrMove(p.lotOf(1002), p.lotOf(1001)));
    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1001"));
    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1002"));
    std::vector<qint64> listed;
    const SaveResult left = p.save([&](const SaveResult &shown) {
        for (const ElsewhereChange &change : shown.changedElsewhere)
            listed.push_back(change.arrangementNo);
        return PlanSession::ElsewherePolicy::KeepUnsaved;
    });
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<qint64>{1001, 1002}));
    EXPECT_EQ(left.changedElsewhereLots(), std::vector<qint64>{p.lotOf(1001)});
    EXPECT_EQ(p.number("SELECT 作業開始時間 FROM DB0253 WHERE 手配番号=1002"), 100000);
}

TEST_P(SaveUndoRoundTrip, UndoAfterReadingALotAgainNeverBringsBackWhatWasReadOver)
{
    ASSERT_TRUE(p.move(p.lotOf(1003), "M2", "2024/04/20 09:00"));
    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1003"));
    const SaveResult left = p.save();
    ASSERT_EQ(left.changedElsewhereLots(), std::vector<qint64>{p.lotOf(1003)});
    p.session().reloadLots(left.changedElsewhereLots());

    EXPECT_FALSE(p.session().undo());
    EXPECT_TRUE(p.prompter.texts().contains(QStringLiteral("データベースから読み直した計画の変更は元に戻せません。")));
    EXPECT_FALSE(p.session().hasUnsavedChanges());
    ASSERT_TRUE(p.move(p.lotOf(1001), "M1", "2024/04/22 09:00"));
    EXPECT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(p.number("SELECT 作業開始時間 FROM DB0253 WHERE 手配番号=1003"), 100000)
        << "the shop floor's change was written over without a question";
}

TEST_P(SaveUndoRoundTrip, AMergedAwayLotIsNeverWrittenByItself)
{
    ASSERT_TRUE(p.move(p.lotOf(1003), "M2", "2024/04/20 09:00"));
    p.prompter.expectAnswer(true);
    const qint64 away = p.lotOf(1012);
    ASSERT_TRUE(p.mergeOrMove(away, p.lotOf(1011)));
    ASSERT_TRUE(p.session().undo());
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    // The merge redone after the save, and every lot confirmed.
    ASSERT_TRUE(p.session().redo());
    EXPECT_EQ(p.store()[away].MembersWritten, 0);
    KakuteiScope everything;
    everything.allMachines = true;
    p.prompter.expectAnswer(true);
    p.session().confirmLots(QStringLiteral("2"), everything);
    EXPECT_EQ(p.store()[away].MembersWritten, 0);

    const SaveResult saved = p.save();
    EXPECT_EQ(saved.outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(std::count(saved.savedLots.begin(), saved.savedLots.end(), away), 0);
    EXPECT_EQ(p.value("SELECT 作業開始日付 FROM DB0253 WHERE 手配番号=1012").toString(), QStringLiteral("20240412"))
        << "the merged-away arrangement is written once, by the lot it joined";
    EXPECT_EQ(p.livePieces(), startPieces);
    expectReloadShowsMemory();
}

TEST_P(SaveUndoRoundTrip, ASplitIsSavedTogetherWithItsSourceOrNotAtAll)
{
    p.prompter.expectAnswer(true);
    const qint64 cut = p.splitLot(p.lotOf(1001), 700, 100);
    ASSERT_NE(cut, 0);
    const qint64 rows = p.number("SELECT COUNT(*) FROM DB0253");
    p.other->run(QStringLiteral("UPDATE DB0253 SET 手配数=16000 WHERE 手配番号=1001")); // the order desk
    const SaveResult left = p.save();
    EXPECT_EQ(left.changedElsewhereLots(), std::vector<qint64>{p.lotOf(1001)});
    EXPECT_EQ(p.number("SELECT COUNT(*) FROM DB0253"), rows) << "no lot is cut from a source left unsaved";
    EXPECT_EQ(p.store()[cut].MembersWritten, 1);

    // Read again, the source comes with the order desk's quantity and the cut lot goes.
    p.session().reloadLots(left.changedElsewhereLots());
    EXPECT_EQ(p.store()[p.lotOf(1001)].Quantity, 16000);
    EXPECT_EQ(p.store()[cut].Active, 0);
    EXPECT_FALSE(p.session().hasUnsavedChanges());
    EXPECT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(p.number("SELECT COUNT(*) FROM DB0253"), rows);
}

qint64 SaveUndoRoundTrip::splitMergeAndSave(PlanSession::ElsewherePolicy policy)
{
    p.prompter.expectAnswer(true);
    const qint64 cut = p.splitLot(p.lotOf(1002), 700, 187);
    p.prompter.expectAnswer(true);
    EXPECT_TRUE(p.mergeOrMove(p.lotOf(1001), cut));
    EXPECT_EQ(p.store()[cut].Quantity, 487);
    EXPECT_EQ(p.store()[cut].ArrangementNo, 1001) << "the split-off pieces joined a stored arrangement";
    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1002"));
    const SaveResult left = p.save([&](const SaveResult &) { return policy; });
    EXPECT_EQ(p.livePieces(), startPieces);
    return cut;
}

// Whatever the planner answers, the database holds the 187 pieces once: with 1002 or with
// 1001, never with both, and memory never holds them twice either.
TEST_P(SaveUndoRoundTrip, PiecesSplitOffAndMergedIntoAnotherLotAreLeftUnsavedWithTheirSource)
{
    const qint64 lot = splitMergeAndSave(PlanSession::ElsewherePolicy::KeepUnsaved);
    EXPECT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1001"), 300);
    EXPECT_EQ(p.store()[lot].MembersWritten, 1);
    EXPECT_EQ(p.store()[p.lotOf(1002)].MembersWritten, 1);
}

TEST_P(SaveUndoRoundTrip, PiecesSplitOffAndMergedIntoAnotherLotAreReadAgainWithTheirSource)
{
    splitMergeAndSave(PlanSession::ElsewherePolicy::ReadAgain);
    EXPECT_EQ(p.store()[p.lotOf(1001)].Quantity, 300);
    EXPECT_EQ(p.store()[p.lotOf(1002)].Quantity, 200);
    EXPECT_FALSE(p.session().hasUnsavedChanges());
}

TEST_P(SaveUndoRoundTrip, PiecesSplitOffAndMergedIntoAnotherLotAreWrittenOverWithTheirSource)
{
    splitMergeAndSave(PlanSession::ElsewherePolicy::Overwrite);
    EXPECT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1001"), 487);
    EXPECT_EQ(p.number("SELECT 手配数 FROM DB0253 WHERE 手配番号=1002"), 13);
    expectReloadShowsMemory();
}

// A lot of the same member that was only moved holds the pieces the database holds: reading
// its neighbour again leaves its move to be saved.
TEST_P(SaveUndoRoundTrip, ALotOnlyMovedKeepsItsMoveWhenALotOfItsMemberIsReadAgain)
{
    ASSERT_TRUE(p.move(p.lotOf(1001), "M2", "2024/04/20 09:00"));
    ASSERT_TRUE(p.move(p.lotOf(1002), "M2", "2024/04/22 09:00"));
    p.other->run(QStringLiteral("UPDATE DB0253 SET 作業開始時間=100000 WHERE 手配番号=1002"));
    p.save([](const SaveResult &) { return PlanSession::ElsewherePolicy::ReadAgain; });
    EXPECT_EQ(p.store()[p.lotOf(1002)].MembersWritten, 0);
    ASSERT_EQ(p.store()[p.lotOf(1001)].MembersWritten, 1);
    ASSERT_EQ(p.save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(p.value("SELECT 作業開始日付 FROM DB0253 WHERE 手配番号=1001").toString(), QStringLiteral("20240420"));
    EXPECT_EQ(p.livePieces(), startPieces);
}

} // namespace
