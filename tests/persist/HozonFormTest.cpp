#include "persist/ui/HozonForm.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

TEST(HozonForm, ShowsProgressWhileSavingAndClosesAtTheEnd)
{
    HozonForm form;
    form.started(25);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "保存フォーム");
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    auto *bar = form.findChild<QProgressBar *>("HozonBar");
    auto *text = form.findChild<QLabel *>("HozonText");
    ASSERT_TRUE(bar && text);
    EXPECT_EQ(bar->maximum(), 25);

    form.advanced(10, 25, true);
    EXPECT_EQ(bar->value(), 10);
    EXPECT_EQ(text->text(), "10/25");
    EXPECT_NE(form.findChild<QLabel *>("Label1"), nullptr);

    form.finished();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
