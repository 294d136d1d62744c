// The mouse on the main window's chart over the demo plant: a bar dragged to another machine
// and a later time is one edit that undo takes back exactly (records, flags and the save
// button), the row and times it lands at shown under the pointer while dragging; a locked lot
// cannot be picked up; a drop on the hover label moves nothing; a bar dropped on a bar of the
// same run merges into it on Yes; a double-click or a right press on a row label packs that
// row.

#include "DemoStart.h"
#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "editing/PlanMerge.h"
#include "editing/RowPacking.h"
#include "session/PlanSession.h"
#include "editing/ui/BarDragController.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "app/ui/ChartView.h"
#include "common/PlannerLocale.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class BarDragWindow : public DemoMainWindowTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(openDemo(300, DemoStart)); }

    ChartSurfaceWidget *surface() { return editing->chartView().mainSurface(); }
    const GanttChart &chart() { return editing->chartView().chart(); }
    const PlanStore &store() { return form->planStore(); }
    std::vector<PlanRecord> records()
    {
        std::vector<PlanRecord> all;
        for (qint64 i = 0; i <= store().lastIndex(); ++i)
            all.push_back(store()[i]);
        return all;
    }

    // The pixel of the main surface at surface twips (x, y).
    QPoint pixelAt(double x, double y)
    {
        const QPointF origin = surface()->twipsAt(QPoint(0, 0));
        return QPoint(int((x - origin.x()) / 15), int((y - origin.y()) / 15));
    }

    // A free lot whose bar is well inside the visible part of a machine row.
    qint64 visibleFreeLot()
    {
        const ChartRows &rows = chart().rows();
        for (qint64 i = 2; i <= store().lastIndex(); ++i) {
            const BarGeometry &bar = chart().bar(i);
            const int row = rows.rowOfCode(store()[i].MachineCode);
            const QPoint at = pixelAt(double(bar.left), double(bar.top));
            if (bar.visible && bar.surface == ChartSurface::Main && rows.isMachineRow(row) && row <= 8
                && bar.width >= 150 && at.x() >= 0 && at.x() < surface()->width() - 300
                && !store()[i].isLocked() && !store()[i].isEndFixed() && store()[i].Active > 0)
                return i;
        }
        return 0;
    }

    QPoint grabPoint(qint64 lot)
    {
        const BarGeometry &bar = chart().bar(lot);
        return pixelAt(double(bar.left) + 75, double(bar.top) + 150);
    }
};

TEST_F(BarDragWindow, DragToAnotherMachineLaterIsOneEditThatUndoTakesBackExactly)
{
    const qint64 lot = visibleFreeLot();
    ASSERT_GE(lot, 2);
    const std::vector<PlanRecord> before = records();
    const PlanRecord original = store()[lot];
    const ChartRows &rows = chart().rows();
    const int fromRow = rows.rowOfCode(original.MachineCode);
    const int toRow = fromRow == 2 ? 3 : 2;
    ASSERT_FALSE(form->comHozon()->isEnabled());

    const QPoint grab = grabPoint(lot);
    const QPoint drop = pixelAt(double(chart().bar(lot).left) + 75 + 150 * 15, rows.row(toRow).top + 150);
    QTest::mousePress(surface(), Qt::LeftButton, {}, grab);
    EXPECT_EQ(editing->dragController().dragState(), BarDragController::DragState::Bar);
    EXPECT_EQ(chart().bar(lot).background, (RgbColor{64, 64, 64}));
    EXPECT_EQ(editing->dragController().dragOriginRow(), rows.row(fromRow).code);
    QTest::mouseMove(surface(), drop);
    // While dragging, the label under the outline names the row and the times the drop gives.
    const QLabel *landing = editing->dragController().dropLanding();
    ASSERT_TRUE(landing->isVisible());
    const QString shown = landing->text();
    keepScreenshot(*form, QStringLiteral("drag-landing.png"));
    EXPECT_TRUE(shown.contains(rows.row(toRow).caption.simplified())) << shown.toStdString();
    // Whatever the drop overlaps is left where it is.
    prompter.expectAnswer(false);
    prompter.expectAnswer(false);
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, drop);
    EXPECT_FALSE(landing->isVisible());

    const PlanRecord &moved = store()[lot];
    EXPECT_EQ(editing->dragController().dragState(), BarDragController::DragState::None);
    EXPECT_EQ(moved.MachineCode, rows.row(toRow).code);
    EXPECT_GT(plant::naiveDateTime(moved.StartDate, moved.StartTime),
              plant::naiveDateTime(original.StartDate, original.StartTime));
    const QString format = QStringLiteral("MM/dd(ddd) hh:mm");
    EXPECT_TRUE(shown.endsWith(plant::plannerLocale().toString(plant::naiveDateTime(moved.StartDate, moved.StartTime), format)
                               + u'～' + plant::plannerLocale().toString(plant::naiveDateTime(moved.EndDate, moved.EndTime), format)))
        << shown.toStdString();
    EXPECT_EQ(moved.MembersWritten, 1);
    EXPECT_NE(chart().bar(lot).background, (RgbColor{64, 64, 64}));
    EXPECT_TRUE(form->comHozon()->isEnabled());
    EXPECT_TRUE(editing->undoAction()->isEnabled());

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(records() == before);
    EXPECT_FALSE(form->comHozon()->isEnabled());
    EXPECT_TRUE(editing->redoAction()->isEnabled());

    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(store()[lot].MachineCode, rows.row(toRow).code);
    EXPECT_TRUE(form->comHozon()->isEnabled());
}

TEST_F(BarDragWindow, PressOnALockedLotStartsNothing)
{
    const qint64 lot = visibleFreeLot();
    ASSERT_GE(lot, 2);
    // Locked in the database before the load, as far as the window can tell.
    Edit lock = form->plan().editPath().beginLoadingChange();
    lock.change(lot, [](PlanRecord &record) { record.SchedulerFixed = QStringLiteral("2"); });
    lock.commit();
    const RgbColor colour = chart().bar(lot).background;
    QTest::mousePress(surface(), Qt::LeftButton, {}, grabPoint(lot));
    EXPECT_EQ(editing->dragController().dragState(), BarDragController::DragState::None);
    EXPECT_EQ(chart().bar(lot).background, colour);
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, grabPoint(lot) + QPoint(100, 0));
    EXPECT_FALSE(form->comHozon()->isEnabled());
    EXPECT_TRUE(prompter.said().empty());
}

TEST_F(BarDragWindow, DropOnTheHoverLabelAbandonsTheDrag)
{
    const qint64 lot = visibleFreeLot();
    ASSERT_GE(lot, 2);
    const std::vector<PlanRecord> before = records();
    const QPoint grab = grabPoint(lot);
    QTest::mousePress(surface(), Qt::LeftButton, {}, grab);
    ASSERT_EQ(editing->dragController().dragState(), BarDragController::DragState::Bar);

    const QPoint drop = grab + QPoint(80, 0);
    QLabel *label = editing->dragController().gradeName();
    const QPoint onLabel = label->parentWidget()->mapFrom(form.get(), surface()->mapTo(form.get(), drop));
    label->setGeometry(onLabel.x() - 20, onLabel.y() - 10, 60, 20);
    label->show();
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, drop);

    EXPECT_EQ(editing->dragController().dragState(), BarDragController::DragState::None);
    EXPECT_TRUE(records() == before);
    EXPECT_NE(chart().bar(lot).background, (RgbColor{64, 64, 64}));
    EXPECT_FALSE(form->comHozon()->isEnabled());
    EXPECT_TRUE(prompter.said().empty());
}

TEST_F(BarDragWindow, TheHoverLabelGoesWhenThePointerLeavesOrAMenuOpens)
{
    const qint64 lot = visibleFreeLot();
    ASSERT_GE(lot, 2);
    QLabel *label = editing->dragController().gradeName();
    QTest::mouseMove(surface(), grabPoint(lot));
    ASSERT_TRUE(label->isVisible());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(surface(), &leave);
    EXPECT_FALSE(label->isVisible());

    QTest::mouseMove(surface(), grabPoint(lot) + QPoint(1, 0));
    ASSERT_TRUE(label->isVisible());
    QTest::mouseClick(surface(), Qt::RightButton, {}, grabPoint(lot) + QPoint(1, 0));
    EXPECT_FALSE(label->isVisible());
    auto *menu = form->findChild<QMenu *>(QStringLiteral("mnuPopup"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

void keepPicture(QWidget *window, const QString &name)
{
    keepScreenshot(*window, name);
}

TEST_F(BarDragWindow, ABarDroppedOnABarOfTheSameRunAsksAndYesMergesThem)
{
    const qint64 source = visibleFreeLot();
    ASSERT_GE(source, 2);
    // Any other bar in sight will do as the target, locked or not.
    qint64 target = 0;
    for (qint64 i = 2; i <= store().lastIndex() && target == 0; ++i)
        if (i != source && chart().bar(i).visible && chart().bar(i).surface == ChartSurface::Main
            && surface()->rect().contains(grabPoint(i)) && chart().hitTest(ChartSurface::Main, chart().bar(i).left + 75,
                                                                           chart().bar(i).top + 150).bar == i)
            target = i;
    ASSERT_GE(target, 2);
    // The demo's two lots become two runs of one mold without actuals (a step of the test, not
    // of the planner).
    EditPath &path = editing->session().editPath();
    {
        const PlanRecord &t = store()[target];
        Edit edit = path.beginAction(QStringLiteral("試験の準備"));
        edit.change(target, [](PlanRecord &lot) { lot.ReceivedQty = 0; });
        edit.change(source, [&](PlanRecord &s) {
            s.ReceivedQty = 0;
            s.ItemCode = t.ItemCode;
            s.PlanNoText = t.PlanNoText;
            s.RateSequence = t.RateSequence;
            s.DisplayItemName = t.DisplayItemName;
            MemberSlot &member = s.Members.set(0);
            member.PlanNo = t.Members.at(0).PlanNo;
            member.HasPlanNo = t.Members.at(0).HasPlanNo;
            member.ItemCode = t.Members.at(0).ItemCode;
            member.ProcessName = t.Members.at(0).ProcessName;
        });
        edit.commit();
    }
    const std::vector<PlanRecord> before = records();
    const qint64 sourceArrangement = store()[source].ArrangementNo;
    const qint64 pieces = store()[target].Members.at(0).Quantity + store()[source].Members.at(0).Quantity;

    QTest::mousePress(surface(), Qt::LeftButton, {}, grabPoint(source));
    QTest::mouseMove(surface(), grabPoint(target));
    prompter.expectAnswer(true);
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, grabPoint(target));

    EXPECT_EQ(prompter.texts(), QStringList{merging::AskMerge});
    EXPECT_EQ(editing->dragController().dragState(), BarDragController::DragState::None);
    EXPECT_EQ(store()[source].Active, 0);
    EXPECT_FALSE(chart().bar(source).visible);
    const MemberSlots &members = store()[target].Members;
    EXPECT_EQ(members.at(0).Quantity, pieces);
    EXPECT_TRUE(members.at(0).ArrangementNo == sourceArrangement || members.at(1).ArrangementNo == sourceArrangement);
    EXPECT_EQ(path.undoText(), QStringLiteral("計画の合体"));
    keepPicture(form.get(), QStringLiteral("merged.png"));

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(records() == before);
    EXPECT_TRUE(chart().bar(source).visible);
}

TEST_F(BarDragWindow, ADoubleClickOnARowLabelPacksTheRowAsOneUndoStep)
{
    const int row = 2; // the first machine, shown by the second label
    ASSERT_EQ(form->kScroll()->value(), 0);
    const std::vector<PlanRecord> before = records();
    const size_t lots = editing->session().packing().lotsOfRow(row).size();
    ASSERT_GT(lots, 1u);

    prompter.expectAnswer(true);
    QTest::mouseDClick(form->machineName(row), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), (QStringList{packing::AskPack, QString::number(lots) + QStringLiteral("件")}));
    EXPECT_FALSE(prompter.said()[0].defaultYes);
    EXPECT_FALSE(records() == before);
    EXPECT_EQ(editing->session().editPath().undoText(), QStringLiteral("計画の展開"));
    EXPECT_TRUE(form->comHozon()->isEnabled());
    keepPicture(form.get(), QStringLiteral("packed.png"));

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(records() == before);
}

TEST_F(BarDragWindow, ARightPressOnARowLabelAsksTooAndTheStripIsNeverPacked)
{
    const std::vector<PlanRecord> before = records();
    QTest::mousePress(form->machineName(1), Qt::RightButton);
    EXPECT_EQ(prompter.texts(), QStringList{packing::NotOnUnplanned});

    prompter.clear();
    prompter.expectAnswer(false);
    QTest::mousePress(form->machineName(2), Qt::RightButton);
    EXPECT_EQ(prompter.texts(), QStringList{packing::AskPack});
    EXPECT_TRUE(records() == before);
    EXPECT_FALSE(editing->session().editPath().canUndo());
}

} // namespace
