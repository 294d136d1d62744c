#include "plan/PlanStore.h"
#include "plan/ProgressText.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct RecordedProgress : ProgressText
{
    QStringList texts;
    void show(const QString &text) override { texts << text; }
};

// One molding class "10" of plant 1 with item A (step 1 runs process P10); every lot is of
// item A unless a test says otherwise.
class PlanLoading : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override
    {
        context.PlantCode = 1;
        context.ProcessClassCode = QStringLiteral("10");
        context.PeriodStart = QStringLiteral("2024/04/01");
        plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
        plant.insert("DB0382", {{"工程内容コード", "P20"}, {"工程内容名", "塗装"}, {"工程分類コード", "20"}});
        item("A");
        routing("A", 1, 1, "P10");
    }

    void item(const QString &code) { plant.insert("DB0378", {{"品名コード", code}, {"品名＿品名仕様", code + "-仕様"}}); }
    void routing(const QString &itemCode, int sequence, int plantCode, const QString &process, QVariantMap more = {})
    {
        more.insert({{"品名コード", itemCode}, {"順序", sequence}, {"生産工場コード", plantCode}, {"工程内容コード", process}});
        plant.insert("DB0381", more);
    }
    // A confirmed lot on machine M1, 2024/04/10 08:30 to 04/11 17:00, 1000 pieces.
    void lot(qint64 no, const QVariantMap &overrides = {})
    {
        QVariantMap row{{"手配番号", no},          {"生産工場コード", 1},          {"品名コード", "A"},
                        {"順序", 1},               {"機械コード", "M1      "},     {"手配確定区分", "2"},
                        {"スケジューラ固定区分", "2"}, {"作業開始日付", "20240410"}, {"作業開始時間", 83000},
                        {"作業終了日付", "20240411"}, {"作業終了時間", 170000},      {"開始日", "20240405"},
                        {"納期", "20240420"},       {"手配数", 1000}};
        row.insert(overrides);
        plant.insert("DB0253", row);
    }
    PlanRecord loadOne()
    {
        PlanStore store;
        EXPECT_EQ(ReturnPlanData(plant.db(), context, store, nullptr), 1);
        EXPECT_EQ(store.lastIndex(), 2);
        return store.lastIndex() == 2 ? store[2] : PlanRecord();
    }

    TestPlant plant{GetParam()};
    RunContext context;
};

const QString kEightBlanks = QStringLiteral("        ");

TEST_P(PlanLoading, OnlyConfirmedLotsWithWorkTimesOrCompletionArePlaced)
{
    struct Case
    {
        const char *what;
        QVariantMap row;
        bool keepMachine;
        QString machine, confirm, fixed;
    } cases[] = {
        {"tentative with times", {{"手配確定区分", "1"}}, false, kEightBlanks, "1", "0"},
        {"confirmed, no times, not completed", {{"作業開始時間", 0}, {"作業終了時間", 0}}, false, kEightBlanks, "1", "0"},
        {"confirmed, no times, partly completed", {{"作業開始時間", 0}, {"作業終了時間", 0}, {"完納区分", "1"}}, false,
         "M1      ", "2", "2"},
        {"confirmed, end time only", {{"作業開始時間", 0}}, false, "M1      ", "2", "2"},
        {"unplaced, machine kept", {{"手配確定区分", "1"}}, true, "M1      ", "1", "0"},
    };
    qint64 no = 100;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        context.KeepMachineOfUnplaced = c.keepMachine ? 1 : 0;
        plant.db().run("DELETE FROM DB0253");
        lot(++no, c.row);
        const PlanRecord r = loadOne();
        EXPECT_EQ(r.MachineCode, c.machine);
        EXPECT_EQ(r.ConfirmState, c.confirm);
        EXPECT_EQ(r.SchedulerFixed, c.fixed);
        EXPECT_EQ(r.StoredMachineCode, "M1      ");
        EXPECT_EQ(r.StoredConfirmState, c.row.value("手配確定区分", "2").toString());
    }
}

TEST_P(PlanLoading, DatesAndTimes)
{
    // Tentative before the period start: brought to the period start, ending the next day.
    lot(1, {{"手配確定区分", "1"}, {"作業開始日付", "20240320"}, {"作業終了日付", "20240321"}});
    // Confirmed before the period start: keeps its dates.
    lot(2, {{"作業開始日付", "20240320"}, {"作業終了日付", "20240322"}, {"作業終了時間", 173000},
            {"生産計画番号", 1}, {"GNT初期納期", "20240425"}});
    // No work dates: start and end come from 開始日 and 納期.
    lot(3, {{"作業開始日付", "00000000"}, {"作業終了日付", "00000000"}, {"生産計画番号", 2}});
    PlanStore store;
    ASSERT_EQ(ReturnPlanData(plant.db(), context, store, nullptr), 3);

    const PlanRecord &moved = store[2];
    EXPECT_EQ(moved.ArrangementNo, 1);
    EXPECT_EQ(moved.StartDate, QDate(2024, 4, 1));
    EXPECT_EQ(moved.EndDate, QDate(2024, 4, 2));
    EXPECT_EQ(moved.StartTime, QTime(8, 30));
    EXPECT_EQ(moved.LoadedStartDate, QDate(2024, 4, 1));
    EXPECT_EQ(moved.InitialDueDate, QDate(2024, 3, 21)); // the stored end, not the moved one

    const PlanRecord &kept = store[3];
    EXPECT_EQ(kept.StartDate, QDate(2024, 3, 20));
    EXPECT_EQ(kept.EndDate, QDate(2024, 3, 22));
    EXPECT_EQ(kept.EndTime, QTime(17, 30));
    EXPECT_EQ(kept.InitialDueDate, QDate(2024, 4, 25));
    EXPECT_EQ(kept.ColumnStartDate, QDate(2024, 4, 5));
    EXPECT_EQ(kept.DueDate, QDate(2024, 4, 20));

    const PlanRecord &fromColumns = store[4];
    EXPECT_EQ(fromColumns.StartDate, QDate(2024, 4, 5));
    EXPECT_EQ(fromColumns.EndDate, QDate(2024, 4, 20));
}

TEST_P(PlanLoading, SetupAndWorkMinutes)
{
    plant.insert("DB0451", {{"品名コード", "A"}, {"順序", 1}, {"生産工場コード", 1}, {"サイクル", 99},
                            {"取数", 2}, {"ショット重量", 10}, {"前段取時間", 10}, {"後段取時間", 5}});
    struct Case
    {
        const char *what;
        QVariantMap row;
        qint64 setup, work;
    } cases[] = {
        // The arrangement's サイクル (first of the two columns) drives the work time:
        // 30 s / 2 cavities * 1000 / 60 = 250 minutes for 2 persons.
        {"setup 1.25 h, cycle 30", {{"段取時間", 1.25}, {"サイクル", 30}, {"必要人員", 2}}, 75, 125},
        {"setup 0.01 h, no cycle", {{"段取時間", 0.01}, {"手配数", 100}}, 1, 9},
        {"setup from molding conditions, work 1.5 h", {{"作業時間", 1.5}}, 15, 90},
        {"no persons counts as one", {{"サイクル", 30}, {"必要人員", 0}, {"手配数", 10}}, 15, 3},
    };
    qint64 no = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        plant.db().run("DELETE FROM DB0253");
        lot(++no, c.row);
        const PlanRecord r = loadOne();
        EXPECT_EQ(r.SetupMinutes, c.setup);
        EXPECT_EQ(r.WorkMinutes, c.work);
        EXPECT_DOUBLE_EQ(r.PieceWeight, 5);
    }
    plant.db().run("UPDATE DB0451 SET 取数=0, 前段取時間=NULL");
    plant.db().run("DELETE FROM DB0253");
    lot(9, {{"サイクル", 30}});
    const PlanRecord r = loadOne();
    EXPECT_EQ(r.Cycle, 30);
    EXPECT_EQ(r.PieceWeight, 0);
    EXPECT_EQ(r.SetupMinutes, 0);
    EXPECT_EQ(r.WorkMinutes, 500); // 30 s a piece, 1000 pieces
}

TEST_P(PlanLoading, SecondsPerPieceFollowsTheProductivityUnit)
{
    plant.db().run("DELETE FROM DB0381");
    const struct
    {
        const char *unit;
        double productivity, preferredCycle, seconds;
    } cases[] = {
        {"1", 2, 0, 2}, {"2", 2, 0, 120}, {"3", 2, 0, 7200}, {"4", 2, 0, 0.5}, {"5", 2, 0, 30},
        {"6個/時", 2, 0, 1800}, // junk after the unit reads as its leading number
        {"6", 0, 0, 0},        // no productivity, no preferred cycle: the rate stays unset
        {"6", 0, 40, 0},       // a per-hour productivity of 0 gives no rate, not infinity
        {"2", 3, 40, 180},     // a preferred cycle lets the productivity in
    };
    int sequence = 0;
    for (const auto &c : cases) {
        ++sequence;
        routing("A", sequence, 1, "P10", {{"標準生産性＿機械", c.productivity}, {"生産性＿機械＿単位", c.unit}});
        plant.insert("DB0492", {{"品名コード", "A"}, {"順序", sequence}, {"機械コード", "M1      "},
                                {"サイクル", c.preferredCycle}});
        lot(sequence, {{"順序", sequence}, {"生産計画番号", sequence}});
    }
    PlanStore store;
    ASSERT_EQ(ReturnPlanData(plant.db(), context, store, nullptr), sequence);
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const auto &c = cases[store[i].ArrangementNo - 1];
        SCOPED_TRACE(c.unit);
        EXPECT_DOUBLE_EQ(store[i].SecondsPerPiece, c.seconds);
        EXPECT_DOUBLE_EQ(store[i].SecondsPerPieceBase, c.seconds);
        EXPECT_EQ(store[i].RateSequence, store[i].ArrangementNo);
        EXPECT_EQ(store[i].RateItemCode, "A");
    }
}

TEST_P(PlanLoading, FirstNineteenRequirementRowsOfTheLot)
{
    lot(1);
    lot(2, {{"生産計画番号", 5}});
    for (int i = 0; i < 25; ++i) {
        const QString material = QStringLiteral("M%1").arg(24 - i, 2, 10, QChar(u'0'));
        item(material);
        plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", "A"}, {"順序", 1}, {"下位品名コード", material}});
        plant.insert("DB0252", {{"上位手配番号", 1}, {"品名コード", material}, {"順序", 1}, {"上位品名コード", "A"},
                                {"上位順序", 1}, {"生産工場コード", 1}, {"必要数", 24 - i}, {"原単位分子", 2},
                                {"原単位分母", 3}, {"不良率", 0.5}});
    }
    // Lot 2: one row whose bill-of-material row is deleted, one row deleted itself.
    item("X");
    plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", "A"}, {"順序", 1}, {"下位品名コード", "X"},
                            {"削除フラグ", "1"}});
    plant.insert("DB0252", {{"上位手配番号", 2}, {"品名コード", "X"}, {"順序", 1}, {"上位品名コード", "A"},
                            {"上位順序", 1}, {"生産工場コード", 1}});
    plant.insert("DB0252", {{"上位手配番号", 2}, {"品名コード", "M00"}, {"順序", 1}, {"上位品名コード", "A"},
                            {"上位順序", 1}, {"生産工場コード", 1}, {"削除フラグ", "1"}});

    PlanStore store;
    ASSERT_EQ(ReturnPlanData(plant.db(), context, store, nullptr), 2);
    const PlanRecord &first = store[2].ArrangementNo == 1 ? store[2] : store[3];
    const PlanRecord &second = store[2].ArrangementNo == 1 ? store[3] : store[2];
    ASSERT_EQ(first.Requirements.size(), 19u);
    EXPECT_EQ(first.Requirements.front().ItemCode, "M00");
    EXPECT_EQ(first.Requirements.back().ItemCode, "M18");
    EXPECT_EQ(first.Requirements.back().ItemSpec, "M18-仕様");
    EXPECT_EQ(first.Requirements.back().Quantity, 18);
    EXPECT_EQ(first.Requirements.back().RatioNumLoaded, 2);
    EXPECT_EQ(first.Requirements.back().RatioDen, 3);
    EXPECT_EQ(first.Requirements.back().DefectRate, 0.5);
    EXPECT_TRUE(second.Requirements.empty());
}

TEST_P(PlanLoading, LotsOutsideThePlantClassOrOpenStateAreLeftOut)
{
    item("B");
    routing("B", 1, 1, "P20");
    routing("A", 1, 2, "P10");
    lot(1, {{"スケジューラ固定区分", "1"}});
    lot(2, {{"生産工場コード", 2}});
    lot(3, {{"品名コード", "B"}});
    lot(4, {{"完納区分", "2"}});
    lot(5, {{"削除フラグ", "1"}});
    lot(6, {{"スケジューラ固定区分", "0"}, {"金型番号", "K1"}});
    plant.insert("DB0471", {{"金型番号", "K1"}, {"金型略称", "型K1"}});
    RecordedProgress progress;
    PlanStore store;
    ASSERT_EQ(ReturnPlanData(plant.db(), context, store, &progress), 2);
    ASSERT_EQ(store.lastIndex(), 3);
    EXPECT_EQ(store[2].ArrangementNo, 6); // ordered by scheduler-fixed state first
    EXPECT_EQ(store[2].BarIndex, 2);
    EXPECT_EQ(store[2].MoldShortName, "型K1");
    EXPECT_EQ(store[3].ArrangementNo, 1);
    EXPECT_EQ(store[3].BarIndex, 3);
    EXPECT_EQ(store[3].MoldNo, "");
    EXPECT_EQ(progress.texts, QStringList{"計画データ読込完了。次の処理を開始します．．．2"});
}

TEST_P(PlanLoading, NumberedColumnsAndDisplayValues)
{
    lot(1, {{"GNT表示区分", " "}, {"品名＿諸口", " "}, {"生産計画番号", 77}, {"受入実績数", 40}});
    plant.insert("DB0251", {{"生産計画番号", 77}, {"品名コード", "A"}, {"計画数", 5000}});
    PlanRecord r = loadOne();
    EXPECT_EQ(r.GanttDisplayClass, 0);
    EXPECT_EQ(r.DisplayItemName, "A-仕様");
    EXPECT_EQ(r.PlanNo, 77);
    EXPECT_EQ(r.PlanNoText, "77");
    EXPECT_EQ(r.PlannedQty, 5000);
    EXPECT_EQ(r.Quantity, 1000);
    EXPECT_EQ(r.ReceivedQty, 40);
    EXPECT_EQ(r.Members.at(0).ArrangementNo, 1);
    EXPECT_EQ(r.Members.at(0).ModelName, "A-仕様");
    EXPECT_EQ(r.Members.at(0).ProcessName, "成形");
    EXPECT_EQ(r.ProcessName, "成形");
    EXPECT_EQ(r.Active, 1);

    plant.db().run("DELETE FROM DB0253");
    lot(2, {{"GNT表示区分", "3x"}, {"品名＿諸口", "諸口品"}, {"最終実績日", "20240402"}});
    r = loadOne();
    EXPECT_EQ(r.GanttDisplayClass, 3);
    EXPECT_EQ(r.DisplayItemName, "諸口品");
    EXPECT_EQ(r.PlanNoText, ""); // no production plan row
    EXPECT_EQ(r.LastActualDate, QDate(2024, 4, 2));
}

// A date that is no date, or a number no column can hold, is junk: the lot is left out and
// named with its column, the other lots load, and the number never becomes another one (1e20
// used to load as -2^63).
TEST_P(PlanLoading, AValueThatCannotBeReadLeavesOutOnlyItsLot)
{
    struct Case
    {
        const char *column;
        QVariant value;
        bool integerColumn; // PostgreSQL's INTEGER columns cannot hold such a value at all
    } cases[] = {
        {"納期", "2024x", false},
        {"手配数", 1e20, false},
        {"作業時間", 1e20, false},
        {"作業時間", 1e8, false}, // fits as hours, not as minutes
        {"段取時間", -1e20, false},
        {"必要人員", 1e15, true},
        {"作業開始時間", 1e19, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        if (c.integerColumn && GetParam() == TestPlant::Backend::Postgres)
            continue;
        plant.db().run(QStringLiteral("DELETE FROM DB0253"));
        lot(1);
        lot(7, {{c.column, c.value}, {"作業終了日付", "00000000"}});
        PlanStore store;
        ScriptedPrompter prompter;
        EXPECT_EQ(ReturnPlanData(plant.db(), context, store, nullptr, nullptr, &prompter), 1);
        ASSERT_EQ(store.lastIndex(), 2);
        EXPECT_EQ(store[2].ArrangementNo, 1);
        ASSERT_EQ(prompter.said().size(), 1u);
        EXPECT_TRUE(prompter.said()[0].text.contains(QStringLiteral("・%1 1件: 手配番号 7「").arg(c.column)))
            << prompter.said()[0].text.toStdString();
    }
}

TEST_P(PlanLoading, ProgressEveryHundredLots)
{
    plant.db().begin();
    for (int no = 1; no <= 1000; ++no)
        lot(no);
    plant.db().commit();
    RecordedProgress progress;
    PlanStore store;
    ASSERT_EQ(ReturnPlanData(plant.db(), context, store, &progress), 1000);
    EXPECT_EQ(store.lastIndex(), 1001);
    EXPECT_EQ(store[1001].BarIndex, 1001);
    ASSERT_EQ(progress.texts.size(), 11);
    EXPECT_EQ(progress.texts[0], "計画データを読み込んでいます。しばらくお待ちください．．．100");
    EXPECT_EQ(progress.texts[9], "計画データを読み込んでいます。しばらくお待ちください．．．1,000");
    EXPECT_EQ(progress.texts[10], "計画データ読込完了。次の処理を開始します．．．1,000");
}

INSTANTIATE_TEST_SUITE_P(Backends, PlanLoading, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

// Typed columns hold no junk on PostgreSQL; on SQLite they can, as in a plant database
// filled by other programs. Where a column only informs, a null reads as 0 and junk as its
// leading number; a quantity or time that is text is left out (PlanLoading above).
TEST(PlanLoadingSqlite, NullsAndJunkInColumnsThatOnlyInform)
{
    TestPlant plant;
    RunContext context;
    context.PlantCode = 1;
    context.ProcessClassCode = "10";
    context.PeriodStart = "2024/04/01";
    plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
    plant.insert("DB0378", {{"品名コード", "A"}});
    plant.insert("DB0381", {{"品名コード", "A"}, {"順序", 1}, {"生産工場コード", 1}, {"工程内容コード", "P10"}});
    plant.insert("DB0253", {{"手配番号", 1}, {"生産工場コード", 1}, {"品名コード", "A"}, {"順序", 1},
                            {"手配確定区分", "2"}, {"開始日", "20240405"}, {"納期", "20240420"},
                            {"手配数", "120"}, {"必要人員", QVariant()}, {"作業開始時間", " 83000 "},
                            {"作業終了時間", QVariant()}, {"サイクル", "abc"}, {"段取時間", QVariant()}});
    PlanStore store;
    ASSERT_EQ(ReturnPlanData(plant.db(), context, store, nullptr), 1);
    const PlanRecord &r = store[2];
    EXPECT_EQ(r.Quantity, 120);
    EXPECT_EQ(r.Persons, 0);
    EXPECT_EQ(r.StartTime, QTime(8, 30));
    EXPECT_EQ(r.EndTime, QTime(0, 0));
    EXPECT_EQ(r.ConfirmState, "2"); // placed: the start time reads as 83000
    EXPECT_EQ(r.Cycle, 0);
    EXPECT_EQ(r.SetupMinutes, 0);
    EXPECT_EQ(r.WorkMinutes, 10); // 120 pieces at 5 s, one person
}

} // namespace
