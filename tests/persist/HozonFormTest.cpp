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
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    auto *bar = form.findChild<QProgressBar *>();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->maximum(), 25);

    form.advanced(10, 25, true);
    EXPECT_EQ(bar->value(), 10);
    // The count is in words beside the bar.
    bool counted = false;
    for (const QLabel *label : form.findChildren<QLabel *>())
        counted = counted || label->text() == QStringLiteral("10/25");
    EXPECT_TRUE(counted);

    form.finished();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
