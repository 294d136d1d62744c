#include "ChartScale.h"
#include "gantt/BarLayout.h"
#include "plan/PlanRecord.h"

#include <gtest/gtest.h>

namespace {

constexpr double MachineRowTop = 840; // row 2
constexpr double StripRowTop = 240;   // row 1, the unassigned strip

PlanRecord lot(const QDate &start, const QTime &startTime, const QDate &end, const QTime &endTime)
{
    PlanRecord record;
    record.StartDate = start;
    record.StartTime = startTime;
    record.EndDate = end;
    record.EndTime = endTime;
    record.InitialDueDate = end;
    record.ConfirmState = QStringLiteral("2");
    record.ItemCode = QStringLiteral("A100");
    record.DisplayItemName = QStringLiteral("BRACKET");
    record.ProcessName = QStringLiteral("INJECTION");
    record.Quantity = 500;
    record.InstructionIssueDate = QStringLiteral("00000000");
    return record;
}

PlanRecord dayLot()
{
    return lot(QDate(2024, 4, 2), QTime(8, 0), QDate(2024, 4, 2), QTime(17, 0));
}

TEST(BarLayout, SuccessiveLotsOfARowAreStaggeredInACycleOfSeven)
{
    const TimeScale scale = scaleIn(DisplayMode::Week);
    const std::pair<qint64, qint64> cases[] = {{7, -45}, {8, -30}, {10, 0}, {13, 45}, {14, -45}};
    for (const auto &[index, offset] : cases) {
        PlanRecord record = dayLot();
        EXPECT_EQ(layoutBar(record, index, MachineRowTop, scale, {}).top, qint64(MachineRowTop) + offset) << index;
        // On the strip the same cycle lies 180 twips higher: 15 … 105.
        EXPECT_EQ(layoutBar(record, index, StripRowTop, scale, {}).top, qint64(StripRowTop) + offset - 180) << index;
    }
}

TEST(BarLayout, BarsSpanTheirLotOnTheMainSurfaceAndAreFixedWidthOnTheStrip)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    PlanRecord record = dayLot();
    const BarGeometry main = layoutBar(record, 2, MachineRowTop, week, {});
    EXPECT_EQ(main.surface, ChartSurface::Main);
    EXPECT_FALSE(main.onStrip);
    EXPECT_EQ(main.left, 1974);         // one day after the origin
    EXPECT_EQ(main.width, 2714 - 1974); // nine hours
    EXPECT_TRUE(main.visible);

    const BarGeometry strip = layoutBar(record, 2, StripRowTop, week, {});
    EXPECT_EQ(strip.surface, ChartSurface::Strip);
    EXPECT_TRUE(strip.onStrip);
    EXPECT_EQ(strip.left, 493);         // one day on the four-week strip scale
    EXPECT_EQ(strip.width, 1500);

    // A lot that matches no row lies on the strip above its visible part.
    const BarGeometry nowhere = layoutBar(record, 10, 0, week, {});
    EXPECT_EQ(nowhere.surface, ChartSurface::Strip);
    EXPECT_LT(nowhere.bottom(), 300);
    EXPECT_LT(nowhere.top, 0);
}

TEST(BarLayout, ShortLotsKeepTheMinimumWidth)
{
    const TimeScale fourWeeks = scaleIn(DisplayMode::FourWeeks);
    PlanRecord twoMinutes = lot(QDate(2024, 4, 2), QTime(8, 0), QDate(2024, 4, 2), QTime(8, 2));
    EXPECT_EQ(layoutBar(twoMinutes, 2, MachineRowTop, fourWeeks, {}).width, 45);
    // An end before the start does not give a negative width.
    PlanRecord backwards = lot(QDate(2024, 4, 3), QTime(8, 0), QDate(2024, 4, 2), QTime(8, 0));
    EXPECT_EQ(layoutBar(backwards, 2, MachineRowTop, fourWeeks, {}).width, 45);
    // A lot without an end date is drawn at its start, not across the chart.
    PlanRecord noEnd = twoMinutes;
    noEnd.EndDate = QDate();
    EXPECT_EQ(layoutBar(noEnd, 2, MachineRowTop, fourWeeks, {}).width, 45);
}

TEST(BarLayout, BackgroundTellsTheEndAgainstTheDueDate)
{
    const QDate due(2024, 4, 20);
    const struct
    {
        QDate end;
        RgbColor colour;
    } cases[] = {
        {due.addDays(-4), {128, 255, 255}},
        {due.addDays(-3), {255, 255, 128}},
        {due.addDays(-2), {255, 255, 128}},
        {due, {255, 255, 128}},
        {due.addDays(1), {255, 96, 96}},
    };
    const TimeScale week = scaleIn(DisplayMode::Week);
    for (const auto &c : cases) {
        PlanRecord record = lot(QDate(2024, 4, 2), QTime(8, 0), c.end, QTime(23, 0));
        record.InitialDueDate = due;
        EXPECT_EQ(layoutBar(record, 2, MachineRowTop, week, {}).background, c.colour) << c.end.toString().toStdString();
    }
    PlanRecord noDue = dayLot();
    noDue.InitialDueDate = QDate();
    EXPECT_EQ(barBackground(noDue), (RgbColor{192, 192, 192}));
}

TEST(BarLayout, OnlyUnconfirmedLotsTurnBlueAndOnlyWithTheSwitch)
{
    PlanRecord confirmed = dayLot();
    PlanRecord tentative = dayLot();
    tentative.ConfirmState = QStringLiteral("1");
    const RgbColor blue{0, 0, 255};
    const RgbColor black{0, 0, 0};
    EXPECT_EQ(barTextColor(confirmed, true), black);
    EXPECT_EQ(barTextColor(tentative, true), blue);
    EXPECT_EQ(barTextColor(tentative, false), black);

    const TimeScale week = scaleIn(DisplayMode::Week);
    EXPECT_FALSE(layoutBar(tentative, 2, MachineRowTop, week, {}).bold);
    tentative.MembersWritten = 1;
    EXPECT_TRUE(layoutBar(tentative, 2, MachineRowTop, week, {true, false}).bold);
    EXPECT_EQ(layoutBar(tentative, 2, MachineRowTop, week, {true, false}).text, blue);
}

TEST(BarLayout, OverlayShowsTheReceivedShareAndNeverOverrunsTheBar)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    PlanRecord record = dayLot(); // 740 twips wide
    const struct
    {
        qint64 quantity;
        qint64 received;
        qint64 width;
    } cases[] = {{500, 600, 710}, {500, 500, 710}, {500, 250, 355}, {500, 0, 0}, {500, -20, 0}, {0, 100, 0}};
    for (const auto &c : cases) {
        record.Quantity = c.quantity;
        record.ReceivedQty = c.received;
        const BarGeometry bar = layoutBar(record, 2, MachineRowTop, week, {});
        EXPECT_EQ(bar.overlayWidth, c.width) << c.quantity << "/" << c.received;
        EXPECT_EQ(bar.overlayVisible, c.width > 0);
        EXPECT_EQ(bar.overlayLeft(), bar.left + 15);
        EXPECT_EQ(bar.overlayTop(), bar.top + 15);
    }
}

TEST(BarLayout, CaptionHasTwoLinesWithTheOptionalParts)
{
    PlanRecord record = dayLot();
    record.ItemCode = QStringLiteral(" A100 ");
    record.DisplayItemName = QStringLiteral("BRACKET  ");
    record.ProcessName = QStringLiteral(" INJECTION");
    record.PlanNoText = QStringLiteral("1234");
    record.MoldShortName = QStringLiteral("M-7");
    EXPECT_EQ(barCaption(record, false), QStringLiteral("A100 BRACKET\r\nINJECTION 500 1234"));
    EXPECT_EQ(barCaption(record, true), QStringLiteral("A100 BRACKET\r\nINJECTION 500 1234 M-7"));

    record.InstructionIssueDate = QStringLiteral("20240410");
    record.ReceivedQty = 300;
    record.LastActualDate = QDate(2024, 4, 15);
    EXPECT_EQ(barCaption(record, false), QStringLiteral("●A100 BRACKET\r\nINJECTION 300(4/15)/500 1234"));

    record.InstructionIssueDate = QString(); // nothing recorded: no sheet
    record.PlanNoText.clear();
    EXPECT_EQ(barCaption(record, false), QStringLiteral("A100 BRACKET\r\nINJECTION 300(4/15)/500 "));
}

TEST(BarLayout, LotHiddenInTheDetailWindowHasNoBar)
{
    PlanRecord record = dayLot();
    record.DetailMark = 1;
    const BarGeometry bar = layoutBar(record, 2, MachineRowTop, scaleIn(DisplayMode::Week), {}, true);
    EXPECT_FALSE(bar.visible);
    EXPECT_FALSE(bar.overlayVisible);
    EXPECT_TRUE(bar.onStrip);
}

TEST(BarLayout, RelayoutInPlaceKeepsSurfaceAndHeight)
{
    const TimeScale week = scaleIn(DisplayMode::Week);
    PlanRecord record = dayLot();
    BarGeometry strip = layoutBar(record, 9, StripRowTop, week, {});
    record.StartDate = QDate(2024, 4, 3);
    record.EndDate = QDate(2024, 4, 3);
    const BarGeometry again = relayoutBarInPlace(record, strip, week, {});
    EXPECT_EQ(again.surface, ChartSurface::Strip);
    EXPECT_EQ(again.top, strip.top);
    EXPECT_EQ(again.left, 987);
    EXPECT_TRUE(again.onStrip);
}

} // namespace
