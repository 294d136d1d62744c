#include "ChartScale.h"
#include "gantt/ChartAxis.h"
#include "gantt/TimeScale.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeScale, MapsMomentsToTwipsFromTheDayStartOfThePeriodStart)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    EXPECT_EQ(week.planTimeToX(QDate(2024, 4, 1), QTime(8, 0), ChartSurface::Main), 0);
    EXPECT_EQ(week.planTimeToX(QDate(2024, 4, 1), QTime(9, 30), ChartSurface::Main), 123);
    // Before the origin the position is negative and nothing is clipped.
    EXPECT_EQ(week.planTimeToX(QDate(2024, 4, 1), QTime(6, 30), ChartSurface::Main), -123);
    EXPECT_EQ(week.planTimeToX(QDate(2024, 3, 30), QTime(8, 0), ChartSurface::Main), -3947);
    // Seconds do not count: 09:30:59 is still 90 minutes after the origin.
    EXPECT_EQ(week.planTimeToX(QDate(2024, 4, 1), QTime(9, 30, 59), ChartSurface::Main), 123);
}

TEST(TimeScale, StripShowsFourWeeksAcrossTheViewportInEveryMode)
{
    const QDate date(2024, 4, 8);
    const QTime time(8, 0);
    for (DisplayMode mode : {DisplayMode::Day, DisplayMode::ThreeDays, DisplayMode::Week, DisplayMode::FourWeeks}) {
        const TimeScale scale = scaleIn(mode);
        SCOPED_TRACE(int(mode));
        // 7 days of 24 hours at W / 672 twips per hour.
        EXPECT_EQ(scale.planTimeToX(date, time, ChartSurface::Strip), 3454);
        EXPECT_EQ(scale.planTimeToX(QDate(2024, 4, 29), time, ChartSurface::Strip), qint64(W));
    }
    // The main surface follows the mode: a week is one viewport in week mode, seven in day mode.
    EXPECT_EQ(scaleIn(DisplayMode::Week).planTimeToX(date, time, ChartSurface::Main), qint64(W));
    EXPECT_EQ(scaleIn(DisplayMode::Day).planTimeToX(date, time, ChartSurface::Main), qint64(7 * W));
}

TEST(TimeScale, TurnsAnXBackIntoTheNearestMinute)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    const QDateTime origin = week.chartOrigin();
    EXPECT_EQ(week.dateTimeAtX(0, ChartSurface::Main), origin);
    EXPECT_EQ(week.dateTimeAtX(123, ChartSurface::Main), origin.addSecs(90 * 60));
    EXPECT_EQ(week.dateTimeAtX(-123, ChartSurface::Main), origin.addSecs(-90 * 60));
    EXPECT_EQ(week.dateTimeAtX(W, ChartSurface::Strip), origin.addDays(28));
    // Every minute survives the way there and back in the widest mode.
    const TimeScale day = scaleIn(DisplayMode::Day);
    for (qint64 minutes : {-2880, -1, 0, 1, 59, 61, 1439, 20000}) {
        const QDateTime moment = origin.addSecs(minutes * 60);
        const qint64 x = day.planTimeToX(moment.date(), moment.time(), ChartSurface::Main);
        EXPECT_EQ(day.minutesAtX(double(x), ChartSurface::Main), minutes);
    }
}

TEST(TimeScale, DayModeSurfacesReachSeventeenDaysForShortPeriods)
{
    TimeScale scale;
    scale.setUp(W, QDate(2024, 4, 1), QTime(8, 0), 10);
    scale.applyMode(DisplayMode::Day);
    EXPECT_EQ(scale.heldDays(), 17);
    EXPECT_DOUBLE_EQ(scale.scaleRight(), 15 * W);
    scale.applyMode(DisplayMode::Week);
    EXPECT_EQ(scale.heldDays(), 10);
}

} // namespace
