// A merge saved and loaded again, on SQLite and PostgreSQL: the kept arrangement carries both
// lots' pieces, the other is written with the target's place and marked deleted, and the
// reloaded plan shows one lot under the number the chart showed.

#include "SaveFixture.h"

#include "calendar/WorkingTime.h"
#include "editing/EditPath.h"
#include "editing/PlanInsertion.h"
#include "editing/PlanMerge.h"
#include "persist/EditPathSave.h"
#include "plan/ReturnPlanData.h"

namespace {

class MergeSave : public SaveFixture
{
protected:
    MergeSave()
    {
        run.ProcessClassCode = QStringLiteral("10");
        // The presses work around the clock: working minutes are clock minutes.
        for (int row = 2; row <= rows.lastMachineRow(); ++row)
            for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
                calendar.day(row, k)->hourly.append(QTime(8, 0), QTime(20, 0));
                calendar.day(row, k)->hourly.append(QTime(20, 0), QTime(8, 0));
            }
        plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
        // The ninth character of the item code is the lots' group kind, "1": merged pieces count.
        plant.insert("DB0378", {{"品名コード", "CASE-0001"}, {"品名＿品名仕様", "ケース"}});
        plant.insert("DB0381", {{"品名コード", "CASE-0001"}, {"順序", 999}, {"生産工場コード", 1}, {"工程内容コード", "P10"}});
        // Two pieces a 30-second shot: 15 seconds a piece.
        plant.insert("DB0451", {{"品名コード", "CASE-0001"}, {"順序", 999}, {"生産工場コード", 1}, {"サイクル", 30}, {"取数", 2}});
        plant.insert("DB0251", {{"生産計画番号", 77}, {"品名コード", "CASE-0001"}, {"計画数", 300}});
        const QVariantMap run{{"品名コード", "CASE-0001"}, {"生産計画番号", 77}, {"手配確定区分", "2"},
                              {"スケジューラ固定区分", "0"}, {"サイクル", 30}, {"必要人員", 1},
                              {"開始日", "20240405"}, {"納期", "20240420"}};
        QVariantMap target = run;
        target.insert({{"手配数", 200}, {"作業開始日付", "20240410"}, {"作業開始時間", 90000},
                       {"作業終了日付", "20240410"}, {"作業終了時間", 95000}});
        arrangement(5000, target);
        QVariantMap source = run;
        source.insert({{"手配数", 100}, {"機械コード", "M2      "}, {"作業開始日付", "20240412"},
                       {"作業開始時間", 90000}, {"作業終了日付", "20240412"}, {"作業終了時間", 92500}});
        arrangement(5001, source);
    }

    qint64 load(PlanStore &into) { return ReturnPlanData(plant.db(), run, into, nullptr); }
    void dropSaveAndReload(qint64 source, qint64 target, const char *machine, const char *startDate);
};
SAVE_SUITE(MergeSave);

// Either lot may be dropped on the other: the smaller number is the one kept, shown on the
// chart from the merge on and read back after the save; the other is written with the
// target's place and marked deleted.
void MergeSave::dropSaveAndReload(qint64 source, qint64 target, const char *machine, const char *startDate)
{
    ASSERT_EQ(load(store), 2);
    ASSERT_EQ(store[2].ArrangementNo, 5000);
    ASSERT_EQ(store[3].ArrangementNo, 5001);
    EditPath path(store, calendar, rows, run);
    const WorkingTime time(rows, calendar);
    const PlanInsertion insertion(rows, time, run, prompter);
    prompter.expectAnswer(true);
    ASSERT_EQ(PlanMerge(path, insertion, prompter).dropOn(source, target), PlanMerge::Outcome::Merged);
    EXPECT_EQ(store[target].ArrangementNo, 5000);

    const SaveResult saved = saveThroughEditPath(path, {rows, run, plant.db(), prompter, progress, account, now,
                                                        RetryPolicy{2, 0}});
    ASSERT_EQ(saved.outcome, SaveResult::Outcome::Complete) << prompter.texts().join(u'\n').toStdString();
    EXPECT_FALSE(path.canUndo());

    const ReadRow kept = arrangementRow(5000);
    EXPECT_EQ(kept.number("手配数"), 300);
    EXPECT_EQ(kept.text("削除フラグ"), "0");
    EXPECT_EQ(kept.number("作業時間"), 1.25) << "75 minutes for 300 pieces at 15 seconds";
    EXPECT_EQ(kept.text("作業終了時間"), "101500");
    const ReadRow mergedAway = arrangementRow(5001);
    EXPECT_EQ(mergedAway.text("削除フラグ"), "1");
    EXPECT_EQ(mergedAway.text("機械コード"), machine) << "written with the target's place";
    EXPECT_EQ(mergedAway.text("作業開始日付"), startDate);

    PlanStore reloaded;
    ASSERT_EQ(load(reloaded), 1);
    const PlanRecord &lot = reloaded[2];
    EXPECT_EQ(lot.ArrangementNo, 5000);
    EXPECT_EQ(lot.Quantity, 300);
    EXPECT_EQ(lot.Members.at(0).Quantity, 300);
    EXPECT_EQ(lot.MachineCode, QString::fromLatin1(machine));
    EXPECT_EQ(lot.EndTime, QTime(10, 15));
}

TEST_P(MergeSave, TheLargerNumberDroppedOnTheSmallerIsSavedUnderTheSmaller)
{
    dropSaveAndReload(3, 2, "M1      ", "20240410");
}

TEST_P(MergeSave, TheSmallerNumberDroppedOnTheLargerIsShownAndSavedUnderTheSmaller)
{
    dropSaveAndReload(2, 3, "M2      ", "20240412");
}

} // namespace
