// The machine cycle row carried to the database and back: a lot of a two-cavity mold moved to
// a machine that has no cycle row for its item is saved and loaded again.

#include "SaveFixture.h"
#include "editing/EditPath.h"
#include "persist/EditPathSave.h"
#include "plan/ReturnPlanData.h"

#include <memory>

namespace {

class MachineCycleRoundTrip : public SaveFixture
{
protected:
    // Arrangement 1001: item A step 999 on M1, 13 seconds a piece by the routing, a mold of two
    // cavities (26 seconds a shot). M1 has its cycle row, M2 has none.
    void SetUp() override
    {
        moldingStep({{"標準生産性＿機械", 13}, {"生産性＿機械＿単位", "1"}}, {{"サイクル", 26}, {"取数", 2}});
        plant.insert("DB0492", {{"品名コード", "A"}, {"順序", 999}, {"機械コード", "M1      "}, {"サイクル", 26}});
        arrangement(1001, {{"手配数", 300},
                           {"手配確定区分", "2"},
                           {"必要人員", 1},
                           {"サイクル", 26},
                           {"作業開始日付", "20240410"},
                           {"作業開始時間", 90000},
                           {"作業終了日付", "20240410"},
                           {"作業終了時間", 170000},
                           {"開始日", "20240405"},
                           {"納期", "20240420"}});
    }

    // The lot of arrangement 1001 as the class loads it.
    PlanRecord loaded()
    {
        PlanStore fresh;
        EXPECT_EQ(ReturnPlanData(plant.db(), run, fresh, nullptr), 1);
        return fresh.lastIndex() >= 2 ? fresh[2] : PlanRecord{};
    }
    double storedCycle(const char *machine)
    {
        return row("SELECT サイクル FROM DB0492 WHERE 品名コード='A' AND 順序=999 AND 機械コード=?",
                   {QString::fromLatin1(machine)})
            .number("サイクル");
    }
};
SAVE_SUITE(MachineCycleRoundTrip);

TEST_P(MachineCycleRoundTrip, ANewRowHoldsTheCyclePerShotAndTheRateSurvivesTheReload)
{
    const PlanRecord before = loaded();
    ASSERT_EQ(before.Cavities, 2);
    ASSERT_DOUBLE_EQ(before.SecondsPerPiece, 13);

    store.reset();
    ASSERT_EQ(ReturnPlanData(plant.db(), run, store, nullptr), 1);
    EditPath path(store, calendar, rows, run);
    path.takeLoadedPlan();
    {
        Edit move = path.beginAction(QStringLiteral("機械変更"));
        move.change(2, [](PlanRecord &lot) { lot.MachineCode = QStringLiteral("M2      "); });
        move.commit();
    }
    ASSERT_EQ(saveThroughEditPath(path, {rows, run, plant.db(), prompter, progress, account, now, RetryPolicy{2, 0}}).outcome,
              SaveResult::Outcome::Complete);

    // The load reads the column per shot and divides it by the cavities.
    EXPECT_DOUBLE_EQ(storedCycle("M2      "), 26);
    EXPECT_DOUBLE_EQ(storedCycle("M1      "), 26);
    const PlanRecord after = loaded();
    EXPECT_EQ(after.MachineCode, QStringLiteral("M2      "));
    EXPECT_DOUBLE_EQ(after.SecondsPerPiece, before.SecondsPerPiece);
    EXPECT_DOUBLE_EQ(storedCycle("M2      ") / after.Cavities, after.SecondsPerPiece);
}

} // namespace
