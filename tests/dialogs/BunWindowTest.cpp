// The splits driven through the detail window as a planner would: 手配分割 opens BunWindow,
// a click on a line and a count typed with Enter choose the pieces, 分割実施 splits; ×工程分割
// moves the processes chosen in the window's lists. Afterwards the detail window works on the
// split lot, and closing it either way leaves the split as it is.

#include "SplitPlant.h"
#include "Screenshots.h"
#include "dialogs/PlanDetailFill.h"
#include "dialogs/ui/BunWindow.h"
#include "dialogs/ui/PlanWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class BunWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        plant.start();
        window = std::make_unique<PlanWindow>(plant.session);
        window->openOn(fixture.lot, plant.session.detailTexts(fixture.lot));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Presses 手配分割 and runs `inside` on the split window while it is open.
    void inSplitWindow(const std::function<void(BunWindow &)> &inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto *bun = qobject_cast<BunWindow *>(QApplication::activeModalWidget());
            ASSERT_NE(bun, nullptr);
            ran = true;
            inside(*bun);
            if (bun->isVisible())
                bun->reject();
        });
        QTest::mouseClick(window->button(QStringLiteral("Command3")), Qt::LeftButton);
        EXPECT_TRUE(ran);
    }
    static void clickLine(QListWidget *list, int row)
    {
        QListWidgetItem *item = list->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }
    static void typeCount(BunWindow &bun, const QString &count)
    {
        QLineEdit *box = bun.box(QStringLiteral("Text14"));
        box->selectAll();
        QTest::keyClicks(box, count);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QString text(const char *name) const { return window->box(QString::fromLatin1(name))->text(); }
    QStringList lines(QListWidget *list) const
    {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->item(i)->text();
        return all;
    }
    void click(const char *name) { QTest::mouseClick(window->button(QString::fromLatin1(name)), Qt::LeftButton); }

    SplitPlant fixture;
    EditingPlant &plant = fixture.plant;
    std::unique_ptr<PlanWindow> window;
};

TEST_F(BunWindowTest, LotSplitThroughTheWindowsAndTheDetailWindowFollowsIt)
{
    ASSERT_TRUE(window->button(QStringLiteral("Command3"))->isEnabled());
    inSplitWindow([&](BunWindow &bun) {
        EXPECT_EQ(bun.windowTitle(), QStringLiteral("手配分割"));
        QListWidget *inner = bun.list(QStringLiteral("NList"));
        QListWidget *outer = bun.list(QStringLiteral("GList"));
        EXPECT_EQ(inner->count(), 3);
        EXPECT_EQ(outer->count(), 2);
        // It opens on the first inner line, ready for its count.
        EXPECT_EQ(inner->currentRow(), 0);
        EXPECT_EQ(bun.box(QStringLiteral("Text1"))->text(), QStringLiteral("700"));
        EXPECT_TRUE(bun.box(QStringLiteral("Text14"))->isEnabled());
        EXPECT_EQ(bun.focusWidget(), bun.box(QStringLiteral("Text14")));

        clickLine(outer, 0);
        EXPECT_EQ(bun.box(QStringLiteral("Text1"))->text(), QStringLiteral("700"));
        typeCount(bun, QStringLiteral("100"));
        EXPECT_TRUE(inner->item(1)->text().endsWith(QStringLiteral("      100/300      ")));
        EXPECT_EQ(bun.box(QStringLiteral("Text2"))->text(), QStringLiteral("100"));
        EXPECT_EQ(bun.box(QStringLiteral("Text3"))->text(), QStringLiteral("100"));
        EXPECT_FALSE(bun.box(QStringLiteral("Text14"))->isEnabled());

        keepScreenshot(bun, QStringLiteral("bunwindow.png"));

        plant.prompter.expectAnswer(true);
        EXPECT_EQ(bun.button(QStringLiteral("Command3"))->text(), QStringLiteral("分割実施"));
        QTest::mouseClick(bun.button(QStringLiteral("Command3")), Qt::LeftButton);
        EXPECT_FALSE(bun.isVisible());
        EXPECT_NE(bun.newLot(), 0);
    });

    // The detail window shows the lot as the split left it, and can no longer be cancelled.
    EXPECT_FALSE(window->button(QStringLiteral("Command8"))->isEnabled());
    EXPECT_EQ(text("Text3"), QStringLiteral("200"));
    EXPECT_EQ(text("Text19"), QStringLiteral("120"));
    EXPECT_EQ(text("Text8") + ' ' + text("Text6"), QStringLiteral("2024/05/10 10:00:00"));
    EXPECT_EQ(lines(window->list(QStringLiteral("NList")))[0], QStringLiteral("5001 成形 ケースＡ 200"));

    click("Command1");
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(plant.store.lastIndex(), fixture.lot + 1);
    EXPECT_EQ(fixture.record().Quantity, 200);
    EXPECT_EQ(fixture.record().Members.at(0).Quantity, 200);
    EXPECT_EQ(plant.store[fixture.lot + 1].Members.at(0).ArrangementNo, -1);
    EXPECT_EQ(plant.endText(fixture.lot), "2024/05/10 10:00");
    // The write-back found nothing left to change: the split is the one step to undo.
    EXPECT_EQ(plant.path->undoText(), QStringLiteral("手配分割"));
    plant.path->undo();
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(BunWindowTest, CancelledSplitWindowChangesNothing)
{
    inSplitWindow([&](BunWindow &bun) {
        typeCount(bun, QStringLiteral("abc"));
        EXPECT_EQ(plant.prompter.texts(), QStringList{lotsplit::BadCount});
        EXPECT_TRUE(bun.box(QStringLiteral("Text14"))->isEnabled());
        QTest::mouseClick(bun.button(QStringLiteral("Command3")), Qt::LeftButton);
        EXPECT_EQ(plant.prompter.texts().last(), lotsplit::NothingChosen);
        EXPECT_TRUE(bun.isVisible());
        QTest::mouseClick(bun.button(QStringLiteral("Command1")), Qt::LeftButton);
        EXPECT_FALSE(bun.isVisible());
    });
    EXPECT_EQ(plant.store.lastIndex(), fixture.lot);
    EXPECT_FALSE(plant.path->canUndo());
    EXPECT_EQ(text("Text3"), QStringLiteral("300"));
}

TEST_F(BunWindowTest, ProcessSplitThroughTheDetailWindowSurvivesItsCancel)
{
    ASSERT_TRUE(window->button(QStringLiteral("Command2"))->isEnabled());
    clickLine(window->list(QStringLiteral("NList")), 1); // 5002 仕上
    plant.prompter.expectAnswer(true);
    click("Command2");
    ASSERT_EQ(plant.store.lastIndex(), fixture.lot + 1);
    EXPECT_EQ(text("Text14"), QStringLiteral("5001"));
    const QStringList inner = lines(window->list(QStringLiteral("NList")));
    EXPECT_EQ(inner.size(), 2);
    EXPECT_FALSE(inner.join(' ').contains(QStringLiteral("5002")));

    click("Command8");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fixture.record().Members.at(1).isFree());
    EXPECT_EQ(plant.store[fixture.lot + 1].Members.at(0).ArrangementNo, 5002);
    EXPECT_EQ(plant.path->undoText(), QStringLiteral("工程分割"));
}

} // namespace
