// The schedule list window driven with the mouse and keys: its opening rules and place, the
// Enter order of its fields, 検索 and キャンセル, a sort by a header click, and a double-click
// or right-click on a line.

#include "Screenshots.h"
#include "WaitingLots.h"
#include "schedule_list/ui/frmYoteiIchiran.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class ScheduleListWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        a100 = lots.add({.item = "A100", .quantity = 1000});
        b200 = lots.add({.item = "B200", .quantity = 9});
        a1x = lots.add({.item = "A1-X", .quantity = 100});
        lots.add({.machine = EditingPlant::M01});
        lots.start();
        window = std::make_unique<frmYoteiIchiran>(plant.store, plant.run, plant.prompter);
    }

    // Opens the window as cmdYoteiIchiran does, without its modal loop.
    void open()
    {
        ASSERT_TRUE(window->prepare());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    std::vector<qint64> listed() const { return window->model().lots(); }
    // The middle of a line of the list, in the window's coordinates: the clicks go through
    // the window as the platform's would, so a double-click and a context-menu press form.
    QPoint lineCentre(int row) const
    {
        QWidget *viewport = window->livIchiran()->viewport();
        const QRect line = window->livIchiran()->visualRect(window->model().index(row, schedulelist::ItemCode));
        return viewport->mapTo(window.get(), line.center());
    }

    WaitingLots lots;
    EditingPlant &plant = lots.plant;
    qint64 a100 = 0, b200 = 0, a1x = 0;
    std::unique_ptr<frmYoteiIchiran> window;
};

TEST_F(ScheduleListWindow, WithNothingOnTheStripTheWindowDoesNotStay)
{
    // Every waiting lot planned on a press.
    for (qint64 lot = 2; lot <= plant.store.lastIndex(); ++lot)
        plant.amend(lot, [](PlanRecord &r) { r.MachineCode = EditingPlant::M01; });
    window->showList();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(plant.run.ScheduleListOpen);
    EXPECT_EQ(plant.prompter.texts(), QStringList{"予定一覧画面に表示するデータはありません。"});
}

TEST_F(ScheduleListWindow, ItOpensAtItsFirstPlaceAndReturnsWhereItWasLeft)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("予定一覧"));
    EXPECT_EQ(window->pos(), QPoint(540 / 15, 3705 / 15));
    QStringList headers;
    for (int column = 0; column < window->model().columnCount(); ++column)
        headers << window->model().headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"SystemＩd", "手配番号", "品名コード", "品名", "順序", "工程内容名", "機械コード",
                                    "開始日", "納期", "手配数", "金型コード", "製造依頼番号"}));
    EXPECT_EQ(listed(), (std::vector<qint64>{a100, b200, a1x}));
    EXPECT_EQ(window->txtYYMMDD_St()->text(), QStringLiteral("2024/05/01"));
    EXPECT_EQ(window->txtYYMMDD_Ed()->text(), QStringLiteral("2024/06/30"));

    window->move(300, 120);
    QTest::mouseClick(window->cmdCancel(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(plant.run.ScheduleList.Left, 300 * 15);
    EXPECT_EQ(plant.run.ScheduleList.Top, 120 * 15);

    frmYoteiIchiran again(plant.store, plant.run, plant.prompter);
    ASSERT_TRUE(again.prepare());
    EXPECT_EQ(again.pos(), QPoint(300, 120));
}

TEST_F(ScheduleListWindow, EnterMovesThroughTheFieldsAndCompletesTheDates)
{
    open();
    window->txtHinmeiCd()->setFocus();
    QLineEdit *fields[] = {window->txtHinmeiCd(), window->txtSeizouIrai(), window->txtKanagata(),
                           window->txtYYMMDD_St(), window->txtYYMMDD_Ed()};
    QWidget *next[] = {window->txtSeizouIrai(), window->txtKanagata(), window->txtYYMMDD_St(),
                       window->txtYYMMDD_Ed(), window->cmdKensaku()};
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(QApplication::focusWidget(), fields[i]);
        if (fields[i] == window->txtYYMMDD_St())
            QTest::keyClicks(fields[i], QStringLiteral("24/5/10"));
        QTest::keyClick(fields[i], Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), next[i]);
    }
    EXPECT_EQ(window->txtYYMMDD_St()->text(), QStringLiteral("2024/05/10"));
    EXPECT_TRUE(window->isVisible()) << "Enter in a field does not press a button";
}

TEST_F(ScheduleListWindow, SearchTheTypedItemCodeAndReportADateError)
{
    open();
    QTest::keyClicks(window->txtHinmeiCd(), QStringLiteral("A1"));
    QTest::mouseClick(window->cmdKensaku(), Qt::LeftButton);
    EXPECT_EQ(listed(), (std::vector<qint64>{a100, a1x}));
    EXPECT_TRUE(plant.run.ScheduleList.Searched);

    window->txtHinmeiCd()->clear();
    window->txtYYMMDD_Ed()->setText(QStringLiteral("2024/06/31"));
    QTest::mouseClick(window->cmdKensaku(), Qt::LeftButton);
    ASSERT_EQ(plant.prompter.said().size(), 1u);
    EXPECT_EQ(plant.prompter.said()[0].title, QStringLiteral("日付入力エラー"));
    EXPECT_EQ(plant.prompter.said()[0].text, QStringLiteral("納期終期に日付を正しく入力して下さい。"));
    EXPECT_EQ(listed(), (std::vector<qint64>{a100, a1x}));
}

TEST_F(ScheduleListWindow, HeaderClicksSortByTheColumnsValuesOneWayThenTheOther)
{
    open();
    QHeaderView *header = window->livIchiran()->header();
    const auto click = [header](int column) {
        const int x = header->sectionViewportPosition(column) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    struct Case
    {
        int column;
        std::vector<qint64> expected;
        Qt::SortOrder order;
    };
    const Case clicks[] = {
        {schedulelist::Quantity, {b200, a1x, a100}, Qt::AscendingOrder},
        {schedulelist::Quantity, {a100, a1x, b200}, Qt::DescendingOrder}, // the same header again
        {schedulelist::Quantity, {b200, a1x, a100}, Qt::AscendingOrder},
        {schedulelist::Quantity, {a100, a1x, b200}, Qt::DescendingOrder},
        {schedulelist::ItemCode, {a1x, a100, b200}, Qt::AscendingOrder}, // another header starts ascending
        {schedulelist::ItemCode, {b200, a100, a1x}, Qt::DescendingOrder},
    };
    for (const Case &c : clicks) {
        click(c.column);
        EXPECT_EQ(listed(), c.expected) << schedulelist::header(c.column).toStdString();
        EXPECT_TRUE(header->isSortIndicatorShown());
        EXPECT_EQ(header->sortIndicatorSection(), c.column);
        EXPECT_EQ(header->sortIndicatorOrder(), c.order);
    }
    keepScreenshot(*window, QStringLiteral("frmYoteiIchiran-descending.png"));

    // The next opening keeps the direction, and a click there turns it round.
    window->reject();
    open();
    EXPECT_EQ(listed(), (std::vector<qint64>{b200, a100, a1x}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    click(schedulelist::ItemCode);
    EXPECT_EQ(listed(), (std::vector<qint64>{a1x, a100, b200}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(ScheduleListWindow, ADoubleClickChoosesTheLotAndClosesTheList)
{
    open();
    QSignalSpy chosen(window.get(), &frmYoteiIchiran::lotChosen);
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, lineCentre(1));
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toLongLong(), b200);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ScheduleListWindow, TheRightButtonOnALineAsksForItsLotsMenu)
{
    open();
    QSignalSpy popup(window.get(), &frmYoteiIchiran::popupRequested);
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, lineCentre(2));
    ASSERT_EQ(popup.size(), 1);
    EXPECT_EQ(popup[0][0].toLongLong(), a1x);
    EXPECT_EQ(window->livIchiran()->currentIndex().row(), 2);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
