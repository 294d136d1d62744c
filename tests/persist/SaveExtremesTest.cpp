// Every column the save writes, at the ends of what it may hold, is read by the next load as
// what was saved: no date longer than its eight digits, no time past the day, no number cut.
// A date its column cannot hold is refused before anything is written.

#include "SaveFixture.h"
#include "common/PlantValues.h"
#include "plan/ReturnPlanData.h"

namespace {

class SaveExtremes : public SaveFixture
{
protected:
    void SetUp() override
    {
        moldingStep({}, {});
        for (const qint64 number : {1001, 1002, 1003})
            arrangement(number, {{"開始日", "20240405"}, {"納期", "20240420"}});
    }

    PlanRecord loaded(qint64 number)
    {
        PlanStore fresh;
        ReturnPlanData(plant.db(), run, fresh, nullptr);
        for (qint64 i = 2; i <= fresh.lastIndex(); ++i)
            if (fresh[i].ArrangementNo == number)
                return fresh[i];
        ADD_FAILURE() << "arrangement " << number << " not loaded";
        return {};
    }

    // A lot with every value the save writes set by `set`.
    qint64 lotWith(qint64 number, const std::function<void(PlanRecord &)> &set)
    {
        const qint64 index = lot(number);
        set(at(index));
        at(index).Members.set(0).Quantity = at(index).Quantity;
        return index;
    }
};
SAVE_SUITE(SaveExtremes);

TEST_P(SaveExtremes, EveryWrittenColumnAtItsEndsLoadsBackAsSaved)
{
    const QString remarks = QStringLiteral("=至急, \"型\" 髙𠮷①～㈱\n2行目 ") + QString(180, u'あ');
    const auto low = [](PlanRecord &r) {
        r.StartDate = r.EndDate = r.InitialDueDate = QDate(1000, 1, 2);
        r.StartTime = QTime(0, 0);
        r.EndTime = QTime(23, 59, 59);
        r.Quantity = 1;
        r.SetupMinutes = 0;
        r.WorkMinutes = 1; // no work time at all is read as the time the pieces take
        r.Persons = 0;
        r.Cycle = 0;
        r.GanttDisplayClass = 0;
        r.SchedulerFixed = QStringLiteral("0");
    };
    const auto high = [&remarks](PlanRecord &r) {
        r.StartDate = QDate(9999, 12, 30);
        r.EndDate = r.InitialDueDate = QDate(9999, 12, 31);
        r.StartTime = QTime(23, 59, 59);
        r.EndTime = QTime(23, 59, 59);
        r.Quantity = plant::ColumnWholeLimit;
        r.SetupMinutes = r.WorkMinutes = 599'999; // 9,999.98 hours each, just below the limit
        r.Persons = plant::ColumnWholeLimit;
        r.Cycle = 123456789.25;
        r.Remarks = remarks;
        r.GanttDisplayClass = 9;
        r.SchedulerFixed = QStringLiteral("2");
    };
    const std::pair<qint64, std::function<void(PlanRecord &)>> lots[] = {{1001, low}, {1002, high}};
    for (const auto &[number, set] : lots)
        lotWith(number, set);
    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete) << prompter.texts().join('\n').toStdString();

    for (const auto &[number, set] : lots) {
        SCOPED_TRACE(number);
        PlanRecord expected;
        set(expected);
        const PlanRecord read = loaded(number);
        EXPECT_EQ(read.StartDate, expected.StartDate);
        EXPECT_EQ(read.StartTime, expected.StartTime);
        EXPECT_EQ(read.EndDate, expected.EndDate);
        EXPECT_EQ(read.EndTime, expected.EndTime);
        EXPECT_EQ(read.InitialDueDate, expected.InitialDueDate);
        EXPECT_EQ(read.Quantity, expected.Quantity);
        EXPECT_EQ(read.SetupMinutes, expected.SetupMinutes);
        EXPECT_EQ(read.WorkMinutes, expected.WorkMinutes);
        EXPECT_EQ(read.Persons, expected.Persons);
        EXPECT_EQ(read.Cycle, expected.Cycle);
        if (expected.Remarks.isEmpty())
            EXPECT_TRUE(read.Remarks.trimmed().isEmpty()) << "an empty note keeps the blank it was stored with";
        else
            EXPECT_EQ(read.Remarks, expected.Remarks);
        EXPECT_EQ(read.GanttDisplayClass, expected.GanttDisplayClass);
        EXPECT_EQ(read.SchedulerFixed, expected.SchedulerFixed);
        EXPECT_EQ(read.ConfirmState, QStringLiteral("2"));
        EXPECT_EQ(arrangementRow(number).text("作業終了日付").size(), 8);
    }
}

TEST_P(SaveExtremes, ADateItsColumnCannotHoldIsRefusedBeforeAnythingIsWritten)
{
    lotWith(1001, [](PlanRecord &r) { r.StartDate = QDate(2024, 4, 11); });
    lotWith(1002, [](PlanRecord &r) { r.EndDate = QDate(10000, 1, 1); });
    EXPECT_EQ(save().outcome, SaveResult::Outcome::Cancelled);
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, QStringLiteral("手配番号 1002 の日付が範囲外です。\r保存処理を中止します。"));
    EXPECT_EQ(arrangementRow(1001).text("作業開始日付"), QStringLiteral("00000000"));
    EXPECT_EQ(arrangementRow(1002).text("作業終了日付"), QStringLiteral("00000000"));
}

} // namespace
