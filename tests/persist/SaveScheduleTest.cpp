#include "SaveFixture.h"

#include "persist/SaveChecks.h"

#include <limits>

namespace {

class SaveSchedule : public SaveFixture
{
};
SAVE_SUITE(SaveSchedule);

TEST_P(SaveSchedule, MovedLotTakesItsPlacementAndHours)
{
    arrangement(1001);
    arrangement(1002);
    const qint64 moved = lot(1001);
    const qint64 untouched = lot(1002);
    PlanRecord &record = at(moved);
    record.MachineCode = QStringLiteral("M2      ");
    record.StartDate = QDate(2024, 4, 10);
    record.StartTime = QTime(7, 0, 5); // before the day start: business date of the 9th
    record.EndDate = QDate(2024, 4, 11);
    record.EndTime = QTime(17, 30);
    record.InitialDueDate = QDate(2024, 4, 22);
    record.SetupMinutes = 30;
    record.WorkMinutes = 125;
    record.Persons = 2;
    record.Quantity = 250;
    at(untouched).MembersWritten = 0;

    const SaveResult result = save();

    EXPECT_EQ(result.outcome, SaveResult::Outcome::Complete);
    EXPECT_FALSE(result.savingStillNeeded());
    EXPECT_EQ(result.savedLots, std::vector<qint64>{moved});
    const ReadRow row = arrangementRow(1001);
    EXPECT_EQ(row.text("機械コード"), "M2      ");
    EXPECT_EQ(row.text("作業開始日付"), "20240410");
    EXPECT_EQ(row.number("作業開始時間"), 70005);
    EXPECT_EQ(row.text("作業終了日付"), "20240411");
    EXPECT_EQ(row.number("作業終了時間"), 173000);
    EXPECT_EQ(row.text("開始日"), "20240409");
    EXPECT_EQ(row.text("納期"), "20240411");
    EXPECT_EQ(row.text("GNT初期納期"), "20240422");
    EXPECT_EQ(row.number("GNT所要時間＿分"), 155);
    EXPECT_DOUBLE_EQ(row.number("作業時間"), 2.08); // Int(12500 / 60) / 100
    EXPECT_DOUBLE_EQ(row.number("段取時間"), 0.5);
    EXPECT_EQ(row.number("必要人員"), 2);
    EXPECT_EQ(row.number("手配数"), 250);
    EXPECT_EQ(row.text("削除フラグ"), "0");
    EXPECT_EQ(row.text("更新日"), "00000000"); // no audit columns for an ordinary move
    EXPECT_EQ(at(moved).MembersWritten, 0);
    EXPECT_EQ(arrangementRow(1002).text("作業開始日付"), "00000000");
    EXPECT_TRUE(progress.shown);
    EXPECT_TRUE(progress.closed);
    EXPECT_EQ(progress.maximum, 3);
}

TEST_P(SaveSchedule, HiddenLotIsCompletedWithTheAccountInItsAudit)
{
    struct Case
    {
        QString account;
        QString program;
        double terminal;
    } cases[] = {{"plant042", "042", 42}, {"kobayashi", "shi", 0}};
    qint64 number = 1001;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.account.toStdString());
        arrangement(number);
        at(lot(number)).DetailMark = 1;
        account = c.account;
        ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
        const ReadRow row = arrangementRow(number);
        EXPECT_EQ(row.text("完納区分"), "2");
        EXPECT_EQ(row.text("更新日"), "20240501");
        EXPECT_EQ(row.number("更新時刻"), 123456);
        EXPECT_EQ(row.text("更新プログラム"), c.program);
        EXPECT_EQ(row.number("更新端末番号"), c.terminal);
        EXPECT_EQ(row.text("更新オペレータ"), " ");
        ++number;
    }
}

TEST(SaveChecks, DurationLimitIsTheStoredHours)
{
    struct Case
    {
        qint64 setup, work;
        bool exceeds;
    } cases[] = {
        {0, 599'999, false},   // 9999.98 hours
        {0, 600'000, true},    // 10000 hours
        {599'999, 0, false},
        {600'000, 0, true},
        {599'999, 599'999, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(durationExceedsLimit(c.setup, c.work), c.exceeds) << c.setup << " + " << c.work;
}

TEST(SaveChecks, NegativeOrOverlargeValuesAreOutOfRange)
{
    struct Case
    {
        qint64 setup, work, quantity;
        bool outOfRange;
    } cases[] = {
        {0, 0, 0, false},
        {-1, 0, 0, true},
        {0, -1, 0, true},
        {0, 0, -1, true},
        {0, 0, 2'147'483'647, false},
        {0, 0, 2'147'483'648, true},
        {0, std::numeric_limits<qint64>::min(), 0, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valuesOutOfRange(c.setup, c.work, c.quantity), c.outOfRange) << c.setup << " " << c.work << " " << c.quantity;
}

TEST_P(SaveSchedule, NegativeDurationOrQuantityIsNeverWritten)
{
    arrangement(1001);
    const qint64 broken = lot(1001);
    for (const auto &spoil : {+[](PlanRecord &r) { r.WorkMinutes = std::numeric_limits<qint64>::min(); },
                              +[](PlanRecord &r) { r.Quantity = -5; }}) {
        at(broken).WorkMinutes = 60;
        at(broken).Quantity = 10;
        at(broken).MembersWritten = 1;
        spoil(at(broken));
        prompter.clear();

        const SaveResult result = save();

        EXPECT_EQ(result.outcome, SaveResult::Outcome::Cancelled);
        ASSERT_EQ(prompter.said().size(), 1u);
        EXPECT_EQ(prompter.said()[0].text, "手配番号 1001 の時間または数量が範囲外です。\r保存処理を中止します。");
        EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), "00000000");
    }
}

TEST_P(SaveSchedule, OverlongLotStopsTheSaveBeforeAnythingIsWritten)
{
    arrangement(1001);
    arrangement(1002);
    lot(1001);
    const qint64 tooLong = lot(1002);
    at(tooLong).WorkMinutes = 600'000;

    const SaveResult result = save();

    EXPECT_EQ(result.outcome, SaveResult::Outcome::Cancelled);
    EXPECT_TRUE(result.savingStillNeeded());
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, "時間が10000時間を越えています。\r保存処理を中止します。");
    EXPECT_EQ(prompter.said()[0].title, "保存の確認");
    EXPECT_EQ(result.relayoutLots, std::vector<qint64>{tooLong});
    EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), "00000000");
    EXPECT_EQ(at(2).MembersWritten, 1);
    EXPECT_TRUE(progress.closed);

    at(tooLong).SchedulerFixed = QStringLiteral("2");
    prompter.clear();
    EXPECT_TRUE(save().relayoutLots.empty()); // a locked lot keeps its bar
}

TEST(SaveChecks, MoldOverlapsCountEachChangedLotsPairs)
{
    struct Lot
    {
        QString mold, machine;
        QTime start, end;
        bool changed;
    };
    struct Case
    {
        const char *what;
        std::vector<Lot> lots;
        qint64 count;
    } cases[] = {
        {"two changed lots overlapping by one second",
         {{"K1", "M1", QTime(8, 0), QTime(10, 0, 1), true}, {"K1", "M2", QTime(10, 0), QTime(12, 0), true}},
         2},
        {"touching intervals", {{"K1", "M1", QTime(8, 0), QTime(10, 0), true}, {"K1", "M2", QTime(10, 0), QTime(12, 0), true}}, 0},
        {"changed against unchanged", {{"K1", "M1", QTime(8, 0), QTime(11, 0), true}, {"K1", "M2", QTime(10, 0), QTime(12, 0), false}}, 1},
        {"other lot without machine", {{"K1", "M1", QTime(8, 0), QTime(11, 0), true}, {"K1", "  ", QTime(10, 0), QTime(12, 0), false}}, 0},
        {"blank molds", {{" ", "M1", QTime(8, 0), QTime(11, 0), true}, {" ", "M2", QTime(10, 0), QTime(12, 0), true}}, 0},
        {"different molds", {{"K1", "M1", QTime(8, 0), QTime(11, 0), true}, {"K2", "M2", QTime(10, 0), QTime(12, 0), true}}, 0},
    };
    for (const Case &c : cases) {
        PlanStore store;
        for (const Lot &l : c.lots) {
            PlanRecord record;
            record.Active = 1;
            record.MoldNo = l.mold;
            record.MachineCode = l.machine;
            record.StartDate = record.EndDate = QDate(2024, 4, 10);
            record.StartTime = l.start;
            record.EndTime = l.end;
            record.MembersWritten = l.changed ? 1 : 0;
            store.append(std::move(record));
        }
        EXPECT_EQ(qint64(moldOverlaps(store).size()), c.count) << c.what;
    }
}

TEST_P(SaveSchedule, MoldQuestionCanStopTheSave)
{
    arrangement(1001);
    arrangement(1002);
    for (qint64 i : {lot(1001), lot(1002)}) {
        at(i).MoldNo = QStringLiteral("K1");
        at(i).MachineCode = i == 2 ? QStringLiteral("M1      ") : QStringLiteral("M2      ");
    }
    prompter.expectAnswer(false);
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Cancelled);
    ASSERT_EQ(prompter.said().size(), 2u);
    EXPECT_EQ(prompter.said()[0].text, "金型が重複します。 [ 2件]\rそのまま保存しますか？");
    EXPECT_EQ(prompter.said()[0].title, "保存の確認");
    EXPECT_FALSE(prompter.said()[0].defaultYes);
    // Which molds, lots and times: one line from each changed lot's side.
    EXPECT_EQ(prompter.said()[0].details,
              "金型 K1: 手配 1001 M1 2024/04/10 09:00～2024/04/10 17:00 ／ 手配 1002 M2 2024/04/10 09:00～2024/04/10 17:00\n"
              "金型 K1: 手配 1002 M2 2024/04/10 09:00～2024/04/10 17:00 ／ 手配 1001 M1 2024/04/10 09:00～2024/04/10 17:00");
    EXPECT_EQ(prompter.said()[1].text, "保存を中断しました。");
    EXPECT_EQ(arrangementRow(1002).text("機械コード"), "M1      ");

    prompter.clear();
    prompter.expectAnswer(true);
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(arrangementRow(1002).text("機械コード"), "M2      ");
}

TEST_P(SaveSchedule, InquiryModeNeverWrites)
{
    arrangement(1001);
    at(lot(1001)).MachineCode = QStringLiteral("M2      ");
    run.Authority = QStringLiteral("0");

    const SaveResult result = save();

    EXPECT_EQ(result.outcome, SaveResult::Outcome::Refused);
    EXPECT_EQ(arrangementRow(1001).text("機械コード"), "M1      ");
    EXPECT_EQ(at(2).MembersWritten, 1);
    EXPECT_FALSE(progress.shown);
}

} // namespace
