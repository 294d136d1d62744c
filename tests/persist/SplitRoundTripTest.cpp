// Splits carried to the database and back: the plan is loaded, a lot is split as the detail
// window's split would split it, the plan is saved through the edit path and loaded again.

#include "SaveFixture.h"
#include "calendar/WorkingTime.h"
#include "dialogs/LotSplit.h"
#include "dialogs/ProcessSplit.h"
#include "dialogs/DetailLines.h"
#include "dialogs/ProvisionalNumbers.h"
#include "editing/EditPath.h"
#include "persist/EditPathSave.h"
#include "plan/ReturnPlanData.h"

#include <memory>

namespace {

class SplitRoundTrip : public SaveFixture
{
protected:
    // Two processes of plan 700, each 300 pieces on M1 on 2024/04/10: 1001 (molding) feeds
    // 1002 (its parent). 1001 has two requirement rows.
    void SetUp() override
    {
        // 36 seconds a shot, one piece a shot: 300 pieces take three hours.
        moldingStep({}, {{"サイクル", 36}, {"取数", 1}});
        // The machines work around the clock.
        for (int row = 2; row <= rows.lastMachineRow(); ++row)
            for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
                calendar.day(row, k)->hourly.append(QTime(8, 0), QTime(20, 0));
                calendar.day(row, k)->hourly.append(QTime(20, 0), QTime(8, 0));
            }
        for (const qint64 number : {1001, 1002})
            arrangement(number, {{"手配数", 300},
                                 {"手配確定区分", "2"},
                                 {"スケジューラ固定区分", "0"},
                                 {"生産計画番号", 700},
                                 {"上位手配番号", number == 1001 ? 1002 : 0},
                                 {"受入実績数", 0},
                                 {"必要人員", 1},
                                 {"サイクル", 36},
                                 {"指示書発行日", "20240402"},
                                 {"作業開始日付", "20240410"},
                                 {"作業開始時間", 90000},
                                 {"作業終了日付", "20240410"},
                                 {"作業終了時間", 170000},
                                 {"開始日", "20240405"},
                                 {"納期", "20240420"}});
        for (const char *item : {"M-1", "M-2"})
            plant.insert("DB0252", {{"上位手配番号", 1001}, {"品名コード", item}, {"順序", 999}, {"必要数", 6}});
    }

    // Loads the class; the two arrangements are combined into one lot of two processes, as a
    // merge would have combined them, and the edit path takes the plan.
    void load(bool combine)
    {
        store.reset();
        ASSERT_EQ(ReturnPlanData(plant.db(), run, store, nullptr), 2);
        if (combine) {
            const qint64 second = store[2].ArrangementNo == 1002 ? 2 : 3;
            const qint64 first = 5 - second;
            store[first].Members.set(1) = store[second].Members.at(0);
            if (first == 3)
                std::swap(store[2], store[3]);
            store.resize(2);
            store[2].BarIndex = 2;
        }
        path = std::make_unique<EditPath>(store, calendar, rows, run);
        time = std::make_unique<WorkingTime>(rows, calendar);
    }
    SaveResult saveAll()
    {
        return saveThroughEditPath(*path, {rows, run, plant.db(), prompter, progress, account, now, RetryPolicy{2, 0}});
    }
    qint64 counter() { return count("SELECT 現在番号 FROM DB0018 WHERE 番号管理キー='手配番号'", {}); }
    qint64 splitOff(qint64 pieces)
    {
        LotSplit rules(prompter);
        rules.open(store[2]);
        rules.clickLine(SplitRing::Inner, 0);
        rules.texts().splitCount = QString::number(pieces);
        EXPECT_TRUE(rules.enterCount());
        prompter.expectAnswer(true);
        EXPECT_TRUE(rules.confirm());
        Edit edit = path->beginAction(lotsplit::ActionLabel);
        const qint64 cut = splitLot(edit, {*time, run.GridUnitMinutes, numbers}, 2, rules.choice());
        edit.commit();
        return cut;
    }
    std::map<qint64, qint64> reloadedQuantities()
    {
        PlanStore reloaded;
        ReturnPlanData(plant.db(), run, reloaded, nullptr);
        std::map<qint64, qint64> quantities;
        for (qint64 i = 2; i <= reloaded.lastIndex(); ++i)
            quantities[reloaded[i].ArrangementNo] = reloaded[i].Quantity;
        return quantities;
    }

    std::unique_ptr<EditPath> path;
    std::unique_ptr<WorkingTime> time;
    ProvisionalNumbers numbers;
};
SAVE_SUITE(SplitRoundTrip);

TEST_P(SplitRoundTrip, LotSplitBecomesNumberedArrangementsThatAddUpToTheLot)
{
    load(true);
    const qint64 cut = splitOff(100);
    ASSERT_EQ(store[cut].Members.at(1).ArrangementNo, -2);

    ASSERT_EQ(saveAll().outcome, SaveResult::Outcome::Complete);

    // One number per provisional slot, taken in slot order.
    EXPECT_EQ(counter(), 5002);
    EXPECT_EQ(store[cut].Members.at(0).ArrangementNo, 5001);
    EXPECT_EQ(store[cut].Members.at(1).ArrangementNo, 5002);
    EXPECT_EQ(store[cut].ArrangementNo, 5001);
    const ReadRow created = arrangementRow(5001);
    EXPECT_EQ(created.text("製造依頼番号"), "R-1001");
    EXPECT_EQ(created.number("生産計画番号"), 700);
    EXPECT_EQ(created.text("指示書発行日"), "00000000");
    EXPECT_EQ(created.text("完納区分"), "0");
    EXPECT_EQ(created.number("手配数"), 100);
    // The lot's 200 pieces end at 11:00, the new lot's 100 run from 11:01 to 12:01.
    EXPECT_EQ(created.text("作業開始日付"), "20240410");
    EXPECT_EQ(created.number("作業開始時間"), 110100);
    EXPECT_EQ(created.number("作業終了時間"), 120100);
    EXPECT_EQ(arrangementRow(1001).number("作業終了時間"), 110000);
    EXPECT_EQ(arrangementRow(1001).number("手配数"), 200);
    EXPECT_EQ(arrangementRow(1001).text("指示書発行日"), "20240402");
    // The requirement rows of the source are copied; the new molding feeds the new next process.
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 上位手配番号=? AND 削除フラグ='0'", {5001}), 2);
    EXPECT_EQ(arrangementRow(5001).number("上位手配番号"), 5002);
    EXPECT_EQ(arrangementRow(1001).number("上位手配番号"), 1002);

    const std::map<qint64, qint64> quantities = reloadedQuantities();
    EXPECT_EQ(quantities, (std::map<qint64, qint64>{{1001, 200}, {1002, 200}, {5001, 100}, {5002, 100}}));
    // The saved split cannot be undone: its arrangements are in the database.
    EXPECT_FALSE(path->canUndo());
}

TEST_P(SplitRoundTrip, ProcessSplitMovesAStoredProcessToTheNextDay)
{
    load(true);
    const PlanRecord &lot = store[2];
    // Both processes are 成形: the split asks about the one left behind.
    prompter.expectAnswer(true);
    prompter.expectAnswer(true);
    const ProcessChoice choice{memberLines(lot.Members), {}, {1}, {}};
    ASSERT_TRUE(confirmProcessSplit(lot, choice, QStringLiteral("A"), prompter));
    Edit edit = path->beginAction(processsplit::ActionLabel);
    splitProcesses(edit, 2, choice);
    edit.commit();

    ASSERT_EQ(saveAll().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(counter(), 5000);
    EXPECT_EQ(arrangementRow(1002).text("作業開始日付"), "20240411");
    EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), "20240410");
    EXPECT_EQ(reloadedQuantities(), (std::map<qint64, qint64>{{1001, 300}, {1002, 300}}));
}

TEST_P(SplitRoundTrip, SaveFailingAmongTheNewArrangementsLeavesNoneAndNumbersThemOnceLater)
{
    load(true);
    const qint64 cut = splitOff(100);
    // Linking the new molding to the new next process is refused half-way through the new lot.
    refuseUpdatesOf(5001);
    prompter.clear();

    EXPECT_EQ(saveAll().outcome, SaveResult::Outcome::Failed);
    EXPECT_EQ(counter(), 5000);
    EXPECT_FALSE(arrangementRow(5001).exists());
    EXPECT_FALSE(arrangementRow(5002).exists());
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0252 WHERE 上位手配番号=?", {5001}), 0);
    EXPECT_EQ(store[cut].MembersWritten, 1);
    EXPECT_EQ(store[cut].Members.at(0).ArrangementNo, -1);
    EXPECT_EQ(store[cut].Members.at(0).AuxNo, 1001);
    EXPECT_TRUE(path->saveEnabled());
    ASSERT_EQ(prompter.texts().size(), 1);
    EXPECT_TRUE(prompter.texts()[0].contains("refused by the test trigger"));

    QSqlQuery(plant.db().connection())
        .exec("DROP TRIGGER refuse_update" + QString(plant.backend() == TestPlant::Backend::Postgres ? " ON DB0253" : ""));
    ASSERT_EQ(saveAll().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(counter(), 5002);
    EXPECT_EQ(arrangementRow(5001).number("上位手配番号"), 5002);
    EXPECT_EQ(reloadedQuantities(), (std::map<qint64, qint64>{{1001, 200}, {1002, 200}, {5001, 100}, {5002, 100}}));
}

} // namespace
