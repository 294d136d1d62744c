// The options window of printing and export as a planner fills it in: it opens on what it is
// given, the last day cannot be set before the first, the picture's choice of the visible area
// greys out the days and rows, and the choices come back as chosen.

#include "export/ui/ChartOutputDialog.h"
#include "Screenshots.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QDate PeriodFirst(2024, 3, 30);
const QDate PeriodLast(2024, 5, 2);

ChartOutputOptions period()
{
    ChartOutputOptions options;
    options.firstDay = QDate(2024, 4, 1);
    options.lastDay = QDate(2024, 4, 30);
    return options;
}

template<class Widget>
Widget *child(const QDialog &dialog, const char *name)
{
    Widget *widget = dialog.findChild<Widget *>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(ChartOutputWindow, PaperChoicesComeBackAsChosen)
{
    ChartOutputDialog dialog(ChartOutputKind::Paper, period(), PeriodFirst, PeriodLast);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.options().firstDay, QDate(2024, 4, 1));
    EXPECT_EQ(dialog.options().paper, PaperSize::A3);
    EXPECT_TRUE(dialog.options().allRows);
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("Scale")), nullptr) << "no scale for paper";

    QDateEdit *from = child<QDateEdit>(dialog, "FirstDay");
    QDateEdit *to = child<QDateEdit>(dialog, "LastDay");
    // A first day after the last moves the last with it: the range never runs backwards.
    from->setDate(QDate(2024, 5, 1));
    EXPECT_EQ(to->date(), QDate(2024, 5, 1));
    to->setDate(QDate(2024, 4, 2));
    EXPECT_EQ(to->date(), QDate(2024, 5, 1));
    from->setDate(QDate(2024, 1, 1));
    EXPECT_EQ(from->date(), PeriodFirst) << "days the chart does not hold cannot be chosen";

    QTest::mouseClick(child<QRadioButton>(dialog, "ScreenRows"), Qt::LeftButton);
    QComboBox *paper = child<QComboBox>(dialog, "Paper");
    paper->setFocus();
    QTest::keyClick(paper, Qt::Key_Down);
    const ChartOutputOptions chosen = dialog.options();
    EXPECT_FALSE(chosen.allRows);
    EXPECT_EQ(chosen.paper, PaperSize::A4);
    EXPECT_EQ(chosen.firstDay, PeriodFirst);
    EXPECT_EQ(chosen.lastDay, QDate(2024, 5, 1));
}

TEST(ChartOutputWindow, PictureOfTheVisibleAreaNeedsNoDaysOrRows)
{
    ChartOutputOptions initial = period();
    initial.scale = 2;
    ChartOutputDialog dialog(ChartOutputKind::Picture, initial, PeriodFirst, PeriodLast);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("Paper")), nullptr) << "no paper for a picture";
    EXPECT_EQ(dialog.options().scale, 2.0);
    EXPECT_TRUE(child<QDateEdit>(dialog, "FirstDay")->isEnabled());

    QTest::mouseClick(child<QRadioButton>(dialog, "VisibleArea"), Qt::LeftButton);
    for (const char *name : {"FirstDay", "LastDay"})
        EXPECT_FALSE(child<QDateEdit>(dialog, name)->isEnabled()) << name;
    EXPECT_FALSE(child<QRadioButton>(dialog, "AllRows")->isEnabled());
    QComboBox *scale = child<QComboBox>(dialog, "Scale");
    scale->setFocus();
    QTest::keyClick(scale, Qt::Key_Up);
    const ChartOutputOptions chosen = dialog.options();
    EXPECT_TRUE(chosen.visibleArea);
    EXPECT_EQ(chosen.scale, 1.5);

    QTest::mouseClick(child<QRadioButton>(dialog, "ChosenDays"), Qt::LeftButton);
    EXPECT_TRUE(child<QDateEdit>(dialog, "LastDay")->isEnabled());
    EXPECT_FALSE(dialog.options().visibleArea);
}

TEST(ChartOutputWindow, TheDatePickersShowJapaneseMonthsAndWeekdays)
{
    ChartOutputDialog dialog(ChartOutputKind::Paper, period(), PeriodFirst, PeriodLast);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (const char *name : {"FirstDay", "LastDay"}) {
        SCOPED_TRACE(name);
        QDateEdit *box = child<QDateEdit>(dialog, name);
        // The arrow at the box's right end opens the calendar.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2));
        QCalendarWidget *calendar = box->calendarWidget();
        ASSERT_TRUE(calendar->isVisible());
        EXPECT_EQ(calendar->locale().language(), QLocale::Japanese);
        EXPECT_EQ(calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"))->text(),
                  QStringLiteral("4月"));
        const QAbstractItemModel *days = calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"))->model();
        QStringList weekdays;
        for (int column = 0; column < days->columnCount(); ++column)
            if (const QString day = days->index(0, column).data().toString(); !day.isEmpty())
                weekdays << day;
        weekdays.sort();
        QStringList expected{"月", "火", "水", "木", "金", "土", "日"};
        expected.sort();
        EXPECT_EQ(weekdays, expected);
        keepScreenshot(*calendar->window(), QStringLiteral("ChartOutputDialog-%1-calendar.png").arg(QLatin1String(name)));
        calendar->window()->hide();
    }
}

} // namespace
