#include "SaveFixture.h"

namespace {

class SaveHours : public SaveFixture
{
protected:
    void dayRow(const QString &machine, const QString &date, int serial, double hours)
    {
        plant.insert("DB0491", {{"機械コード", machine}, {"年月日", date}, {"連番", serial}, {"勤務時間", hours},
                                {"開始時刻１", 80000}, {"終了時刻１", 170000}});
    }
    double sum(const QString &machine, const QString &date)
    {
        return row("SELECT SUM(勤務時間) AS 合計 FROM DB0491 WHERE 機械コード=? AND 年月日=?", {machine, date}).number("合計");
    }
    ReadRow stored(const QString &machine, const QString &date, int serial)
    {
        return row("SELECT * FROM DB0491 WHERE 機械コード=? AND 年月日=? AND 連番=?", {machine, date, serial});
    }
};
SAVE_SUITE(SaveHours);

TEST_P(SaveHours, ChangedDaysAreWrittenIntoTheirStoredRows)
{
    // Day index 11 is 2024/04/10 (the period starts 04/01; day 0 is two days before).
    dayRow("M1      ", "20240410", 1, 8);
    dayRow("M1      ", "20240410", 2, 2);
    dayRow("M2      ", "20240411", 1, 8); // unchanged day
    CalendarDay &changed = *calendar.day(2, 11);
    changed.workHours = 9;
    changed.shiftTimes = {QTime(7, 30), QTime(12, 0), QTime(13, 0), QTime(18, 15), QTime(19, 0), QTime(20, 0),
                          QTime(0, 0), QTime(0, 0)};
    changed.changed = true;
    CalendarDay &withoutRow = *calendar.day(3, 11);
    withoutRow.workHours = 5;
    withoutRow.changed = true;
    calendar.day(3, 12)->workHours = 3; // not marked changed

    const SaveResult result = save();

    ASSERT_EQ(result.outcome, SaveResult::Outcome::Complete);
    const ReadRow first = stored("M1      ", "20240410", 1);
    EXPECT_EQ(first.number("勤務時間"), 7); // 9 hours in all with the second row's 2
    EXPECT_EQ(first.number("開始時刻１"), 73000);
    EXPECT_EQ(first.number("終了時刻１"), 120000);
    EXPECT_EQ(first.number("開始時刻２"), 130000);
    EXPECT_EQ(first.number("終了時刻２"), 181500);
    EXPECT_EQ(stored("M1      ", "20240410", 2).number("勤務時間"), 2); // the day's second row is left alone
    EXPECT_EQ(sum("M1      ", "20240410"), 9);                           // a reload adds the rows up again
    EXPECT_EQ(stored("M2      ", "20240411", 1).number("勤務時間"), 8);
    EXPECT_EQ(count("SELECT COUNT(*) FROM DB0491", {}), 3); // no row added for the day without one
    EXPECT_EQ(result.savedDays, (std::vector<SavedDay>{{2, 11}, {3, 11}}));
    EXPECT_FALSE(calendar.day(2, 11)->changed);
    EXPECT_FALSE(calendar.day(3, 11)->changed);
}

TEST_P(SaveHours, HoursCutBelowTheDaysOtherRowsGoIntoTheFirstRowAlone)
{
    dayRow("M1      ", "20240410", 1, 8);
    dayRow("M1      ", "20240410", 2, 3);
    CalendarDay &changed = *calendar.day(2, 11);
    changed.workHours = 2;
    changed.shiftTimes = {QTime(8, 0), QTime(10, 0), QTime(0, 0), QTime(0, 0), QTime(0, 0), QTime(0, 0),
                          QTime(0, 0), QTime(0, 0)};
    changed.changed = true;

    ASSERT_EQ(save().outcome, SaveResult::Outcome::Complete);
    EXPECT_EQ(stored("M1      ", "20240410", 1).number("勤務時間"), 2);
    EXPECT_EQ(stored("M1      ", "20240410", 2).number("勤務時間"), 0);
    EXPECT_EQ(sum("M1      ", "20240410"), 2);
}

} // namespace
