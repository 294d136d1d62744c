#include "ChartScale.h"
#include "plan/PlanStore.h"
#include "calendar/BreakTable.h"
#include "calendar/DaySpans.h"
#include "common/PlantValues.h"
#include "plan/ChartRows.h"
#include "gantt/GanttChart.h"
#include "calendar/WorkCalendar.h"

#include <gtest/gtest.h>

namespace {

// Row 1 the strip, rows 2 and 3 machines M01 and M02 working 08:00-17:00 with lunch at noon,
// row 4 the subcontractor S01.
class GanttChartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rows.append(QStringLiteral("        "), QString());
        rows.append(QStringLiteral("M01"), QStringLiteral("M01 PRESS"));
        rows.append(QStringLiteral("M02"), QStringLiteral("M02 PRESS"));
        rows.closeMachineRows();
        rows.append(QStringLiteral("S01"), QStringLiteral("S01\nOUTSIDE"));
        rows.padToMinimum();
        rows.computeBoundaries();
        BreakTable breaks;
        breaks.offer(QTime(12, 0), QTime(13, 0));
        calendar.reset(PeriodStart, PeriodStart.addDays(29), DayStart, rows.lastMachineRow());
        for (int row = 2; row <= rows.lastMachineRow(); ++row)
            for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
                CalendarDay *day = calendar.day(row, k);
                day->workHours = 8;
                day->shiftTimes[0] = QTime(8, 0);
                day->shiftTimes[1] = QTime(17, 0);
                day->hourly = BuildDaySpans(day->shiftTimes, breaks, DayStart);
            }
        chart.setUp(W, PeriodStart, DayStart, {}, 15);
    }

    qint64 addLot(const QString &machine, const QDate &date, const QTime &start, const QTime &end)
    {
        const qint64 index = store.lastIndex() + 1;
        store.resize(index);
        PlanRecord &record = store[index];
        record.BarIndex = index;
        record.MachineCode = machine;
        record.SupplierCode = QStringLiteral("            ");
        record.StartDate = date;
        record.StartTime = start;
        record.EndDate = date;
        record.EndTime = end;
        record.Quantity = 100;
        record.ConfirmState = QStringLiteral("2");
        return index;
    }

    PlanStore store;
    ChartRows rows;
    WorkCalendar calendar;
    GanttChart chart{store, rows, calendar};
};

TEST_F(GanttChartTest, LaysOutEveryLotWithABarAndTheCalendar)
{
    const qint64 a = addLot(QStringLiteral("M01"), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    const qint64 b = addLot(QStringLiteral("        "), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    const qint64 hidden = addLot(QStringLiteral("M02"), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    store[hidden].BarIndex = 0;
    chart.openAtWeek();

    EXPECT_EQ(chart.barCount(), store.lastIndex() + 1);
    EXPECT_EQ(chart.bar(a).surface, ChartSurface::Main);
    EXPECT_EQ(chart.bar(b).surface, ChartSurface::Strip);
    EXPECT_TRUE(chart.bar(b).onStrip);
    EXPECT_FALSE(chart.bar(hidden).visible);
    EXPECT_FALSE(chart.headerCaptions().empty());
    EXPECT_EQ(chart.borderLines().heights.size(), size_t(rows.count()));
    EXPECT_EQ(chart.axis().modeCaption(), QStringLiteral("１週間表示モード"));

    // A mode change lays the bars out on the new scale; the strip keeps its own.
    const BarGeometry weekStrip = chart.bar(b);
    EXPECT_EQ(chart.bar(a).left, 1974);
    chart.showMode(DisplayMode::Day);
    EXPECT_EQ(chart.bar(a).left, qint64(W));
    EXPECT_EQ(chart.bar(b).left, weekStrip.left);
}

TEST_F(GanttChartTest, FindsOnlyTheBarsInARegionTopMostLast)
{
    std::vector<qint64> lots;
    for (int day = 0; day < 20; ++day)
        lots.push_back(addLot(QStringLiteral("M01"), PeriodStart.addDays(day), QTime(8, 0), QTime(12, 0)));
    const qint64 other = addLot(QStringLiteral("M02"), PeriodStart.addDays(3), QTime(8, 0), QTime(12, 0));
    chart.showMode(DisplayMode::Week);

    const double rowTwo = rows.row(2).top;
    std::vector<qint64> found;
    const double x0 = double(chart.bar(lots[3]).left);
    chart.barsIn(ChartSurface::Main, x0, x0 + 3 * W / 7 - 30, rowTwo - 100, rowTwo + 400, found);
    EXPECT_EQ(found, (std::vector<qint64>{lots[3], lots[4], lots[5]}));

    // The hit test sees the bar laid out last on top of an overlapping one.
    store[other].MachineCode = QStringLiteral("M01");
    chart.layOutBar(other);
    const ChartHit hit = chart.hitTest(ChartSurface::Main, x0 + 30, rowTwo + 100);
    EXPECT_EQ(hit.bar, other);
    EXPECT_EQ(hit.row, 2);
    EXPECT_EQ(hit.time.date(), QDate(2024, 4, 4));
    chart.layOutBar(lots[3]);
    EXPECT_EQ(chart.hitTest(ChartSurface::Main, x0 + 30, rowTwo + 100).bar, lots[3]);

    // Nothing under the gap between two bars of a row; the row and time are still known.
    const ChartHit gap = chart.hitTest(ChartSurface::Main, double(chart.bar(lots[3]).right()) + 30, rowTwo + 100);
    EXPECT_EQ(gap.bar, 0);
    EXPECT_EQ(gap.row, 2);
    EXPECT_EQ(chart.rowAtY(-1), 0);
    EXPECT_EQ(chart.rowAtY(rows.row(rows.count()).lowerBoundary), 0);
}

TEST_F(GanttChartTest, MovedBarIsFoundAtItsNewPlace)
{
    const qint64 lot = addLot(QStringLiteral("M01"), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    chart.showMode(DisplayMode::Week);
    const double rowThree = rows.row(3).top;
    chart.moveBar(lot, 10000, qint64(rowThree));
    EXPECT_EQ(chart.hitTest(ChartSurface::Main, 10010, rowThree + 10).bar, lot);
    EXPECT_EQ(chart.hitTest(ChartSurface::Main, 1974 + 10, rows.row(2).top + 10).bar, 0);
}

TEST_F(GanttChartTest, ABarAddedAndTakenAwayAgainLeavesNothingToHit)
{
    addLot(QStringLiteral("M01"), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    chart.showMode(DisplayMode::Week);
    // A split appends a lot and lays its bar out; its undo takes the lot away again.
    const qint64 added = addLot(QStringLiteral("M02"), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    chart.layOutBar(added);
    const double rowThree = rows.row(3).top;
    ASSERT_EQ(chart.hitTest(ChartSurface::Main, 1974 + 10, rowThree + 10).bar, added);
    store.resize(added - 1);
    chart.layOutBar(added);
    EXPECT_FALSE(chart.bar(added).visible);
    EXPECT_EQ(chart.hitTest(ChartSurface::Main, 1974 + 10, rowThree + 10).bar, 0);
}

TEST_F(GanttChartTest, DroppedBarStartsAtTheNextWorkingMomentOnTheGrid)
{
    const qint64 lot = addLot(QStringLiteral("M01"), QDate(2024, 4, 2), QTime(8, 0), QTime(12, 0));
    store[lot].WorkMinutes = 120;
    chart.showMode(DisplayMode::Week);
    const qint64 top = qint64(rows.row(3).top);
    const struct
    {
        QDateTime dropped;
        QDateTime start;
        QDateTime end;
    } cases[] = {
        // Inside the lunch break: 13:00, already on the grid.
        {QDateTime(QDate(2024, 4, 3), QTime(12, 20), Qt::UTC), QDateTime(QDate(2024, 4, 3), QTime(13, 0), Qt::UTC),
         QDateTime(QDate(2024, 4, 3), QTime(15, 0), Qt::UTC)},
        // Working time off the grid: up to the next quarter hour; the end crosses lunch.
        {QDateTime(QDate(2024, 4, 3), QTime(10, 7), Qt::UTC), QDateTime(QDate(2024, 4, 3), QTime(10, 15), Qt::UTC),
         QDateTime(QDate(2024, 4, 3), QTime(13, 15), Qt::UTC)},
        // Rounding lands after the shift: the next morning.
        {QDateTime(QDate(2024, 4, 3), QTime(16, 58), Qt::UTC), QDateTime(QDate(2024, 4, 4), QTime(8, 0), Qt::UTC),
         QDateTime(QDate(2024, 4, 4), QTime(10, 0), Qt::UTC)},
    };
    for (const auto &c : cases) {
        chart.moveBar(lot, chart.scale().planTimeToX(c.dropped.date(), c.dropped.time(), ChartSurface::Main), top);
        const LotTimes times = chart.timesAtBarLeft(lot, lot, QStringLiteral("M02"));
        EXPECT_EQ(times.start, c.start);
        EXPECT_EQ(times.end, c.end);
    }
}

} // namespace
