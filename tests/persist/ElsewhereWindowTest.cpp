// The window after a save that found lots changed elsewhere: each lot on a line with what
// changed, and each button answering with its choice; overwriting is not offered when every
// listed lot was completed or deleted elsewhere.

#include "persist/ui/ElsewhereWindow.h"
#include "Screenshots.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const std::vector<ElsewhereChange> Mixed{
    {5, 100011, QStringLiteral("A-100"), QuantityChanged | ActualsChanged, false},
    {9, 100182, QStringLiteral("B-200"), CompletionChanged, true},
};

// Clicks `button` of the window once it is shown modally.
ElsewhereWindow::Choice clickWhenShown(ElsewhereWindow &window, const char *button)
{
    QTimer::singleShot(0, &window, [&window, button] {
        QTest::mouseClick(window.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    });
    return window.choose();
}

TEST(ElsewhereWindow, ListsEachLotWithWhatChangedElsewhere)
{
    ElsewhereWindow window(Mixed);
    auto *list = window.findChild<QTableWidget *>(QStringLiteral("ElsewhereList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("100011"));
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("A-100"));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("数量・実績"));
    EXPECT_EQ(list->item(0, 3)->text(), QStringLiteral("可"));
    EXPECT_EQ(list->item(1, 2)->text(), QStringLiteral("完納または削除"));
    EXPECT_EQ(list->item(1, 3)->text(), QStringLiteral("不可 (再読込のみ)"));

    window.show();
    keepScreenshot(window, QStringLiteral("elsewhere-window.png"));
}

TEST(ElsewhereWindow, EachButtonAnswersWithItsChoice)
{
    const struct
    {
        const char *button;
        ElsewhereWindow::Choice choice;
    } cases[] = {
        {"ComOverwrite", ElsewhereWindow::Choice::Overwrite},
        {"ComReload", ElsewhereWindow::Choice::Reload},
        {"ComCancel", ElsewhereWindow::Choice::Cancel},
    };
    for (const auto &c : cases) {
        ElsewhereWindow window(Mixed);
        EXPECT_EQ(clickWhenShown(window, c.button), c.choice) << c.button;
        EXPECT_FALSE(window.isVisible()) << c.button;
    }
}

TEST(ElsewhereWindow, LotsCompletedOrDeletedElsewhereCanOnlyBeReadAgain)
{
    ElsewhereWindow window({Mixed[1]});
    EXPECT_FALSE(window.findChild<QPushButton *>(QStringLiteral("ComOverwrite"))->isEnabled());
    // A click on the disabled button does nothing; Escape leaves the lots unsaved.
    QTimer::singleShot(0, &window, [&window] {
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("ComOverwrite")), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_EQ(window.choose(), ElsewhereWindow::Choice::Cancel);
}

} // namespace
