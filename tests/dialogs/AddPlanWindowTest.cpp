// The process add and process show windows driven from the detail window as a planner would:
// Command4 and Command5 clicked, lines of the chain clicked, 追加実施 / 追加キャンセル / 照会終了,
// with what the detail window's lists, the lot and the undo history show afterwards.

#include "ChainPlant.h"
#include "Screenshots.h"
#include "DetailWindowPlant.h"
#include "dialogs/PlanDetailFill.h"
#include "dialogs/ui/AddPlan.h"
#include "dialogs/ui/ChainList.h"
#include "dialogs/ui/PlanWindow.h"
#include "dialogs/ui/ShowPlan.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class AddPlanWindowTest : public ::testing::Test
{
protected:
    AddPlanWindowTest()
    {
        chains.arrangement(5001, "S10", 5002);
        chains.arrangement(900, "S10", 5001, {{"納期", "20240508"}, {"ラインコード", "L1"}});
        chains.arrangement(5002, "S20", 5003, {{"手配数", 90}});
        chains.arrangement(5003, "S30", 5004, {{"手配数", 80}});
        chains.arrangement(5004, "S40", 0);
    }
    void open() { window = fixture.openWindow(); }
    // Clicks `button` of the detail window; `inside` runs on the window that it opens modally
    // (nullptr when none opened) and must close it.
    template<class Window>
    void clickAndUse(const char *button, std::function<void(Window *)> inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside(qobject_cast<Window *>(QApplication::activeModalWidget()));
        });
        QTest::mouseClick(window->button(QString::fromLatin1(button)), Qt::LeftButton);
        if (!ran)
            QTest::qWait(10);
        ASSERT_TRUE(ran);
    }
    static void clickLine(ChainList *list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    static void click(QDialog *dialog, const char *button)
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    QStringList lines(const char *name) const
    {
        QStringList texts;
        const QListWidget *list = window->list(QString::fromLatin1(name));
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

    DetailWindowPlant fixture;
    EditingPlant &plant = fixture.plant;
    ChainPlant chains{fixture.database};
    std::unique_ptr<PlanWindow> window;
};

TEST_F(AddPlanWindowTest, CheckingALineChoosesItAndEveryLineAbove)
{
    open();
    EXPECT_TRUE(window->button(QStringLiteral("Command4"))->isEnabled());
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) {
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add->windowTitle(), QStringLiteral("工程追加"));
        EXPECT_EQ(add->arrangementBox()->text(), QStringLiteral("5001"));
        ChainList *list = add->list();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(2)->text(), QStringLiteral("5003 印刷"));
        EXPECT_EQ(list->checkedCount(), 1) << "the lot's own process comes checked";
        clickLine(list, 2);
        EXPECT_EQ(list->checkedCount(), 3);
        clickLine(list, 1);
        EXPECT_EQ(list->checkedCount(), 2);
        EXPECT_EQ(list->item(2)->checkState(), Qt::Unchecked);
        clickLine(list, 0);
        EXPECT_EQ(list->checkedCount(), 1);
        click(add, "Command1"); // 追加キャンセル
    });
    EXPECT_EQ(lines("NList"), QStringList{"5001 成形 ケースＡ 100"});
    EXPECT_TRUE(plant.prompter.said().empty());
}

TEST_F(AddPlanWindowTest, OnlyTheOwnProcessCheckedIsNoAddAndTheWindowStays)
{
    open();
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) {
        ASSERT_NE(add, nullptr);
        click(add, "Command3"); // 追加実施
        EXPECT_EQ(plant.prompter.texts(), QStringList{processAdd::NoneAdded});
        EXPECT_TRUE(add->isVisible());
        click(add, "Command1");
    });
    EXPECT_EQ(lines("NList").size(), 1);
}

TEST_F(AddPlanWindowTest, ATwoMemberLotRefusesTheAddWithoutOpeningIt)
{
    fixture.amend([](PlanRecord &r) { r.AltMembers.set(0).ArrangementNo = 5002; });
    open();
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) {
        EXPECT_EQ(add, nullptr);
        if (add)
            add->reject();
    });
    EXPECT_EQ(plant.prompter.texts(), QStringList{processAdd::CannotAdd});
}

TEST_F(AddPlanWindowTest, AddedProcessesShowInTheInnerListAndReachTheLotWithTheWindowsOwnChanges)
{
    open();
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) {
        ASSERT_NE(add, nullptr);
        clickLine(add->list(), 2);
        click(add, "Command3");
    });
    EXPECT_EQ(lines("NList"), (QStringList{"5001 成形 ケースＡ 100", "5002 トリミング ケースＡ 90", "5003 印刷 ケースＡ 80"}));
    // A second add is refused: the lot has three member lines now.
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) { EXPECT_EQ(add, nullptr); });
    EXPECT_EQ(plant.prompter.texts(), QStringList{processAdd::CannotAdd});

    QLineEdit *remark = window->box(QStringLiteral("Text39"));
    remark->setText(QStringLiteral("印刷まで"));
    QTest::mouseClick(window->button(QStringLiteral("Command1")), Qt::LeftButton);
    const PlanRecord &lot = fixture.record();
    EXPECT_EQ(lot.ProcessName, QStringLiteral("混合"));
    EXPECT_EQ(lot.Members.at(2).ArrangementNo, 5003);
    EXPECT_EQ(lot.Remarks, QStringLiteral("印刷まで"));
    plant.path->undo();
    EXPECT_EQ(fixture.record().Members.at(1).ArrangementNo, 0);
    EXPECT_NE(fixture.record().Remarks, QStringLiteral("印刷まで"));
    EXPECT_FALSE(plant.path->canUndo()) << "the add and the window's changes are one step";
}

TEST_F(AddPlanWindowTest, ThePlannerCancellingTheDetailWindowKeepsTheAddOnly)
{
    open();
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) {
        ASSERT_NE(add, nullptr);
        clickLine(add->list(), 1);
        click(add, "Command3");
    });
    window->box(QStringLiteral("Text39"))->setText(QStringLiteral("捨てる"));
    QTest::mouseClick(window->button(QStringLiteral("Command8")), Qt::LeftButton);
    EXPECT_EQ(fixture.record().Members.at(1).ArrangementNo, 5002);
    EXPECT_NE(fixture.record().Remarks, QStringLiteral("捨てる"));
    EXPECT_EQ(plant.path->undoText(), QStringLiteral("工程追加"));
}

TEST_F(AddPlanWindowTest, TheShowWindowListsTheChainAroundTheLot)
{
    open();
    EXPECT_TRUE(window->button(QStringLiteral("Command5"))->isEnabled());
    clickAndUse<ShowPlan>("Command5", [&](ShowPlan *show) {
        ASSERT_NE(show, nullptr);
        EXPECT_EQ(show->windowTitle(), QStringLiteral("工程照会"));
        EXPECT_EQ(show->arrangementBox()->text(), QStringLiteral("5001"));
        ChainList *list = show->list();
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("05/08 900 A100 L1 成形"));
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("05/20 5001 A100 M01      成形"));
        clickLine(list, 2);
        EXPECT_EQ(list->checkedCount(), 3);
        click(show, "Command1"); // 照会終了
        EXPECT_FALSE(show->isVisible());
    });
    EXPECT_FALSE(plant.path->canUndo());
}

// Both windows filled from a chain of four processes (and one feeding process), for
// scripts/screenshots; ctest leaves the Screenshots suites out.
class AddPlanWindowScreenshots : public AddPlanWindowTest
{
};

TEST_F(AddPlanWindowScreenshots, BothWindows)
{
    fixture.database.db().run(QStringLiteral("UPDATE DB0253 SET 上位手配番号=5005 WHERE 手配番号=5003"));
    chains.arrangement(5005, "S50", 5004, {{"納期", "20240524"}, {"機械コード", "A02     "}});
    open();
    const auto save = [](QDialog *dialog, const char *name) { keepScreenshot(*dialog, QString::fromLatin1(name)); };
    clickAndUse<AddPlan>("Command4", [&](AddPlan *add) {
        ASSERT_NE(add, nullptr);
        clickLine(add->list(), 2);
        save(add, "AddPlan.png");
        click(add, "Command3");
    });
    clickAndUse<ShowPlan>("Command5", [&](ShowPlan *show) {
        ASSERT_NE(show, nullptr);
        save(show, "ShowPlan.png");
        click(show, "Command1");
    });
    save(window.get(), "PlanWindow-after-add.png");
}

} // namespace
