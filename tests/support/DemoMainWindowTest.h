#pragma once
// A test fixture with the main window over a demo plant, as a planner opens it: the molding
// class for a month from a start day, loaded with the chart's editing and shown. Only for the
// test programs that link the demo plant.

#include "DemoCalendar.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "DemoRows.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "app/PlantStartup.h"
#include "app/ui/ChartEditing.h"
#include "app/ui/MainForm.h"
#include "session/PlanSession.h"
#include "common/PlantValues.h"
#include "plan/RunContext.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Loading places the demo's tentative lots and may ask about overlaps on the way: those
// questions are answered No; after loading every question must be scripted.
class LoadingPrompter : public ScriptedPrompter
{
public:
    bool loading = true;
    bool ask(const QString &text, const QString &title, bool defaultYes, PromptIcon icon) override
    {
        return loading ? false : ScriptedPrompter::ask(text, title, defaultYes, icon);
    }
};

class DemoMainWindowTest : public testing::Test
{
protected:
    // On SQLite unless a test of both databases names one.
    explicit DemoMainWindowTest(TestPlant::Backend backend = TestPlant::Backend::Sqlite)
        : plant{backend, TestPlant::Contents::Empty}
    {
    }

    // Writes a demo plant of `lots` lots and opens the main window on it, 1600 x 900 pixels,
    // for the given operator (the demo's inquiry operator opens it in inquiry mode), with the
    // plant's own time grid and the operator's authority read as the program reads them.
    void openDemo(int lots, const QDate &start, const QString &operatorCode = demo::AdminOperator)
    {
        const demo::PlantSummary summary = demo::writePlant(plant.db(), {lots, 7, start}, false);
        context.PlantCode = demo::PlantCode;
        context.ProcessClassCode = summary.moldingClass;
        context.ProcessClassLabel = summary.moldingClass;
        context.PeriodStart = plant::dateText(start);
        context.PeriodEnd = plant::dateText(start.addMonths(1));
        context.OperatorCode = operatorCode;
        startup::readPlant(plant.db(), context);
        context.DayStartTime = QTime(8, 0);
        context.WindowWidth = 1600 * 15;
        context.WindowHeight = 900 * 15;
        openWindow();
    }

    // Opens the main window on the plant as it stands in the database, in place of the one
    // open, as a planner starting the program again.
    void openWindow()
    {
        editing = nullptr;
        form.reset();
        prompter.loading = true;
        form = std::make_unique<MainForm>(context, plant.db(), prompter);
        editing = new ChartEditing(*form);
        form->load(nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        prompter.loading = false;
        prompter.clear();
    }

    TestPlant plant;
    RunContext context;
    LoadingPrompter prompter;
    std::unique_ptr<MainForm> form;
    ChartEditing *editing = nullptr;
};
