// What a complete save tells the planner, checked against what the next start shows: a
// tentative lot saved on a machine, and a confirmed one sent back to its loaded dates (which
// leaves it without times), are read onto 未割付 again, and the save says so.

#include "SessionPlant.h"
#include "persist/SaveSummary.h"

#include <gtest/gtest.h>

namespace {

class SavedText : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    SessionPlant p{GetParam()};
};

SESSION_SUITE(SavedText);

TEST_P(SavedText, ATentativeLotSavedOnAMachineIsNamedAsGoingBackToTheStrip)
{
    for (const SessionPlant::Lot &lot : SessionPlant::standardLots())
        p.add(lot);
    p.add(SessionPlant::lot(1091, 709, QStringLiteral("CASE-0001"), QStringLiteral("M1      "),
                            QStringLiteral("2024/04/15 09:00"), 100, QStringLiteral("1")));
    p.load();
    const qint64 tentative = p.lotOf(1091);
    ASSERT_EQ(p.store()[tentative].OnStrip, 1);
    ASSERT_TRUE(p.move(tentative, QStringLiteral("M2"), QStringLiteral("2024/04/25 09:00")));
    ASSERT_EQ(p.store()[tentative].OnStrip, 0);

    const SaveResult saved = p.save();
    ASSERT_EQ(saved.outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(savedText(saved, p.store(), p.run),
              QStringLiteral("保存しました（%1件）。予定のまま機械に割り付けた1件は、次に開くと未割付に戻ります"
                             "（確定すれば機械に残ります）")
                  .arg(saved.savedLots.size()));

    // What the line promised: the next start shows the lot on the strip.
    const std::unique_ptr<PlanSession> next = p.freshLoad();
    bool onStrip = false;
    for (qint64 i = 2; i <= next->store().lastIndex(); ++i)
        if (next->store()[i].ArrangementNo == 1091)
            onStrip = next->store()[i].OnStrip == 1;
    EXPECT_TRUE(onStrip);

    // A plant that keeps the machine of waiting lots places it there again: nothing to tell.
    p.run.KeepMachineOfUnplaced = 1;
    EXPECT_EQ(savedText(saved, p.store(), p.run), QStringLiteral("保存しました（%1件）").arg(saved.savedLots.size()));
}

TEST_P(SavedText, AConfirmedLotSentBackToItsLoadedDatesIsNamedAsComingBackTentative)
{
    for (const SessionPlant::Lot &lot : SessionPlant::standardLots())
        p.add(lot);
    p.load();
    const qint64 lot = p.lotOf(1003);
    ASSERT_TRUE(p.store()[lot].isConfirmed());
    p.session().returnToLoadedDates(lot);

    const SaveResult saved = p.save();
    ASSERT_EQ(saved.outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(savedText(saved, p.store(), p.run),
              QStringLiteral("保存しました（%1件）。予定に戻した1件は時刻がないため、次に開くと未割付の予定に戻ります")
                  .arg(saved.savedLots.size()));
    const std::unique_ptr<PlanSession> next = p.freshLoad();
    for (qint64 i = 2; i <= next->store().lastIndex(); ++i)
        if (next->store()[i].ArrangementNo == 1003) {
            EXPECT_EQ(next->store()[i].OnStrip, 1);
            EXPECT_FALSE(next->store()[i].isConfirmed());
        }

    p.run.KeepMachineOfUnplaced = 1;
    EXPECT_EQ(savedText(saved, p.store(), p.run),
              QStringLiteral("保存しました（%1件）。予定に戻した1件は時刻がないため、次に開くと予定として読み込まれます")
                  .arg(saved.savedLots.size()));
}

} // namespace
