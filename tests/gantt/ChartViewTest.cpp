#include "ChartFixture.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"

#include "plan/RunContext.h"
#include "app/ui/MainForm.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "app/ui/ChartView.h"
#include "session/PlanSession.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QRegularExpression>
#include <QTextDocument>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The main window with the chart's part of its load run on the fixture's rows.
class ChartViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        context.PeriodStart = QStringLiteral("2024/04/01");
        context.PeriodEnd = QStringLiteral("2024/04/30");
        context.DayStartTime = QTime(8, 0);
        context.GridUnitMinutes = 15;
        form.resize(1280, 1000);
        // The window's own load would fill the session from the database; the fixture's plan
        // stands in for it.
        form.plan().adopt(plant.rows, plant.calendar, plant.store);
        view = new ChartView(form);
        view->layoutTimeAxis();
        form.kScroll()->setRange(0, plant.rows.count() - 10);
    }

    ChartFixture plant;
    TestPlant database;
    ScriptedPrompter prompter;
    RunContext context;
    MainForm form{context, database.db(), prompter};
    ChartView *view = nullptr;
};

TEST_F(ChartViewTest, OpensAtWeekScaleAndTheModeButtonCyclesFromThere)
{
    view->drawChart();
    EXPECT_EQ(form.text1()->text(), QStringLiteral("１週間表示モード"));
    EXPECT_EQ(form.dayDispArea()->text(), longDateText(QDate(2024, 4, 1)));
    EXPECT_EQ(form.hScroll1()->minimum(), view->chart().axis().scrollMinimum());
    EXPECT_EQ(form.hScroll1()->maximum(), view->chart().axis().scrollMaximum());
    EXPECT_TRUE(view->chart().bar(2).visible);

    // The first press already changes the mode, also with the focus in the date box.
    form.show();
    form.dayDispArea()->setFocus();
    const char16_t *captions[] = {u"４週間表示モード", u"１日表示モード", u"３日表示モード", u"１週間表示モード"};
    for (const char16_t *caption : captions) {
        QTest::mouseClick(form.command4(), Qt::LeftButton);
        EXPECT_EQ(form.text1()->text(), QString::fromUtf16(caption));
    }
}

TEST_F(ChartViewTest, CommandLineModeIsShownAtOpening)
{
    form.setRequestedDisplayMode(1);
    view->drawChart();
    EXPECT_EQ(form.text1()->text(), QStringLiteral("１日表示モード"));
    EXPECT_EQ(view->chart().scale().mode(), DisplayMode::Day);
}

TEST_F(ChartViewTest, ScrollBarsMoveTheChartAndTheLabels)
{
    view->drawChart();
    EXPECT_EQ(form.machineName(2)->toolTip(), plant.rows.row(2).caption);

    form.hScroll1()->setValue(500);
    EXPECT_EQ(view->chart().axis().scrollValue(), 500);
    EXPECT_EQ(form.dayDispArea()->text(), longDateText(QDate(2024, 4, 4)));

    form.kScroll()->setValue(2);
    EXPECT_EQ(form.machineName(1)->toolTip(), plant.rows.row(3).caption);
    EXPECT_EQ(form.machineName(10)->toolTip(), plant.rows.row(12).caption);
    EXPECT_EQ(view->mainSurface()->rowScroll(), 2);
}

// Every label fits its row as drawn: the code, then the name whole, smaller where it must be and
// over two lines where one is not enough; only a name too long for that is cut with "…", and
// the tooltip holds the whole caption.
TEST_F(ChartViewTest, RowLabelsShowTheMachinesNameWholeWhereItCanBeAndFitTheRow)
{
    // A name too wide in 10 px that fits in 9 px: on one line.
    form.show();
    QFont font = form.machineName(1)->font();
    const int width = form.machineName(1)->contentsRect().width();
    QString justWider = QStringLiteral("成形機");
    for (font.setPixelSize(10); QFontMetrics(font).horizontalAdvance(justWider) <= width;)
        justWider += u'x';
    font.setPixelSize(9);
    ASSERT_LE(QFontMetrics(font).horizontalAdvance(justWider), width);
    plant.rows.append(QStringLiteral("IM060-01"), QStringLiteral("IM060-01 ") + justWider);
    plant.rows.append(QStringLiteral("IM080-02"), QStringLiteral("IM080-02 成形機 80t 2号機（第二）"));
    plant.rows.append(QStringLiteral("IM100-01"), QStringLiteral("IM100-01 成形機 100t 1号 第二工場の奥の大型成形機"));
    plant.rows.computeBoundaries();
    form.plan().adopt(plant.rows, plant.calendar, plant.store);
    form.kScroll()->setRange(0, plant.rows.count() - 10);
    view->drawChart();
    form.kScroll()->setValue(form.kScroll()->maximum());

    const auto drawn = [](const QLabel *label) {
        auto document = std::make_unique<QTextDocument>();
        document->setDefaultFont(label->font());
        document->setDocumentMargin(0);
        document->setHtml(label->text());
        return document;
    };
    for (int slot = 1; slot <= 10; ++slot) {
        const QLabel *label = form.machineName(slot);
        const auto document = drawn(label);
        EXPECT_LE(document->idealWidth(), label->contentsRect().width() + 1) << slot;
        EXPECT_LE(document->size().height(), label->height()) << slot;
    }
    const QString last = drawn(form.machineName(10))->toPlainText();
    EXPECT_TRUE(last.startsWith(QStringLiteral("IM100-01\n成形機"))) << last.toStdString();
    EXPECT_TRUE(last.endsWith(u'…')) << last.toStdString();
    EXPECT_EQ(form.machineName(10)->toolTip(), plant.rows.row(plant.rows.count()).caption);
    EXPECT_EQ(drawn(form.machineName(8))->toPlainText(), QStringLiteral("IM060-01\n") + justWider);
    const QString whole = drawn(form.machineName(9))->toPlainText().remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_EQ(whole, QStringLiteral("IM080-02成形機80t2号機（第二）")) << "smaller, but whole";
    const QString subcontractor = drawn(form.machineName(14 - form.kScroll()->maximum()))->toPlainText(); // row 14 is S01
    EXPECT_TRUE(subcontractor.startsWith(QStringLiteral("S01\n協力工業"))) << subcontractor.toStdString();
    EXPECT_EQ(form.machineName(14 - form.kScroll()->maximum())->toolTip(), QStringLiteral("S01\n協力工業\n(第二)"));
}

TEST_F(ChartViewTest, DateHeaderStaysWholeAtEveryRowScroll)
{
    form.show();
    view->drawChart();
    ChartSurfaceWidget *surface = view->mainSurface();
    const int headerHeight = int(ChartRows::FirstTop) / 15;
    const QImage atTop = surface->grab().toImage().copy(0, 0, surface->width(), headerHeight);
    const int headerRow = surface->hitAt(QPoint(40, headerHeight - 2)).row;
    for (int value : {1, form.kScroll()->maximum()}) {
        form.kScroll()->setValue(value);
        const QImage scrolled = surface->grab().toImage().copy(0, 0, surface->width(), headerHeight);
        EXPECT_EQ(scrolled, atTop) << "row scroll " << value;
        // A press on the header hits no row, not the row gone up under it.
        EXPECT_EQ(surface->hitAt(QPoint(40, headerHeight - 2)).row, headerRow);
        EXPECT_EQ(surface->hitAt(QPoint(40, headerHeight + 2)).row, value + 1);
    }
}

QWheelEvent wheel(QWidget *target, int angle, Qt::KeyboardModifiers modifiers, QPoint at = QPoint(200, 100))
{
    return QWheelEvent(at, target->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                       Qt::NoScrollPhase, false);
}

TEST_F(ChartViewTest, WheelScrollsRowsShiftWheelTimeCtrlWheelChangesTheMode)
{
    form.show();
    view->drawChart();
    ChartSurfaceWidget *surface = view->mainSurface();

    QWheelEvent down = wheel(surface, -120, Qt::NoModifier);
    QApplication::sendEvent(surface, &down);
    EXPECT_EQ(form.kScroll()->value(), 1);
    EXPECT_EQ(surface->rowScroll(), 1);
    QWheelEvent up = wheel(surface, 120, Qt::NoModifier);
    QApplication::sendEvent(surface, &up);
    EXPECT_EQ(form.kScroll()->value(), 0);

    const int time = form.hScroll1()->value();
    QWheelEvent later = wheel(surface, -120, Qt::ShiftModifier);
    QApplication::sendEvent(surface, &later);
    EXPECT_EQ(form.hScroll1()->value(), time + surface->width() / 10);
    EXPECT_EQ(form.kScroll()->value(), 0);

    // Ctrl+wheel: up is the finer mode, down the coarser; the time under the pointer stays.
    const QPoint pointer(300, 100);
    const auto timeAtPointer = [&] { return surface->hitAt(pointer).time; };
    const struct
    {
        int angle;
        DisplayMode mode;
    } steps[] = {{120, DisplayMode::ThreeDays}, {120, DisplayMode::Day}, {120, DisplayMode::Day},
                 {-120, DisplayMode::ThreeDays}, {-240, DisplayMode::FourWeeks}};
    for (const auto &step : steps) {
        const QDateTime before = timeAtPointer();
        QWheelEvent zoom = wheel(surface, step.angle, Qt::ControlModifier, pointer);
        QApplication::sendEvent(surface, &zoom);
        EXPECT_EQ(view->chart().scale().mode(), step.mode);
        EXPECT_EQ(form.text1()->text(), displayModeCaption(step.mode));
        // Unless the scroll bar's end holds the chart back (four weeks of a one-month period).
        QScrollBar *time = form.hScroll1();
        if (time->value() == time->minimum() || time->value() == time->maximum())
            continue;
        const double minutesPerPixel = 15 * 60 / view->chart().scale().hourWidth();
        EXPECT_LE(std::abs(before.secsTo(timeAtPointer())) / 60.0, minutesPerPixel + 1) << int(step.mode);
    }
}

} // namespace
