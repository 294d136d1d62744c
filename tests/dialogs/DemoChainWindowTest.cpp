// The process add and process show windows over the demo plant, opened from the detail window
// of the molding lot with the longest chain as the main window's context menu opens it. With
// KALVUNER_SHOTS set to a folder (scripts/screenshots), the windows are saved there to look at.

#include "DemoCalendar.h"
#include "Screenshots.h"
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
#include "dialogs/ProcessChain.h"
#include "dialogs/ui/AddPlan.h"
#include "dialogs/ui/ChainList.h"
#include "dialogs/ui/PlanPopupMenu.h"
#include "dialogs/ui/PlanWindow.h"
#include "dialogs/ui/ShowPlan.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QDate Start(2026, 12, 8);

// Loading places the demo's tentative lots and asks about overlaps: the answer is No.
class NoPrompter : public ScriptedPrompter
{
    bool ask(const QString &, const QString &, bool, PromptIcon) override { return false; }
};

template<class Window>
void whenOpen(QPushButton *button, const std::function<void(Window *)> &inside)
{
    QTimer::singleShot(0, [inside] { inside(qobject_cast<Window *>(QApplication::activeModalWidget())); });
    QTest::mouseClick(button, Qt::LeftButton);
}

TEST(DemoChainWindow, TheLongestChainOfAMoldingLotIsAddedFromTheContextMenusDetailWindow)
{
    const auto shoot = [](QWidget *window, const char *name) { keepScreenshot(*window, QString::fromLatin1(name)); };
    TestPlant plant{TestPlant::Backend::Sqlite, TestPlant::Contents::Empty};
    const demo::PlantSummary summary = demo::writePlant(plant.db(), {600, 1, Start}, false);
    RunContext context;
    context.PlantCode = demo::PlantCode;
    context.ProcessClassCode = summary.moldingClass;
    context.ProcessClassLabel = summary.moldingClass;
    context.PeriodStart = plant::dateText(Start);
    context.PeriodEnd = plant::dateText(Start.addMonths(1));
    context.OperatorCode = demo::AdminOperator;
    startup::readPlant(plant.db(), context);
    context.DayStartTime = QTime(8, 0);
    context.WindowWidth = 1600 * 15;
    context.WindowHeight = 900 * 15;
    NoPrompter prompter;
    MainForm form(context, plant.db(), prompter);
    auto *editing = new ChartEditing(form);
    form.load(nullptr);

    const PlanStore &store = editing->session().editPath().store();
    qint64 lot = 0;
    qsizetype longest = 0;
    for (qint64 index = 2; index <= store.lastIndex(); ++index) {
        const qsizetype length = processAddChain(plant.db(), store[index].Members.at(0).ArrangementNo).size();
        if (length > longest) {
            longest = length;
            lot = index;
        }
    }
    ASSERT_GE(longest, 3);

    PlanWindow *detail = form.findChild<PlanPopupMenu *>()->openDetail(store[lot].BarIndex);
    ASSERT_NE(detail, nullptr);
    detail->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(detail));
    whenOpen<AddPlan>(detail->button(QStringLiteral("Command4")), [&](AddPlan *add) {
        ASSERT_NE(add, nullptr);
        QTest::mouseClick(add->list()->viewport(), Qt::LeftButton, {},
                          add->list()->visualItemRect(add->list()->item(int(longest) - 1)).center());
        EXPECT_EQ(add->list()->checkedCount(), int(longest));
        shoot(add, "demo-AddPlan.png");
        QTest::mouseClick(add->button(QStringLiteral("Command3")), Qt::LeftButton);
    });
    whenOpen<ShowPlan>(detail->button(QStringLiteral("Command5")), [&](ShowPlan *show) {
        ASSERT_NE(show, nullptr);
        EXPECT_GE(show->list()->count(), int(longest));
        shoot(show, "demo-ShowPlan.png");
        show->accept();
    });
    EXPECT_EQ(detail->list(QStringLiteral("NList"))->count(), int(longest));
    shoot(detail, "demo-PlanWindow.png");
    QTest::mouseClick(detail->button(QStringLiteral("Command1")), Qt::LeftButton);
    EXPECT_EQ(store[lot].ProcessName, QStringLiteral("混合"));
    EXPECT_EQ(store[lot].Members.at(int(longest) - 1).ArrangementNo,
              processAddChain(plant.db(), store[lot].ArrangementNo).last().arrangementNo);
    EXPECT_EQ(editing->session().editPath().undoText(), QStringLiteral("詳細情報"));
}

} // namespace
