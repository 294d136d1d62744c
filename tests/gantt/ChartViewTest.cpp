#include "ChartFixture.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"

#include "plan/RunContext.h"
#include "app/ui/MainForm.h"
#include "gantt/ui/ChartSurfaceWidget.h"
#include "app/ui/ChartView.h"
#include "session/PlanSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
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

    const char16_t *captions[] = {u"１週間表示モード", u"４週間表示モード", u"１日表示モード", u"３日表示モード"};
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
    EXPECT_EQ(form.machineName(2)->text(), plant.rows.row(2).caption);

    form.hScroll1()->setValue(500);
    EXPECT_EQ(view->chart().axis().scrollValue(), 500);
    EXPECT_EQ(form.dayDispArea()->text(), longDateText(QDate(2024, 4, 4)));

    form.kScroll()->setValue(2);
    EXPECT_EQ(form.machineName(1)->text(), plant.rows.row(3).caption);
    EXPECT_EQ(form.machineName(10)->text(), plant.rows.row(12).caption);
    EXPECT_EQ(view->mainSurface()->rowScroll(), 2);
}

} // namespace
