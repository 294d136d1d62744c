// Conflicts and load on the main window over the demo plant: the counter shows what the demo
// tool's summary says; a bar dragged over another with No to every question raises it and
// marks both bars; the counter opens
// the list, whose double-click selects the pair and brings it into view; the load strips
// under the machine rows tell their day's load in a tooltip, in week and four-week mode.

#include "DemoStart.h"
#include "DemoFigures.h"
#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "app/ui/ChartView.h"
#include "app/ui/ConflictsPanel.h"
#include "calendar/WorkingDay.h"
#include "editing/ui/BarDragController.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QAction>
#include <QDockWidget>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

class ConflictsWindow : public DemoMainWindowTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(openDemo(300, DemoStart)); }

    ChartSurfaceWidget *surface() { return editing->chartView().mainSurface(); }
    const GanttChart &chart() { return editing->chartView().chart(); }
    const PlanStore &store() { return form->planStore(); }
    const PlanConflicts &conflicts() { return form->plan().watch().conflicts(); }
    ConflictsPanel &panel() { return editing->conflicts(); }

    QPoint pixelAt(double x, double y)
    {
        const QPointF origin = surface()->twipsAt(QPoint(0, 0));
        return QPoint(int((x - origin.x()) / 15), int((y - origin.y()) / 15));
    }

    // A free visible lot on a machine row, and a visible lot on another machine row.
    std::pair<qint64, qint64> visiblePair()
    {
        const ChartRows &rows = chart().rows();
        qint64 first = 0;
        for (qint64 i = 2; i <= store().lastIndex(); ++i) {
            const BarGeometry &bar = chart().bar(i);
            const int row = rows.rowOfCode(store()[i].MachineCode);
            const QPoint at = pixelAt(double(bar.left), double(bar.top));
            if (!bar.visible || bar.surface != ChartSurface::Main || !rows.isMachineRow(row) || row > 8
                || bar.width < 150 || at.x() < 0 || at.x() >= surface()->width() - 300 || store()[i].Active == 0)
                continue;
            if (!first && !store()[i].isLocked() && !store()[i].isEndFixed())
                first = i;
            else if (first && store()[i].MachineCode != store()[first].MachineCode)
                return {first, i};
        }
        return {0, 0};
    }

    void shoot(const QString &name) { keepScreenshot(*form, name + QStringLiteral(".png")); }
};

TEST_F(ConflictsWindow, ABarLeftOverAnotherIsCountedMarkedListedAndShown)
{
    const auto [lot, other] = visiblePair();
    ASSERT_GE(other, 2);
    QPushButton *counter = panel().counter();
    EXPECT_TRUE(counter->isVisible()) << "the counter is always in sight";
    const qint64 before = conflicts().count();
    EXPECT_EQ(counter->text(), QStringLiteral("重複 %1件").arg(before));
    // The demo tool's summary of the plant gives the same figure, kind by kind.
    for (const demo::ClassFigures &figures : demo::measurePlant(plant.db(), DemoStart))
        if (figures.classCode == demo::MoldingClass) {
            EXPECT_EQ(figures.overlaps + figures.moldDoubleBookings, before);
        }

    // Dropped with its left edge at the other lot's start, on the other lot's row.
    const BarGeometry &bar = chart().bar(lot);
    const BarGeometry &target = chart().bar(other);
    const QPoint grab = pixelAt(double(bar.left) + 75, double(bar.top) + 150);
    const QPoint drop = pixelAt(double(target.left) + 75 + 150, double(target.top) + 150);
    QTest::mousePress(surface(), Qt::LeftButton, {}, grab);
    ASSERT_EQ(editing->dragController().dragState(), BarDragController::DragState::Bar);
    QTest::mouseMove(surface(), drop);
    for (int n = 0; n < 3; ++n)
        prompter.expectAnswer(false);
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, drop);
    ASSERT_EQ(store()[lot].MachineCode, store()[other].MachineCode);

    EXPECT_GT(conflicts().count(), before);
    EXPECT_TRUE(conflicts().isMarked(lot));
    EXPECT_TRUE(conflicts().isMarked(other));
    EXPECT_EQ(counter->text(), QStringLiteral("重複 %1件").arg(conflicts().count()));
    shoot(QStringLiteral("conflicts-marked"));

    EXPECT_FALSE(panel().dock()->isVisible()) << "closed until asked for";
    QTest::mouseClick(counter, Qt::LeftButton);
    ASSERT_TRUE(panel().dock()->isVisible());
    QTableWidget *table = panel().table();
    ASSERT_EQ(table->rowCount(), conflicts().count());
    const PlanConflict pair{PlanConflict::Kind::Row, std::min(lot, other), std::max(lot, other)};
    int listed = -1;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 2)->text() == QString::number(store()[pair.first].ArrangementNo)
            && table->item(row, 8)->text() == QString::number(store()[pair.second].ArrangementNo))
            listed = row;
    ASSERT_GE(listed, 0) << "the pair is listed";
    EXPECT_EQ(table->item(listed, 0)->text(), QStringLiteral("機械重複"));
    EXPECT_EQ(table->item(listed, 1)->text().toLongLong(), PlanConflicts::overlapMinutes(store(), pair));

    // Scrolled away first, so that the double-click has somewhere to bring the chart back from.
    form->hScroll1()->setValue(form->hScroll1()->maximum());
    const QRect cell = table->visualItemRect(table->item(listed, 0));
    // A double-click is a click and a second press, as the item view sees it.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(editing->chartView().shownPair(), std::make_pair(pair.first, pair.second));
    EXPECT_EQ(chart().bar(lot).background, (RgbColor{0, 255, 0}));
    EXPECT_EQ(chart().bar(other).background, (RgbColor{0, 255, 0}));
    const QPoint shown = pixelAt(double(chart().bar(other).left), double(chart().bar(other).top));
    EXPECT_TRUE(surface()->rect().contains(shown)) << "the pair is in view: " << shown.x() << "," << shown.y() << " of "
                                                   << surface()->width() << "x" << surface()->height();
    shoot(QStringLiteral("conflicts-panel"));

    // The View menu closes it again; undoing the drop takes the conflict away.
    panel().dock()->toggleViewAction()->trigger();
    EXPECT_FALSE(panel().dock()->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(conflicts().count(), before);
    EXPECT_EQ(counter->text(), QStringLiteral("重複 %1件").arg(before));
}

TEST_F(ConflictsWindow, LoadStripsTellTheDaysLoadInWeekAndFourWeekMode)
{
    const MachineLoad &load = form->plan().watch().load();
    const ChartRows &rows = chart().rows();
    const WorkCalendar &calendar = form->plan().calendar();
    for (const QString &mode : {QStringLiteral("week"), QStringLiteral("four-weeks")}) {
        SCOPED_TRACE(mode.toStdString());
        const QString caption = mode == QStringLiteral("week") ? QStringLiteral("１週間表示モード") : QStringLiteral("４週間表示モード");
        for (int clicks = 0; clicks < 4 && form->text1()->text() != caption; ++clicks)
            QTest::mouseClick(form->command4(), Qt::LeftButton);
        ASSERT_EQ(form->text1()->text(), caption);
        // The first day in view with load on row 2: the tooltip over its strip names it.
        const qint64 day = workday::dayIndex(QDateTime(DemoStart.addDays(1), QTime(12, 0)), calendar.periodStart(),
                                             calendar.dayStart());
        const double x = double(chart().scale().planTimeToX(DemoStart.addDays(1), QTime(12, 0), ChartSurface::Main));
        const QPoint pixel = pixelAt(x, rows.row(2).top + 380);
        ASSERT_TRUE(surface()->rect().contains(pixel));
        QHelpEvent help(QEvent::ToolTip, pixel, surface()->mapToGlobal(pixel));
        QCoreApplication::sendEvent(surface(), &help);
        const int percent = load.percent(2, day);
        if (percent >= 0) {
            EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("負荷 %1%").arg(percent))) << QToolTip::text().toStdString();
        }
        shoot(QStringLiteral("load-") + mode);
    }
}

} // namespace
