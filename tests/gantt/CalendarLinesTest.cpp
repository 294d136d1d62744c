#include "ChartScale.h"
#include "gantt/CalendarLines.h"

#include <gtest/gtest.h>

namespace {

const RgbColor Red{255, 0, 0};
const RgbColor Blue{0, 0, 255};
const RgbColor Black{0, 0, 0};
const RgbColor Grey{192, 192, 192};

TEST(CalendarLines, DayModeHeaderNamesEveryEightHoursAndDatesEachDayStart)
{
    const std::vector<DayCaption> captions = headerCaptions(scaleIn(DisplayMode::Day));
    ASSERT_GE(captions.size(), 7u);
    const char *texts[] = {"8", "16", "0", "8(3/31)", "16", "0", "8(4/1)"};
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(captions[size_t(k)].text, QLatin1String(texts[k])) << k;
        EXPECT_EQ(captions[size_t(k)].color, k % 3 == 0 && k > 0 ? Red : Black) << k;
    }
    EXPECT_EQ(captions[0].x, -2 * 13815);
    EXPECT_EQ(captions[6].x, 0); // the period start at the day start
}

TEST(CalendarLines, HoursWrapForAnyDayStart)
{
    const std::vector<DayCaption> captions = headerCaptions(scaleIn(DisplayMode::ThreeDays, QTime(7, 30)));
    ASSERT_GE(captions.size(), 4u);
    EXPECT_EQ(captions[1].text, QStringLiteral("15"));
    EXPECT_EQ(captions[2].text, QStringLiteral("23"));
    EXPECT_EQ(captions[3].text, QStringLiteral("7(3/31)"));
}

TEST(CalendarLines, WeekModeColoursWeekends)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    const CalendarLines lines = mainSurfaceLines(week);
    const std::vector<DayCaption> captions = headerCaptions(week);
    // Day k is 2024/03/30 + k: Saturday 4/6 is k = 7, Sunday 4/7 k = 8, Wednesday 4/3 k = 4.
    ASSERT_GT(captions.size(), 8u);
    ASSERT_GT(lines.dayLines.size(), 8u);
    EXPECT_EQ(captions[7].text, QStringLiteral("4/6(土)"));
    EXPECT_EQ(captions[7].color, Blue);
    EXPECT_EQ(lines.dayLines[7].color, Blue);
    EXPECT_EQ(captions[8].color, Red);
    EXPECT_EQ(lines.dayLines[8].color, Red);
    EXPECT_EQ(captions[4].color, Black);
    EXPECT_EQ(lines.dayLines[4].color, Grey);
    EXPECT_TRUE(lines.hourLines.empty());
    // The first caption stands 12 hours into its day, the others 11 hours.
    EXPECT_EQ(captions[0].x, week.planTimeToX(QDate(2024, 3, 30), QTime(20, 0), ChartSurface::Main));
    EXPECT_EQ(captions[3].x, week.planTimeToX(QDate(2024, 4, 2), QTime(19, 0), ChartSurface::Main));
}

TEST(CalendarLines, DaysNameTheirMonthAndWeekdayWhereThereIsRoom)
{
    struct Case
    {
        DisplayMode mode;
        int viewportPixels;
        const char *sunday;   // 2024/03/31, day 1 (day 0 is Saturday 3/30)
        const char *firstDay; // 2024/04/01, day 2
    };
    const Case cases[] = {
        {DisplayMode::Week, 921, "3/31(日)", "4/1(月)"},      // 131 pixels a day
        {DisplayMode::Week, 700, "31", "4/1"},                // 100 pixels
        {DisplayMode::FourWeeks, 1400, "31", "4/1"},          // 50 pixels
        {DisplayMode::FourWeeks, 921, "31", "1"},             // 33 pixels
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.viewportPixels);
        TimeScale scale;
        scale.setUp(c.viewportPixels * TwipsPerPixel, QDate(2024, 4, 1), QTime(8, 0), 33);
        scale.applyMode(c.mode);
        const std::vector<DayCaption> captions = headerCaptions(scale);
        ASSERT_GT(captions.size(), 2u);
        EXPECT_EQ(captions[1].text, QString::fromUtf8(c.sunday));
        EXPECT_EQ(captions[1].color, Red);
        EXPECT_EQ(captions[2].text, QString::fromUtf8(c.firstDay));
        EXPECT_EQ(captions[2].color, Black);
    }
}

TEST(CalendarLines, LinesStayOnTheBarScaleToTheEndOfThePeriod)
{
    for (DisplayMode mode : {DisplayMode::Day, DisplayMode::ThreeDays, DisplayMode::Week, DisplayMode::FourWeeks}) {
        const TimeScale scale = scaleIn(mode);
        const CalendarLines lines = mainSurfaceLines(scale);
        SCOPED_TRACE(int(mode));
        const size_t perDay = mode == DisplayMode::Day || mode == DisplayMode::ThreeDays ? 3 : 1;
        EXPECT_EQ(lines.dayLines.size(), size_t(scale.heldDays()) * perDay);
        const size_t lastDay = lines.dayLines.size() / perDay - 1;
        const QDate date = QDate(2024, 3, 30).addDays(qint64(lastDay));
        EXPECT_EQ(lines.dayLines[lastDay * perDay].x, scale.planTimeToX(date, QTime(8, 0), ChartSurface::Main));
        EXPECT_LT(double(lines.dayLines.back().x), scale.scaleRight());
    }
    // Day mode adds the other 21 hours of each day held.
    const TimeScale dayScale = scaleIn(DisplayMode::Day);
    EXPECT_EQ(mainSurfaceLines(dayScale).hourLines.size(), size_t(dayScale.heldDays() * 21));
}

} // namespace
