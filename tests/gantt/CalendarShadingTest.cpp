#include "ChartScale.h"
#include "calendar/BreakTable.h"
#include "calendar/DaySpans.h"
#include "gantt/CalendarShading.h"
#include "plan/ChartRows.h"
#include "calendar/WorkCalendar.h"

#include <gtest/gtest.h>

namespace {

// One machine (row 2) working 08:00-17:00 every day with the lunch break 12:00-13:00 and a
// ten-minute break at 15:00.
class CalendarShadingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rows.append(QStringLiteral("        "), QString());
        rows.append(QStringLiteral("M01"), QStringLiteral("M01 PRESS"));
        rows.closeMachineRows();
        rows.padToMinimum();
        rows.computeBoundaries();
        breaks.offer(QTime(12, 0), QTime(13, 0));
        breaks.offer(QTime(15, 0), QTime(15, 10));
        calendar.reset(PeriodStart, PeriodStart.addDays(29), DayStart, rows.lastMachineRow());
        for (qint64 k = 0; k <= calendar.periodDays(); ++k)
            setShift(k, QTime(8, 0), QTime(17, 0));
    }

    void setShift(qint64 k, const QTime &start, const QTime &end)
    {
        CalendarDay *day = calendar.day(2, k);
        day->workHours = start == end ? 0 : 8;
        day->shiftTimes.fill(QTime(0, 0));
        day->shiftTimes[0] = start;
        day->shiftTimes[1] = end;
        day->hourly = BuildDaySpans(day->shiftTimes, breaks, DayStart);
    }

    TimeScale scaleIn(DisplayMode mode) const
    {
        TimeScale scale;
        scale.setUp(13815, PeriodStart, DayStart, calendar.periodDays());
        scale.applyMode(mode);
        return scale;
    }

    // The boxes of row 2 that lie within the working day `date`.
    std::vector<ShadingBox> boxesOn(const CalendarShading &shading, const TimeScale &scale, const QDate &date) const
    {
        const qint64 from = scale.planTimeToX(date, DayStart, ChartSurface::Main);
        const qint64 to = scale.planTimeToX(date.addDays(1), DayStart, ChartSurface::Main);
        const auto [begin, end] = shading.rowBoxesIn(2, double(from), double(to));
        return {begin, end};
    }

    ChartRows rows;
    BreakTable breaks;
    WorkCalendar calendar;
};

TEST_F(CalendarShadingTest, WeekModeShadesFromTheLastShiftsHourToTheNextDayStart)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    const CalendarShading shading = shadeNonWorkingTime(week, rows, calendar);
    const QDate day(2024, 4, 2);
    const std::vector<ShadingBox> boxes = boxesOn(shading, week, day);
    ASSERT_EQ(boxes.size(), 2u); // the lunch break, and 17:00 to the next 08:00
    EXPECT_EQ(boxes[0].left, week.planTimeToX(day, QTime(12, 0), ChartSurface::Main));
    EXPECT_EQ(boxes[0].right(), week.planTimeToX(day, QTime(13, 0), ChartSurface::Main));
    EXPECT_EQ(boxes[1].left, week.planTimeToX(day, QTime(17, 0), ChartSurface::Main) + 15);
    EXPECT_EQ(boxes[1].right(), week.planTimeToX(day.addDays(1), DayStart, ChartSurface::Main));
    // The row's band: from its lower boundary 600 twips up.
    EXPECT_EQ(boxes[1].top, qint64(rows.row(2).lowerBoundary) - 600);
    EXPECT_EQ(boxes[1].height, 600);
    // Only machine rows are shaded.
    EXPECT_EQ(shading.rowBoxesIn(1, -1e9, 1e9).first, shading.rowBoxesIn(1, -1e9, 1e9).second);
    EXPECT_EQ(shading.rowBoxesIn(3, -1e9, 1e9).first, shading.rowBoxesIn(3, -1e9, 1e9).second);
}

TEST_F(CalendarShadingTest, ShiftEndingAtTheDayStartLeavesNothingAfterIt)
{
    const QDate day(2024, 4, 3);
    setShift(PeriodStart.daysTo(day) + 2, QTime(16, 0), DayStart);
    const TimeScale week = scaleIn(DisplayMode::Week);
    const std::vector<ShadingBox> boxes = boxesOn(shadeNonWorkingTime(week, rows, calendar), week, day);
    // Only the time before the shift is shaded; the box of the day before reaches 08:00.
    ASSERT_FALSE(boxes.empty());
    EXPECT_LE(boxes.back().right(), week.planTimeToX(day, QTime(16, 0), ChartSurface::Main));
}

TEST_F(CalendarShadingTest, DayWithoutWorkingHoursIsShadedWholeInEveryMode)
{
    const QDate day(2024, 4, 6);
    setShift(PeriodStart.daysTo(day) + 2, QTime(0, 0), QTime(0, 0));
    for (DisplayMode mode : {DisplayMode::Day, DisplayMode::ThreeDays, DisplayMode::Week, DisplayMode::FourWeeks}) {
        SCOPED_TRACE(int(mode));
        const TimeScale scale = scaleIn(mode);
        const CalendarShading shading = shadeNonWorkingTime(scale, rows, calendar);
        const qint64 from = scale.planTimeToX(day, DayStart, ChartSurface::Main);
        const qint64 to = scale.planTimeToX(day.addDays(1), DayStart, ChartSurface::Main);
        const auto [begin, end] = shading.rowBoxesIn(2, double(from), double(from + 1));
        ASSERT_NE(begin, end);
        // One box runs on from the evening before over the whole day.
        EXPECT_LT(begin->left, from);
        EXPECT_EQ(begin->right(), to);
    }
}

TEST_F(CalendarShadingTest, BreaksAreShownWhereTheScaleMakesThemVisible)
{
    const QDate day(2024, 4, 2);
    const auto breakCount = [&](DisplayMode mode) {
        const TimeScale scale = scaleIn(mode);
        const std::vector<ShadingBox> boxes = boxesOn(shadeNonWorkingTime(scale, rows, calendar), scale, day);
        return std::count_if(boxes.begin(), boxes.end(), [&](const ShadingBox &box) {
            return box.right() <= scale.planTimeToX(day, QTime(17, 0), ChartSurface::Main);
        });
    };
    EXPECT_EQ(breakCount(DisplayMode::Day), 2);       // lunch and the ten minutes
    EXPECT_EQ(breakCount(DisplayMode::ThreeDays), 2);
    EXPECT_EQ(breakCount(DisplayMode::FourWeeks), 1); // ten minutes are less than a pixel
}

TEST_F(CalendarShadingTest, DayModeShadesFromTheShiftEnd)
{
    const QDate day(2024, 4, 2);
    setShift(PeriodStart.daysTo(day) + 2, QTime(8, 0), QTime(17, 30));
    const TimeScale scale = scaleIn(DisplayMode::Day);
    const std::vector<ShadingBox> boxes = boxesOn(shadeNonWorkingTime(scale, rows, calendar), scale, day);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().left, scale.planTimeToX(day, QTime(17, 30), ChartSurface::Main));
}

} // namespace
