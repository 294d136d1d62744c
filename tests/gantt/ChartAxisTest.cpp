#include "ChartScale.h"
#include "gantt/ChartAxis.h"

#include <gtest/gtest.h>

namespace {

ChartAxis axisFor(int periodDays, DisplayMode mode)
{
    ChartAxis axis;
    axis.setUp(W, QDate(2024, 4, 1), QTime(8, 0), periodDays);
    axis.showMode(mode);
    return axis;
}

TEST(ChartAxis, DayModeScrollsOverFifteenDaysEvenForAShortPeriod)
{
    const ChartAxis axis = axisFor(10, DisplayMode::Day);
    EXPECT_EQ(axis.scrollMinimum(), -1842);          // two days before the start
    EXPECT_EQ(axis.scrollMaximum(), 12894);          // fifteen days less one viewport
}

TEST(ChartAxis, LongPeriodsScrollToTheirLastDayInEveryMode)
{
    // 92 days: the last day's end stands at the viewport's right edge at the maximum.
    for (DisplayMode mode : {DisplayMode::Day, DisplayMode::ThreeDays, DisplayMode::Week, DisplayMode::FourWeeks}) {
        const ChartAxis axis = axisFor(95, mode);
        SCOPED_TRACE(int(mode));
        const double rightEdge = double(axis.scrollMaximum()) * 15 + W;
        EXPECT_NEAR(rightEdge, 93 * axis.scale().dayWidth(), 15);
        EXPECT_GE(axis.scale().scaleRight(), rightEdge - 15);
    }
}

TEST(ChartAxis, ScrollingMovesTheSurfacesAndNamesTheFirstVisibleDay)
{
    ChartAxis axis = axisFor(33, DisplayMode::Week);
    EXPECT_DOUBLE_EQ(axis.surfaceLeft(), -2 * W / 7);
    EXPECT_EQ(axis.firstVisibleDayText(), longDateText(QDate(2024, 4, 1)));

    axis.setScrollValue(500);
    EXPECT_DOUBLE_EQ(axis.surfaceLeft(), -2 * W / 7 - 7500);
    EXPECT_DOUBLE_EQ(axis.viewportLeftX(), 7500);
    EXPECT_EQ(axis.firstVisibleDay(), 3);

    axis.setScrollValue(axis.scrollMinimum());
    EXPECT_EQ(axis.firstVisibleDay(), -2);
    EXPECT_EQ(axis.firstVisibleDayText(), longDateText(QDate(2024, 3, 30)));
    EXPECT_NEAR(axis.surfaceLeft(), 0, 15);

    axis.setScrollValue(axis.scrollMaximum() + 1000); // the bar's own limits hold
    EXPECT_EQ(axis.scrollValue(), axis.scrollMaximum());
}

TEST(ChartAxis, ModeChangeKeepsTheFirstVisibleDay)
{
    ChartAxis axis = axisFor(33, DisplayMode::Week);
    axis.setScrollValue(264); // the third period day at the left edge
    ASSERT_EQ(axis.firstVisibleDay(), 2);
    axis.showMode(DisplayMode::Day);
    EXPECT_EQ(axis.firstVisibleDay(), 2);
    EXPECT_EQ(axis.scrollValue(), 1848);
    axis.showMode(DisplayMode::FourWeeks);
    EXPECT_EQ(axis.firstVisibleDay(), 2);
}

TEST(ChartAxis, KeptPositionIsClampedToTheNewRange)
{
    // At the end of day mode's range the four-week range is shorter: the value is its maximum.
    ChartAxis axis = axisFor(33, DisplayMode::Day);
    axis.setScrollValue(axis.scrollMaximum());
    axis.showMode(DisplayMode::FourWeeks);
    EXPECT_EQ(axis.scrollValue(), axis.scrollMaximum());

    // A short period: fifteen days of day mode are more than the week range holds.
    ChartAxis shortAxis = axisFor(10, DisplayMode::Day);
    shortAxis.setScrollValue(shortAxis.scrollMaximum());
    shortAxis.showMode(DisplayMode::Week);
    EXPECT_EQ(shortAxis.scrollMaximum(), 132);
    EXPECT_EQ(shortAxis.scrollValue(), 132);

    // At the minimum the two leading days stay in view.
    ChartAxis early = axisFor(33, DisplayMode::Week);
    early.setScrollValue(early.scrollMinimum());
    early.showMode(DisplayMode::Day);
    EXPECT_GE(early.scrollValue(), early.scrollMinimum());
    EXPECT_EQ(early.firstVisibleDay(), -2);
}

TEST(ChartAxis, PeriodNarrowerThanTheViewportStartsAtItsLeadingDays)
{
    const ChartAxis axis = axisFor(10, DisplayMode::FourWeeks);
    EXPECT_EQ(axis.scrollMaximum(), axis.scrollMinimum());
    EXPECT_EQ(axis.scrollValue(), axis.scrollMinimum());
}

TEST(ChartAxis, OpensAtWeekAndTheModeButtonCyclesFromThere)
{
    ChartAxis axis;
    axis.setUp(W, QDate(2024, 4, 1), QTime(8, 0), 33);
    axis.showMode(DisplayMode::Week);
    EXPECT_EQ(axis.modeCaption(), QStringLiteral("１週間表示モード"));
    EXPECT_EQ(axis.scale().mode(), DisplayMode::Week);
    EXPECT_EQ(axis.scrollValue(), 0);

    const std::pair<DisplayMode, const char16_t *> presses[] = {
        {DisplayMode::FourWeeks, u"４週間表示モード"},
        {DisplayMode::Day, u"１日表示モード"},
        {DisplayMode::ThreeDays, u"３日表示モード"},
        {DisplayMode::Week, u"１週間表示モード"},
    };
    for (const auto &[mode, caption] : presses) {
        axis.cycleMode();
        EXPECT_EQ(axis.scale().mode(), mode);
        EXPECT_EQ(axis.modeValue(), mode);
        EXPECT_EQ(axis.modeCaption(), QString::fromUtf16(caption));
    }
}

} // namespace
