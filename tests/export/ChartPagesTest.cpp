// Cutting the chart into pages: whole days across, whole rows down, across the time first,
// every page numbered "n / m" out of the same count, for the paper sizes and display modes a
// planner prints.

#include "export/ChartPages.h"
#include "export/PageHeading.h"
#include "plan/RunContext.h"

#include <gtest/gtest.h>

namespace {

const QDate PeriodStart(2024, 4, 1);

ChartRows machineRows(int machines)
{
    ChartRows rows;
    rows.append(QStringLiteral("        "), QString());
    for (int m = 1; m <= machines; ++m)
        rows.append(QStringLiteral("M%1").arg(m, 2, 10, QLatin1Char('0')), QStringLiteral("成形機%1号").arg(m));
    rows.closeMachineRows();
    rows.padToMinimum();
    rows.computeBoundaries();
    return rows;
}

TimeScale scaleIn(DisplayMode mode)
{
    TimeScale scale;
    scale.setUp(13815, PeriodStart, QTime(8, 0), 45);
    scale.applyMode(mode);
    return scale;
}

struct Split
{
    const char *name;
    DisplayMode mode;
    PaperSize paper;
    int machines;
    int days;            // printed from the period start
    int daysPerPage;     // on every page but the last of a row group (which has the rest)
    int rowsPerPage;
    int pages;
};

class PageSplitting : public testing::TestWithParam<Split>
{
};

TEST_P(PageSplitting, WholeDaysAndRowsAcrossTheTimeFirst)
{
    const Split &split = GetParam();
    const TimeScale scale = scaleIn(split.mode);
    const ChartRows rows = machineRows(split.machines);
    const auto [firstRow, lastRow] = ChartPages::plantRows(rows);
    ASSERT_EQ(lastRow, split.machines + 1) << "the padding rows are not printed";
    const QDate last = PeriodStart.addDays(split.days - 1);
    const ChartPages pages = ChartPages::onPaper(scale, rows, {PeriodStart, last, firstRow, lastRow, split.paper});
    const std::vector<ChartPage> &list = pages.pages();
    ASSERT_EQ(int(list.size()), split.pages);

    int expectedNumber = 1;
    QDate nextDay = PeriodStart;
    int groupFirstRow = firstRow;
    for (const ChartPage &page : list) {
        SCOPED_TRACE(page.numberText().toStdString());
        EXPECT_EQ(page.number, expectedNumber++);
        EXPECT_EQ(page.numberText(), QStringLiteral("%1 / %2").arg(page.number).arg(split.pages));
        if (nextDay > last) { // the next group of rows starts again at the first day
            nextDay = PeriodStart;
            groupFirstRow += split.rowsPerPage;
        }
        EXPECT_EQ(page.firstDay, nextDay);
        EXPECT_EQ(page.lastDay, std::min(last, nextDay.addDays(split.daysPerPage - 1)));
        EXPECT_EQ(page.firstRow, groupFirstRow);
        EXPECT_EQ(page.lastRow, std::min(lastRow, groupFirstRow + split.rowsPerPage - 1));
        EXPECT_EQ(page.x0, double(scale.planTimeToX(page.firstDay, QTime(8, 0), ChartSurface::Main)));
        EXPECT_EQ(page.x1, double(scale.planTimeToX(page.lastDay.addDays(1), QTime(8, 0), ChartSurface::Main)));
        EXPECT_EQ(page.y0, rows.row(page.firstRow).lowerBoundary - ChartRows::RowHeight);
        // The page's days and rows fit its chart area.
        const QRectF area = pages.frame().chartArea();
        EXPECT_LE((page.x1 - page.x0) / TwipsPerPixel, area.width() + 1);
        EXPECT_LE((page.lastRow - page.firstRow + 1) * 40.0, area.height());
        nextDay = page.lastDay.addDays(1);
    }
    EXPECT_EQ(nextDay, last.addDays(1));
    EXPECT_EQ(groupFirstRow + split.rowsPerPage > lastRow, true) << "every row printed";
}

INSTANTIATE_TEST_SUITE_P(
    PaperAndModes, PageSplitting,
    testing::Values(Split{"A3Week", DisplayMode::Week, PaperSize::A3, 3, 28, 10, 26, 3},
                    Split{"A4Week", DisplayMode::Week, PaperSize::A4, 3, 28, 7, 17, 4},
                    Split{"A4WeekManyRows", DisplayMode::Week, PaperSize::A4, 30, 28, 7, 17, 8},
                    Split{"A3FourWeeks", DisplayMode::FourWeeks, PaperSize::A3, 40, 28, 44, 26, 2},
                    Split{"A4DayOnePerPage", DisplayMode::Day, PaperSize::A4, 3, 5, 1, 17, 5},
                    Split{"A4FourWeeksShared", DisplayMode::FourWeeks, PaperSize::A4, 3, 32, 16, 17, 2},
                    Split{"A3ThreeDays", DisplayMode::ThreeDays, PaperSize::A3, 3, 10, 4, 26, 3}),
    [](const testing::TestParamInfo<Split> &info) { return std::string(info.param.name); });

TEST(PageSplittingLimits, OnlyWhatTheChartHoldsIsPrinted)
{
    const ChartRows rows = machineRows(3);
    // The chart holds the period's days from two days before its start.
    const TimeScale day = scaleIn(DisplayMode::Day);
    const ChartPages long_ = ChartPages::onPaper(day, rows, {PeriodStart.addDays(-5), PeriodStart.addDays(60), 2, 4, PaperSize::A3});
    ASSERT_EQ(long_.pages().size(), 45u); // one day a sheet
    EXPECT_EQ(long_.pages().front().firstDay, PeriodStart.addDays(-2));
    EXPECT_EQ(long_.pages().back().lastDay, PeriodStart.addDays(42));

    const TimeScale week = scaleIn(DisplayMode::Week);
    EXPECT_TRUE(ChartPages::onPaper(week, rows, {PeriodStart.addDays(3), PeriodStart, 2, 4, PaperSize::A3}).pages().empty())
        << "a range that ends before it starts";
    EXPECT_TRUE(ChartPages::onPaper(week, rows, {PeriodStart, PeriodStart, 5, 4, PaperSize::A3}).pages().empty())
        << "no rows";
    EXPECT_TRUE(ChartPages::onPaper(week, rows, {PeriodStart, PeriodStart, 20, 30, PaperSize::A3}).pages().empty())
        << "rows past the chart";
}

// The waiting lots follow the chart on pages of their own, each lot on exactly one of them, in
// order, numbered on with the chart's pages.
TEST(PageSplittingLimits, TheWaitingLotsFollowTheChartAsAListWithEveryLotOnce)
{
    const ChartRows rows = machineRows(3);
    const TimeScale week = scaleIn(DisplayMode::Week);
    for (const int waiting : {0, 1, 50, 500}) {
        for (const PaperSize paper : {PaperSize::A3, PaperSize::A4}) {
            const ChartPages pages = ChartPages::onPaper(week, rows, {PeriodStart, PeriodStart.addDays(6), 2, 4, paper, waiting});
            const std::vector<ChartPage> &all = pages.pages();
            ASSERT_FALSE(all.empty());
            EXPECT_FALSE(all.front().listsWaiting()) << "the chart comes first";
            int next = 0;
            for (size_t n = 0; n < all.size(); ++n) {
                EXPECT_EQ(all[n].number, int(n) + 1);
                EXPECT_EQ(all[n].count, int(all.size()));
                if (!all[n].listsWaiting())
                    continue;
                EXPECT_EQ(all[n].firstWaiting, next);
                EXPECT_GE(all[n].lastWaiting, all[n].firstWaiting);
                // Its lines and their captions fit under the list's title.
                EXPECT_LE((all[n].lastWaiting - all[n].firstWaiting + 2) * ChartPages::WaitingLinePixels,
                          pages.frame().chartArea().height());
                next = all[n].lastWaiting + 1;
            }
            EXPECT_EQ(next, waiting) << waiting;
            if (waiting == 500) {
                EXPECT_GT(all.size(), 3u) << "five hundred lots take more than one page";
            }
        }
    }
}

TEST(PageSplittingLimits, DayModeOnA4ShrinksUntilOneDayFits)
{
    TimeScale wide;
    wide.setUp(30000, PeriodStart, QTime(8, 0), 31); // a very wide window: 2000 pixels a day
    wide.applyMode(DisplayMode::Day);
    const ChartPages pages = ChartPages::onPaper(wide, machineRows(3), {PeriodStart, PeriodStart.addDays(1), 2, 4, PaperSize::A4});
    ASSERT_EQ(pages.pages().size(), 2u);
    EXPECT_LT(pages.pixelMillimetres(), 0.25);
    EXPECT_NEAR(2000 * pages.pixelMillimetres(), 297 - 20 - 32, 0.01);
}

TEST(PictureSheet, HoldsTheStretchAtTheChartsOwnSize)
{
    const ChartRows rows = machineRows(12);
    const ChartPages sheet = ChartPages::asOneSheet(rows, 1500, 1500 + 15 * 900, 3, 7);
    ASSERT_EQ(sheet.pages().size(), 1u);
    const ChartPage &page = sheet.pages().front();
    EXPECT_EQ(page.numberText(), QStringLiteral("1 / 1"));
    EXPECT_EQ(page.y0, rows.row(3).lowerBoundary - 600);
    EXPECT_EQ(sheet.frame().chartArea().size(), QSizeF(900, 5 * 40));
    EXPECT_TRUE(ChartPages::asOneSheet(rows, 100, 100, 3, 7).pages().empty());
}

TEST(PageHeadingText, NamesPlantClassDaysTimeAndOperator)
{
    RunContext run;
    run.PlantCode = 2;
    run.ProcessClassCode = QStringLiteral("01");
    run.ProcessClassLabel = QStringLiteral("01 成形");
    run.OperatorCode = QStringLiteral("0042");
    const PageHeading heading =
        pageHeading(run, QDate(2024, 4, 1), QDate(2024, 4, 28), QDateTime(QDate(2024, 3, 29), QTime(17, 5, 59)));
    EXPECT_EQ(heading.text(), QStringLiteral("工場 2　工程分類 01 成形　期間 2024/04/01～2024/04/28　"
                                             "印刷日時 2024/03/29 17:05　担当者 0042"));
    run.ProcessClassLabel.clear(); // the command-line tool knows only the code and no operator
    run.OperatorCode.clear();
    const QString bare = pageHeading(run, {}, {}, {}).text();
    EXPECT_TRUE(bare.contains(QStringLiteral("工程分類 01　")));
    EXPECT_FALSE(bare.contains(QStringLiteral("担当者")));
}

} // namespace
