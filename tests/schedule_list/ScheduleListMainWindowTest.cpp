// The schedule list from the main window over the demo plant: 予定一覧 opens it over the lots
// waiting on the strip; a double-click selects a lot's bar on the strip, on top of the others
// and ready to be dragged; a line's context menu opens its details over the list, and
// "予定に戻す" from it opens the list again in place.

#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "app/ui/ChartView.h"
#include "dialogs/ui/PlanWindow.h"
#include "editing/ui/BarDragController.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "schedule_list/ui/frmYoteiIchiran.h"

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QDate Start(2026, 12, 8);

class ScheduleListMainWindow : public DemoMainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(openDemo(300, Start));
        list = form->findChild<frmYoteiIchiran *>();
        ASSERT_NE(list, nullptr);
    }

    // Presses 予定一覧; `inside` runs while the list is open.
    void openList(const std::function<void()> &inside)
    {
        QTimer::singleShot(0, list, inside);
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("cmdYoteiIchiran")), Qt::LeftButton);
    }
    QPoint lineCentre(int row) const
    {
        QTreeView *view = list->livIchiran();
        const QRect line = view->visualRect(list->model().index(row, schedulelist::ItemName));
        return view->viewport()->mapTo(list, line.center());
    }
    const GanttChart &chart() { return editing->chartView().chart(); }

    frmYoteiIchiran *list = nullptr;
};

TEST_F(ScheduleListMainWindow, ADoubleClickedLotIsSelectedOnTheStripOnTopOfTheOthers)
{
    qint64 chosen = 0;
    openList([&] {
        EXPECT_TRUE(list->isVisible());
        EXPECT_TRUE(context.ScheduleListOpen);
        ASSERT_GE(list->model().lotCount(), 10) << "the demo plant keeps lots waiting on the strip";
        chosen = list->model().lotAt(5);
        QTest::mouseDClick(list->windowHandle(), Qt::LeftButton, {}, lineCentre(5));
    });
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(context.ScheduleListOpen);
    ASSERT_GE(chosen, 2);

    const BarGeometry &bar = chart().bar(chosen);
    EXPECT_EQ(bar.surface, ChartSurface::Strip);
    EXPECT_EQ(bar.background, (RgbColor{0, 255, 0}));
    // A press on the bar's middle picks this lot, not one of the lots drawn over it before.
    const ChartHit hit = chart().hitTest(ChartSurface::Strip, double(bar.left + bar.width / 2), double(bar.top + 30));
    EXPECT_EQ(hit.bar, chosen);
    // The bar is in view on the strip, and a press there picks it up to drag it.
    ChartSurfaceWidget *strip = editing->chartView().strip();
    const QPoint middle((int(double(bar.left + bar.width / 2) - strip->stripLeft()) / 15), int(bar.top + 30) / 15);
    ASSERT_TRUE(strip->rect().contains(middle));
    QTest::mousePress(strip, Qt::LeftButton, {}, middle);
    EXPECT_EQ(editing->dragController().dragState(), BarDragController::DragState::Bar);
    EXPECT_EQ(chart().bar(chosen).background, (RgbColor{64, 64, 64}));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, middle);

    const PlanRecord &lot = form->planStore()[chosen];
    EXPECT_EQ(form->hScroll1()->value(),
              std::clamp(int(chart().scale().planTimeToX(lot.StartDate, lot.StartTime, ChartSurface::Main) / 15),
                         form->hScroll1()->minimum(), form->hScroll1()->maximum()));
}

TEST_F(ScheduleListMainWindow, ReturningALotToItsDatesFromTheListOpensTheListAgainInPlace)
{
    bool reopened = false;
    openList([&] {
        list->move(200, 150);
        QTest::mouseClick(list->windowHandle(), Qt::RightButton, {}, lineCentre(0));
        auto *menu = form->findChild<QMenu *>(QStringLiteral("mnuPopup"));
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible());
        QAction *back = menu->findChild<QAction *>(QStringLiteral("popYotei"));
        ASSERT_TRUE(back && back->isEnabled());
        QTimer::singleShot(0, list, [&] {
            // Its place was remembered on closing, and it stands there again.
            reopened = list->isVisible() && context.ScheduleListOpen && context.ScheduleList.Left == 200 * 15;
            EXPECT_EQ(list->pos(), QPoint(200, 150));
            QTest::mouseClick(list->cmdCancel(), Qt::LeftButton);
        });
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(back).center());
    });
    EXPECT_TRUE(reopened);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(context.ScheduleListOpen);
}

TEST_F(ScheduleListMainWindow, TheDetailsOfALineOpenOverTheListAndReturnToIt)
{
    bool detailShown = false;
    bool listStayed = false;
    openList([&] {
        const qint64 lot = list->model().lotAt(0);
        QTest::mouseClick(list->windowHandle(), Qt::RightButton, {}, lineCentre(0));
        auto *menu = form->findChild<QMenu *>(QStringLiteral("mnuPopup"));
        ASSERT_TRUE(menu && menu->isVisible());
        QAction *details = menu->findChild<QAction *>(QStringLiteral("popRot"));
        ASSERT_TRUE(details && details->isEnabled());
        QTimer::singleShot(0, list, [&, lot] {
            auto *detail = form->findChild<PlanWindow *>();
            detailShown = detail && detail->isVisible()
                && detail->box(QStringLiteral("Text14"))->text() == QString::number(form->planStore()[lot].ArrangementNo);
            if (detail)
                QTest::mouseClick(detail->findChild<QPushButton *>(QStringLiteral("Command8")), Qt::LeftButton);
        });
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(details).center());
        listStayed = list->isVisible() && context.ScheduleListOpen;
        QTest::mouseClick(list->cmdCancel(), Qt::LeftButton);
    });
    EXPECT_TRUE(detailShown);
    EXPECT_TRUE(listStayed);
    EXPECT_FALSE(list->isVisible());
}

// The list over the main window and then the main window with the chosen lot selected on the
// strip, for scripts/screenshots; ctest leaves the Screenshots suites out.
class ScheduleListMainWindowScreenshots : public ScheduleListMainWindow
{
};

TEST_F(ScheduleListMainWindowScreenshots, ListAndChosenLot)
{
    openList([&] {
        QPixmap shot = form->grab();
        QPainter(&shot).drawPixmap(list->pos() - form->pos(), list->grab());
        keepScreenshot(shot.toImage(), QStringLiteral("frmYoteiIchiran.png"));
        QTest::mouseDClick(list->windowHandle(), Qt::LeftButton, {}, lineCentre(5));
    });
    keepScreenshot(*form, QStringLiteral("frmYoteiIchiran-chosen.png"));
}

} // namespace
