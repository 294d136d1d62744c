// What saving writes into the stored rows of a changed calendar day: each row its own shift
// pairs, hours shared by the rows' own shift time that a reload adds up to the planner's total
// (in whole hours where the column takes no fractions), nothing into a row that supplied no
// shift, and no write for a day without rows.

#include "persist/DayRowWrites.h"

#include <gtest/gtest.h>

void PrintTo(const DayRowWrite &w, std::ostream *os)
{
    *os << "{row " << w.row << ", " << w.hours << " h";
    if (w.writesShifts)
        for (const QTime &time : w.shifts)
            *os << ' ' << time.toString(QStringLiteral("hh:mm")).toStdString();
    *os << '}';
}

namespace {

QTime hm(int hour, int minute = 0)
{
    return QTime(hour, minute);
}

// A stored row: its serial, hours and the day's pairs its two column pairs supplied.
StoredDayRow stored(qint64 serial, double hours, int first = -1, int second = -1)
{
    return {serial, hours, {}, {first, second}};
}

CalendarDay plannedDay(int hours, std::initializer_list<std::pair<QTime, QTime>> pairs)
{
    CalendarDay day;
    day.workHours = hours;
    size_t slot = 0;
    for (const auto &[start, end] : pairs) {
        day.shiftTimes[slot++] = start;
        day.shiftTimes[slot++] = end;
    }
    return day;
}

const std::array<QTime, 4> NoShifts{hm(0), hm(0), hm(0), hm(0)};

// What row `serial` (the first row is 1) gets.
DayRowWrite shifts(qint64 serial, double hours, std::array<QTime, 4> columns)
{
    return {size_t(serial - 1), hours, true, columns};
}

DayRowWrite hoursOnly(qint64 serial, double hours)
{
    return {size_t(serial - 1), hours, false, {}};
}

struct WriteCase
{
    const char *name;
    StoredDay rows;
    CalendarDay day;
    std::vector<DayRowWrite> expected;
    bool wholeHours = false; // the plant's column takes whole hours only
};

class DayRowWritesTest : public testing::TestWithParam<WriteCase>
{
};

TEST_P(DayRowWritesTest, EachRowGetsItsOwnShiftsAndTheHoursAddUpToThePlannersTotal)
{
    EXPECT_EQ(dayRowWrites(GetParam().day, GetParam().rows, GetParam().wholeHours), GetParam().expected);
}

const StoredDay TwoRows{stored(1, 4, 0), stored(2, 4, 1)}; // 08:00-12:00 and 13:00-17:00

INSTANTIATE_TEST_SUITE_P(
    Days, DayRowWritesTest,
    testing::Values(
        WriteCase{"OneRowTakesTheDayAsItStands",
                  {stored(1, 8, 0)},
                  plannedDay(9, {{hm(7), hm(12)}, {hm(13), hm(18)}}),
                  {shifts(1, 9, {hm(7), hm(12), hm(13), hm(18)})}},
        WriteCase{"OneRowWithoutHoursTakesTheNewShifts",
                  {stored(1, 0)},
                  plannedDay(6, {{hm(8), hm(14)}}),
                  {shifts(1, 6, {hm(8), hm(14), hm(0), hm(0)})}},
        WriteCase{"TwoRowsKeepTheirOwnShifts",
                  TwoRows,
                  plannedDay(10, {{hm(8), hm(12)}, {hm(13), hm(19)}}),
                  {shifts(1, 4, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 6, {hm(13), hm(19), hm(0), hm(0)})}},
        WriteCase{"ANewPairGoesBesideTheLastRowsShift",
                  TwoRows,
                  plannedDay(10, {{hm(8), hm(12)}, {hm(13), hm(17)}, {hm(18), hm(20)}}),
                  {shifts(1, 4, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 6, {hm(13), hm(17), hm(18), hm(20)})}},
        WriteCase{"AClearedShiftLeavesItsRowWithoutHours",
                  TwoRows,
                  plannedDay(4, {{hm(0), hm(0)}, {hm(13), hm(17)}}),
                  {shifts(1, 0, NoShifts), shifts(2, 4, {hm(13), hm(17), hm(0), hm(0)})}},
        WriteCase{"TheTotalIsSharedByEachRowsShiftTime",
                  {stored(1, 8, 0, 1), stored(2, 2, 2)},
                  plannedDay(12, {{hm(8), hm(12)}, {hm(13), hm(17)}, {hm(18), hm(20)}}),
                  {shifts(1, 10, {hm(8), hm(12), hm(13), hm(17)}), shifts(2, 2, {hm(18), hm(20), hm(0), hm(0)})}},
        WriteCase{"FewerHoursStillLeaveEachRowAnHour",
                  TwoRows,
                  plannedDay(3, {{hm(8), hm(12)}, {hm(13), hm(17)}}),
                  {shifts(1, 2, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 1, {hm(13), hm(17), hm(0), hm(0)})}},
        WriteCase{"ATotalBelowOneHourARowGetsEighthsBesideTheFirst",
                  TwoRows,
                  plannedDay(1, {{hm(8), hm(12)}, {hm(13), hm(17)}}),
                  {shifts(1, 0.875, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 0.125, {hm(13), hm(17), hm(0), hm(0)})}},
        WriteCase{"AWholeHourColumnKeepsTheTotalInTheFirstRows",
                  TwoRows,
                  plannedDay(1, {{hm(8), hm(12)}, {hm(13), hm(17)}}),
                  {shifts(1, 1, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 0, {hm(13), hm(17), hm(0), hm(0)})},
                  true},
        WriteCase{"ADayOffGivesEveryRowNoHours",
                  TwoRows,
                  plannedDay(0, {{hm(8), hm(12)}, {hm(13), hm(17)}}),
                  {shifts(1, 0, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 0, {hm(13), hm(17), hm(0), hm(0)})}},
        WriteCase{"ARowOfHoursWithoutShiftGetsNoShiftAndNoHours",
                  {stored(1, 8, 0), stored(2, 2)},
                  plannedDay(10, {{hm(8), hm(19)}}),
                  {shifts(1, 10, {hm(8), hm(19), hm(0), hm(0)}), hoursOnly(2, 0)}},
        WriteCase{"ARowWithoutHoursIsLeftAlone",
                  {stored(1, 8, 0, 1), stored(2, 0)},
                  plannedDay(8, {{hm(8), hm(12)}, {hm(13), hm(17)}}),
                  {shifts(1, 8, {hm(8), hm(12), hm(13), hm(17)})}},
        WriteCase{"TheSecondColumnPairsShiftIsPackedToTheFront",
                  {stored(1, 4, -1, 0), stored(2, 4, 1)},
                  plannedDay(8, {{hm(8), hm(12)}, {hm(13), hm(17)}}),
                  {shifts(1, 4, {hm(8), hm(12), hm(0), hm(0)}), shifts(2, 4, {hm(13), hm(17), hm(0), hm(0)})}},
        WriteCase{"ADayWithoutRowsWritesNothing", {}, plannedDay(8, {{hm(8), hm(17)}}), {}}),
    [](const testing::TestParamInfo<WriteCase> &info) { return std::string(info.param.name); });

TEST(UnheldShiftPairs, AreThePairsBeyondWhatTheRowsHold)
{
    const CalendarDay day = plannedDay(12, {{hm(8), hm(12)}, {hm(13), hm(17)}, {hm(18), hm(20)}, {hm(21), hm(21)}});
    EXPECT_EQ(unheldShiftPairs(day.shiftTimes, {stored(1, 8, 0, 1)}), std::vector<int>{2}); // 21-21 is no shift
    EXPECT_EQ(unheldShiftPairs(day.shiftTimes, TwoRows), std::vector<int>{});            // the second row has room
    EXPECT_EQ(unheldShiftPairs(day.shiftTimes, {}), (std::vector<int>{0, 1, 2}));
}

TEST(StoredAfter, HoldsWhatWasWrittenSoTheNextSaveFindsItsRows)
{
    const CalendarDay day = plannedDay(4, {{hm(0), hm(0)}, {hm(13), hm(18)}});
    const StoredDay before{stored(1, 4, 0), stored(2, 4, 1)};
    const StoredDay after = storedAfter(before, dayRowWrites(day, before, false), day.shiftTimes);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].hours, 0);
    EXPECT_EQ(after[0].times, (std::array<qint64, 4>{0, 0, 0, 0}));
    EXPECT_EQ(after[0].suppliedPairs, (std::array<int, 2>{-1, -1})); // no hours: a reload passes it over
    EXPECT_EQ(after[1].hours, 4);
    EXPECT_EQ(after[1].times, (std::array<qint64, 4>{130000, 180000, 0, 0}));
    EXPECT_EQ(after[1].suppliedPairs, (std::array<int, 2>{1, -1}));
    EXPECT_EQ(after[1].serial, before[1].serial);
}

} // namespace
