#include "ChartFixture.h"
#include "Screenshots.h"

#include "gantt/ui/ChartSurfaceWidget.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class ChartSurfaceWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.setUp(ChartFixture::ViewportWidth, plant.periodStart, plant.dayStart, {true, false}, 15);
        chart.openAtWeek();
        main.resize(921, 640);
        strip.resize(921, 44);
    }

    QImage shot(QWidget &widget) { return widget.grab().toImage(); }

    // The pixel of surface point (x, y) twips in the main widget.
    static QPoint pixelOf(const ChartSurfaceWidget &widget, double x, double y, double viewX)
    {
        return QPoint(int(std::floor((x - viewX) / 15)), int(std::floor((y - widget.rowScroll() * 600.0) / 15)));
    }
    // A pixel of a bar that shows its background: left of the caption, between its lines.
    static QPoint backgroundPixel(const ChartSurfaceWidget &widget, const BarGeometry &bar, double viewX)
    {
        return pixelOf(widget, double(bar.left), double(bar.top), viewX) + QPoint(1, 10);
    }

    ChartFixture plant;
    GanttChart chart{plant.store, plant.rows, plant.calendar};
    ChartSurfaceWidget main{chart, ChartSurface::Main};
    ChartSurfaceWidget strip{chart, ChartSurface::Strip};
};

QColor colourOf(const RgbColor &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

TEST_F(ChartSurfaceWidgetTest, PaintsBarsWhereTheGeometryPutsThemAndFindsThemThere)
{
    const qint64 lot = 2; // the first lot of M01
    const BarGeometry &bar = chart.bar(lot);
    ASSERT_TRUE(bar.visible);
    const double viewX = chart.axis().viewportLeftX();
    const QImage image = shot(main);
    const QPoint inside = backgroundPixel(main, bar, viewX);
    EXPECT_EQ(image.pixelColor(inside), colourOf(bar.background));

    const ChartHit hit = main.hitAt(inside);
    EXPECT_EQ(hit.bar, lot);
    EXPECT_EQ(hit.row, 2);

    QSignalSpy pressed(&main, &ChartSurfaceWidget::pressed);
    QTest::mouseClick(&main, Qt::RightButton, {}, inside);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).value<ChartHit>().bar, lot);
}

TEST_F(ChartSurfaceWidgetTest, RowScrollMovesTheRowsUpUnderTheCaptions)
{
    const qint64 lot = 2 + 6 * 3; // the first lot of M04, row 5
    const BarGeometry &bar = chart.bar(lot);
    main.setRowScroll(2);
    const QPoint inside = backgroundPixel(main, bar, chart.axis().viewportLeftX());
    EXPECT_EQ(inside.y(), int(bar.top - 1200) / 15 + 10);
    EXPECT_EQ(main.hitAt(inside).bar, lot);
    EXPECT_EQ(shot(main).pixelColor(inside), colourOf(bar.background));
}

TEST_F(ChartSurfaceWidgetTest, WeekendLinesAndShadingShowOnTheMainSurface)
{
    const QImage image = shot(main);
    const double viewX = chart.axis().viewportLeftX();
    // Saturday 2024/04/06 begins at day index 7; its line is blue, Sunday's red.
    const qint64 saturday = chart.scale().planTimeToX(QDate(2024, 4, 6), plant.dayStart, ChartSurface::Main);
    const qint64 sunday = chart.scale().planTimeToX(QDate(2024, 4, 7), plant.dayStart, ChartSurface::Main);
    const double belowRows = 500; // the band of row 1, which has no bars on the main surface
    EXPECT_EQ(image.pixelColor(pixelOf(main, double(saturday), belowRows, viewX)), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(pixelOf(main, double(sunday), belowRows, viewX)), QColor(255, 0, 0));
    // A press rests on Saturday: its band is shaded there; a subcontractor row is not.
    const double pressBand = plant.rows.row(3).lowerBoundary - 30;
    const double outsideBand = plant.rows.row(14).lowerBoundary - 30;
    const QColor pressColour = image.pixelColor(pixelOf(main, double(saturday) + 300, pressBand, viewX));
    EXPECT_NE(pressColour, QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(pixelOf(main, double(saturday) + 300, outsideBand, viewX)), QColor(255, 255, 255));
}

TEST_F(ChartSurfaceWidgetTest, StripShowsTheUnassignedLots)
{
    const qint64 lot = plant.store.lastIndex();
    const BarGeometry &bar = chart.bar(lot);
    ASSERT_EQ(bar.surface, ChartSurface::Strip);
    const QPoint inside = backgroundPixel(strip, bar, 0);
    EXPECT_EQ(shot(strip).pixelColor(inside), colourOf(bar.background));
    EXPECT_EQ(strip.hitAt(inside).bar, lot);
    EXPECT_EQ(strip.hitAt(inside).row, 1);
}

TEST_F(ChartSurfaceWidgetTest, ABarAnswersWithItsLotWhenThePointerRestsOnIt)
{
    plant.store[2].ArrangementNo = 100723;
    plant.store[2].ItemCode = QStringLiteral("A100");
    plant.store[2].DisplayItemName = QStringLiteral("ケースＡ");
    plant.store[2].Quantity = 1500;
    plant.store[2].DueDate = QDate(2024, 6, 3);
    plant.store[plant.store.lastIndex()].ArrangementNo = -1;
    main.show();
    strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const auto tipAt = [](ChartSurfaceWidget &widget, const QPoint &pixel) {
        QHelpEvent rest(QEvent::ToolTip, pixel, widget.mapToGlobal(pixel));
        QApplication::sendEvent(&widget, &rest);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };

    const PlanRecord &lot = plant.store[2];
    const QString tip = tipAt(main, backgroundPixel(main, chart.bar(2), chart.axis().viewportLeftX()));
    EXPECT_EQ(tip, QStringLiteral("手配番号：100723（%1）\n品名：A100 ケースＡ\n手配数：1,500\n機械：%2\n"
                                  "開始：%3\n終了：%4\n納期：2024/06/03")
                       .arg(lot.isConfirmed() ? QStringLiteral("確定") : QStringLiteral("予定"),
                            plant.rows.row(2).caption.simplified(),
                            lot.StartDate.toString(QStringLiteral("yyyy/MM/dd ")) + lot.StartTime.toString(QStringLiteral("hh:mm")),
                            lot.EndDate.toString(QStringLiteral("yyyy/MM/dd ")) + lot.EndTime.toString(QStringLiteral("hh:mm"))));
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel"))
            keepScreenshot(*top, QStringLiteral("bar-tooltip"));

    // On the strip, a split's lot not yet numbered.
    const qint64 waiting = plant.store.lastIndex();
    const QString stripTip = tipAt(strip, backgroundPixel(strip, chart.bar(waiting), 0));
    EXPECT_TRUE(stripTip.startsWith(QStringLiteral("手配番号：新規"))) << stripTip.toStdString();
    EXPECT_TRUE(stripTip.contains(QStringLiteral("\n機械：未割付\n"))) << stripTip.toStdString();
}

} // namespace
