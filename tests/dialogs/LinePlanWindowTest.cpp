// LinePlanWindow driven as a planner would: typing times and pressing Enter, "変更" with and
// without an unreadable box, and opened from the main window's chart by a right press on an
// empty spot of a machine row (and not above the rows or on a subcontractor's).

#include "DemoMainWindowTest.h"
#include "Screenshots.h"
#include "EditingPlant.h"
#include "app/ui/ChartView.h"
#include "dialogs/ui/LinePlanWindow.h"
#include "gantt/ui/ChartSurfaceWidget.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class LinePlanWindowTest : public ::testing::Test
{
protected:
    // Machine M01 (row 2) on 2024/05/10, day index 11, working 08:00-17:00 with a lunch break.
    static constexpr LinePlanDay Day{2, 11};

    void SetUp() override
    {
        breaks.offer(QTime(12, 0), QTime(13, 0));
        plant.amendDay(Day.MachineNo, Day.DateNum, [](CalendarDay &day) {
            day.workHours = 8;
            day.shiftTimes = {QTime(8, 0), QTime(17, 0), QTime(0, 0), QTime(0, 0),
                              QTime(0, 0), QTime(0, 0), QTime(0, 0), QTime(0, 0)};
        });
        plant.start();
        plant.session.adoptBreaks(breaks);
        window = std::make_unique<LinePlanWindow>(plant.session);
        window->openOn(Day, QStringLiteral("M01 成形機１号"));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    const CalendarDay &day() const { return *plant.calendar.day(Day.MachineNo, Day.DateNum); }

    void type(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    EditingPlant plant;
    BreakTable breaks;
    std::unique_ptr<LinePlanWindow> window;
};

TEST_F(LinePlanWindowTest, ShowsTheDayAndLooksRight)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("機械別稼働時間変更"));
    EXPECT_EQ(window->planTime(0)->text(), "08:00:00");
    EXPECT_EQ(window->planTime(1)->text(), "17:00:00");
    EXPECT_EQ(window->planTime(2)->text(), "00:00:00"); // beside the day's last slot
    EXPECT_EQ(window->planTime(3)->text(), "");
    EXPECT_EQ(window->planSum()->text(), "8");
    EXPECT_EQ(window->command1()->text(), QStringLiteral("変更"));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("PlanTime(7)")), window->planTime(7));
    window->planTime(2)->setText(QStringLiteral("18:00:00"));
    window->planTime(3)->setText(QStringLiteral("20:30:00"));
    keepScreenshot(*window, QStringLiteral("LinePlanWindow.png"));
}

TEST_F(LinePlanWindowTest, EnterRewritesATimeAndMovesTheFocus)
{
    type(window->planTime(0), QStringLiteral("8:5"));
    QTest::keyClick(window->planTime(0), Qt::Key_Return);
    EXPECT_EQ(window->planTime(0)->text(), "08:05:00");
    EXPECT_TRUE(window->planTime(1)->hasFocus());
    EXPECT_EQ(window->planTime(1)->selectedText(), "17:00:00"); // the whole text, ready to type over

    type(window->planTime(3), QStringLiteral("22:00"));
    QTest::keyClick(window->planTime(3), Qt::Key_Return);
    EXPECT_TRUE(window->planSum()->hasFocus());

    type(window->planTime(5), QStringLiteral("night"));
    QTest::keyClick(window->planTime(5), Qt::Key_Return);
    EXPECT_EQ(plant.prompter.texts(), QStringList{QStringLiteral("認識できる時間を入力してください")});
    EXPECT_TRUE(window->planTime(5)->hasFocus());
    EXPECT_EQ(window->planTime(5)->text(), QStringLiteral("night"));
}

TEST_F(LinePlanWindowTest, ChangeStoresTheDayAsOneUndoStepAndCloses)
{
    type(window->planTime(1), QStringLiteral("19:30"));
    type(window->planSum(), QStringLiteral("10.5"));
    QTest::mouseClick(window->command1(), Qt::LeftButton);

    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->changedDay());
    EXPECT_EQ(day().shiftTimes[1], QTime(19, 30));
    EXPECT_EQ(day().workHours, 10);
    EXPECT_TRUE(day().changed);
    EXPECT_EQ(day().hourly.size(), 2); // 08:00-12:00 and 13:00-19:30
    EXPECT_TRUE(plant.path->saveEnabled());
    plant.path->undo();
    EXPECT_EQ(day().shiftTimes[1], QTime(17, 0));
    EXPECT_FALSE(day().changed);
}

TEST_F(LinePlanWindowTest, ChangeWithAnUnreadableBoxSaysSoAndStaysOpen)
{
    type(window->planTime(1), QStringLiteral("5pm"));
    QTest::mouseClick(window->command1(), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(plant.prompter.texts(), QStringList{QStringLiteral("時間と認識できません")});
    EXPECT_TRUE(window->planTime(1)->hasFocus());
    EXPECT_EQ(day().shiftTimes[1], QTime(17, 0));
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(LinePlanWindowTest, MoreHoursThanTheShiftGivesAreRefusedWithTheShiftNamed)
{
    type(window->planSum(), QStringLiteral("20"));
    QTest::mouseClick(window->command1(), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    const QString refusal = QStringLiteral("合計計画時間は時間帯（08:00～17:00）の9時間以内で入力してください");
    EXPECT_EQ(plant.prompter.texts(), QStringList{refusal});
    EXPECT_TRUE(window->planSum()->hasFocus());
    EXPECT_EQ(window->planSum()->selectedText(), QStringLiteral("20"));
    EXPECT_EQ(day().workHours, 8);
    EXPECT_FALSE(day().changed);
    EXPECT_FALSE(plant.path->canUndo());
    keepScreenshot(*window, QStringLiteral("LinePlanWindow-hours-refused.png"));
    QMessageBox said(QMessageBox::NoIcon, QString(), refusal, QMessageBox::Ok, window.get());
    said.show();
    keepScreenshot(said, QStringLiteral("LinePlanWindow-hours-refused-message.png"));
}

// The main window over the demo plant.
class LinePlanFromChart : public DemoMainWindowTest
{
protected:
    void SetUp() override { openDemo(60, QDate(2026, 12, 8)); }

    ChartSurfaceWidget *surface() { return editing->chartView().mainSurface(); }

    // A right press in the lower part of `row` (where no bar lies) at pixel column `x`; returns
    // the day of the operating-time window it opened, or nothing. `inWindow` works the window,
    // which is closed afterwards unless it closed itself.
    std::optional<LinePlanDay> rightPressOn(int row, int x,
                                            const std::function<void(LinePlanWindow &)> &inWindow = {})
    {
        const ChartRows &rows = editing->session().rows();
        const double y = row == 0 ? 0 : rows.row(row).lowerBoundary - 60;
        const QPointF origin = surface()->twipsAt(QPoint(0, 0));
        const QPoint pixel(x, int((y - origin.y()) / 15));
        std::optional<LinePlanDay> opened;
        QTimer::singleShot(0, [&opened, &inWindow] {
            if (auto *window = qobject_cast<LinePlanWindow *>(QApplication::activeModalWidget())) {
                opened = window->day();
                if (inWindow)
                    inWindow(*window);
                if (window->isVisible())
                    window->reject();
            }
        });
        QTest::mousePress(surface(), Qt::RightButton, {}, pixel);
        QTest::mouseRelease(surface(), Qt::RightButton, {}, pixel);
        QCoreApplication::processEvents();
        return opened;
    }

};

TEST_F(LinePlanFromChart, ARightPressOnAMachineRowOpensItsWorkingDay)
{
    const int x = surface()->width() / 2;
    const QDateTime at = editing->chartView().chart().scale().dateTimeAtX(surface()->twipsAt(QPoint(x, 0)).x(),
                                                                        ChartSurface::Main);
    const QDate workingDay = at.time() < context.DayStartTime ? at.date().addDays(-1) : at.date();
    const std::optional<LinePlanDay> opened = rightPressOn(2, x);
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->MachineNo, 2);
    EXPECT_EQ(opened->DateNum, context.periodStartDate().daysTo(workingDay) + 2);
}

TEST_F(LinePlanFromChart, ARightPressAboveTheRowsOrOnASubcontractorOpensNothing)
{
    const int x = surface()->width() / 2;
    const ChartRows &rows = editing->session().rows();
    ASSERT_FALSE(rows.row(rows.lastMachineRow() + 1).code.trimmed().isEmpty()); // a subcontractor
    EXPECT_FALSE(rightPressOn(rows.lastMachineRow() + 1, x).has_value());
    EXPECT_FALSE(rightPressOn(0, x).has_value());
    EXPECT_FALSE(rightPressOn(1, x).has_value());
}

TEST_F(LinePlanFromChart, AChangeFromTheChartEnablesSavingAndUndoTakesItBack)
{
    const std::optional<LinePlanDay> opened = rightPressOn(2, surface()->width() / 2, [](LinePlanWindow &window) {
        // One hour less: more than the day's shifts give would be refused.
        const int hours = window.planSum()->text().toInt();
        window.planSum()->setText(QString::number(hours > 0 ? hours - 1 : 1));
        QTest::mouseClick(window.command1(), Qt::LeftButton);
    });
    ASSERT_TRUE(opened.has_value());
    const CalendarDay &day = *editing->session().calendar().day(opened->MachineNo, opened->DateNum);
    EXPECT_TRUE(day.changed);
    EXPECT_TRUE(form->comHozon()->isEnabled());

    ASSERT_TRUE(editing->undoAction()->isEnabled());
    QApplication::setActiveWindow(form.get()); // back from the closed window
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(day.changed);
    EXPECT_FALSE(form->comHozon()->isEnabled());
}

} // namespace
