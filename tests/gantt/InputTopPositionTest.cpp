#include "calendar/LoadBreakTable.h"
#include "gantt/InputTopPosition.h"

#include "ScriptedPrompter.h"
#include "TestPlant.h"

#include <gtest/gtest.h>

namespace {

class RowsFromDatabase : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void addBreakMaster(const QVariantMap &times)
    {
        QVariantMap row = times;
        row.insert(u"自社企業コード"_qs, u"1"_qs);
        plant.insert(u"DB0496"_qs, row);
    }

    void addWorkingHours(const QString &machine, const QString &date, int sequence, double hours, int start1,
                         int end1, int start2 = 0, int end2 = 0)
    {
        plant.insert(u"DB0491"_qs, {{u"機械コード"_qs, machine},
                                    {u"年月日"_qs, date},
                                    {u"連番"_qs, sequence},
                                    {u"勤務時間"_qs, hours},
                                    {u"開始時刻１"_qs, start1},
                                    {u"終了時刻１"_qs, end1},
                                    {u"開始時刻２"_qs, start2},
                                    {u"終了時刻２"_qs, end2}});
    }

    TestPlant plant{GetParam()};
    ScriptedPrompter prompter;
    ChartRows rows;
    WorkCalendar calendar;
    BreakTable breaks;
    const ChartPeriod period{QDate(2024, 5, 10), QDate(2024, 5, 12), QTime(8, 0)};
};

TEST_P(RowsFromDatabase, BreakMasterKeepsValidPairsInOrder)
{
    addBreakMaster({{u"開始時刻１"_qs, 120000}, {u"終了時刻１"_qs, 130000},
                    {u"開始時刻２"_qs, 123000}, {u"終了時刻２"_qs, 124500},  // inside the first: dropped
                    {u"開始時刻３"_qs, 0}, {u"終了時刻３"_qs, 0},            // empty
                    {u"開始時刻４"_qs, 230000}, {u"終了時刻４"_qs, 0},        // to midnight
                    {u"開始時刻５"_qs, 250000}, {u"終了時刻５"_qs, 260000},  // no time of day
                    {u"開始時刻１０"_qs, 150000}, {u"終了時刻１０"_qs, 151000}});
    breaks.offer(QTime(1, 0), QTime(2, 0)); // whatever was there before goes
    ASSERT_EQ(LoadBreakTable(breaks, plant.db(), prompter), BreakTableLoad::Loaded);
    ASSERT_EQ(breaks.size(), 3);
    EXPECT_EQ(breaks.slot(1), QTime(12, 0));
    EXPECT_EQ(breaks.slot(2), QTime(13, 0));
    EXPECT_EQ(breaks.slot(3), QTime(23, 0));
    EXPECT_EQ(breaks.slot(4), QTime(0, 0));
    EXPECT_EQ(breaks.slot(5), QTime(15, 0));
    EXPECT_EQ(breaks.slot(6), QTime(15, 10));
    EXPECT_TRUE(prompter.said().empty());
}

TEST_P(RowsFromDatabase, EmptyBreakMasterEndsTheProgramAfterItsWarning)
{
    breaks.offer(QTime(1, 0), QTime(2, 0));
    EXPECT_EQ(InputTopPosition(rows, calendar, breaks, {{u"M01"_qs, u"成形機"_qs}}, period, plant.db(), prompter),
              RowsBuild::EndProgram);
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, u"休憩マスタにデータがありません。"_qs);
    EXPECT_EQ(prompter.said()[0].title, u"警告"_qs);
    EXPECT_EQ(prompter.said()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(breaks.size(), 0);
}

TEST_P(RowsFromDatabase, MachineRowsCarryTheirWorkingHours)
{
    addBreakMaster({{u"開始時刻１"_qs, 120000}, {u"終了時刻１"_qs, 130000}});
    addWorkingHours(u"M01"_qs, u"20240510"_qs, 1, 8, 80000, 120000, 130000, 170000);
    addWorkingHours(u"M01"_qs, u"20240510"_qs, 2, 2, 180000, 200000, 200000, 200000);
    addWorkingHours(u"M01"_qs, u"20240508"_qs, 1, 9, 80000, 170000);   // day 0
    addWorkingHours(u"M01"_qs, u"20240507"_qs, 1, 9, 80000, 170000);   // before the calendar
    addWorkingHours(u"M01"_qs, u"20240514"_qs, 1, 9, 80000, 170000);   // after it
    addWorkingHours(u"M02"_qs, u"20240511"_qs, 1, 9, 103000, 190000);  // late first shift
    addWorkingHours(u"M02"_qs, u"20240512"_qs, 1, 0, 80000, 170000);   // no hours

    ASSERT_EQ(InputTopPosition(rows, calendar, breaks, {{u"M01"_qs, u"成形機1"_qs}, {u"M02"_qs, u"成形機2"_qs}},
                               period, plant.db(), prompter),
              RowsBuild::Built);
    InputTopPosition2(rows, {{u"S01"_qs, u"ABC(第二)"_qs}});

    EXPECT_EQ(rows.count(), 10);
    EXPECT_EQ(rows.lastMachineRow(), 3);
    EXPECT_EQ(rows.row(4).caption, u"S01\nABC\n(第二)"_qs);
    EXPECT_EQ(calendar.periodDays(), 5);

    const CalendarDay *day = calendar.day(2, 2);
    EXPECT_EQ(day->workHours, 10);
    const ShiftTimes expected = {QTime(8, 0), QTime(12, 0), QTime(13, 0), QTime(17, 0),
                                 QTime(18, 0), QTime(20, 0), QTime(0, 0), QTime(0, 0)};
    EXPECT_EQ(day->shiftTimes, expected);
    EXPECT_EQ(day->hourly.size(), 3); // 08:00-12:00, 13:00-17:00, 18:00-20:00
    EXPECT_EQ(calendar.day(2, 0)->hourly.size(), 2); // 08:00-12:00, 13:00-17:00
    EXPECT_EQ(calendar.day(2, 0)->workHours, 9);
    EXPECT_EQ(calendar.day(2, 5)->workHours, 0);
    EXPECT_EQ(calendar.day(3, 3)->shiftTimes[0], QTime(10, 30));
    EXPECT_EQ(calendar.day(3, 4)->shiftTimes[0], QTime(0, 0));
    EXPECT_EQ(prompter.texts(), QStringList{u"M02の計画で10時以降に開始時間が設定されています。日付:20240511"_qs});

    // What each row gave its day, for saving the day back: the second row's second pair is no shift.
    const StoredDay &stored = calendar.storedRows(2, 2);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].serial, 1);
    EXPECT_EQ(stored[0].suppliedPairs, (std::array<int, 2>{0, 1}));
    EXPECT_EQ(stored[1].serial, 2);
    EXPECT_EQ(stored[1].suppliedPairs, (std::array<int, 2>{2, -1}));
    ASSERT_EQ(calendar.storedRows(3, 4).size(), 1u); // a row without hours gives nothing
    EXPECT_EQ(calendar.storedRows(3, 4)[0].suppliedPairs, (std::array<int, 2>{-1, -1}));
    EXPECT_TRUE(calendar.storedRows(2, 1).empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, RowsFromDatabase, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
