// The bar context menu: which items a lot offers (予定に戻す from the plan list not for a
// tentative lot), the detail window it opens with the bar in
// teal, and "予定に戻す" on a lot moved since loading.

#include "DetailWindowPlant.h"
#include "dialogs/ui/PlanWindow.h"
#include "dialogs/ui/PlanPopupMenu.h"
#include "gantt/GanttChart.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class PlanPopupMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fixture.amend([](PlanRecord &r) {
            r.LoadedStartDate = QDate(2024, 5, 8);
            r.LoadedEndDate = QDate(2024, 5, 9);
            r.ConfirmState = QStringLiteral("2");
        });
        planless = plant.add({.machine = EditingPlant::M02});
        plant.amend(planless, [](PlanRecord &r) { r.ConfirmState = QStringLiteral("1"); });
        plant.start();
        chart = std::make_unique<GanttChart>(plant.store, plant.rows, plant.calendar);
        chart->setUp(15000, QDate(2024, 5, 1), QTime(8, 0), {}, 10);
        menu = std::make_unique<PlanPopupMenu>(plant.session, *chart, &window);
    }

    DetailWindowPlant fixture;
    EditingPlant &plant = fixture.plant;
    qint64 planless = 0;
    QWidget window;
    std::unique_ptr<GanttChart> chart;
    std::unique_ptr<PlanPopupMenu> menu;
};

TEST_F(PlanPopupMenuTest, TheItemsComeInOrderAndTheOrderChartNeedsAProductionPlan)
{
    QStringList captions;
    for (const QAction *action : menu->menu()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"詳細情報", "-", "生産計画別表示", "-", "予定に戻す"}));

    menu->prepare(fixture.lot, {});
    EXPECT_TRUE(menu->popOrder()->isEnabled());
    menu->prepare(planless, {});
    EXPECT_FALSE(menu->popOrder()->isEnabled());
    EXPECT_TRUE(menu->popRot()->isEnabled());
}

TEST_F(PlanPopupMenuTest, ThePlanListOffersReturningOnlyForLotsThatAreNotTentative)
{
    const struct
    {
        const char *from;
        void (PlanPopupMenu::*open)(qint64, const QPoint &);
        bool tentativeReturns;
    } menus[] = {{"plan list", &PlanPopupMenu::planListPopup, false},
                 {"schedule list", &PlanPopupMenu::gridPopup, true}};
    for (const auto &m : menus) {
        (menu.get()->*m.open)(fixture.lot, window.mapToGlobal(QPoint(5, 5)));
        EXPECT_TRUE(menu->popYotei()->isEnabled()) << m.from;
        menu->menu()->hide();
        (menu.get()->*m.open)(planless, window.mapToGlobal(QPoint(5, 5))); // tentative
        EXPECT_EQ(menu->popYotei()->isEnabled(), m.tentativeReturns) << m.from;
        menu->menu()->hide();
    }
    menu->prepare(planless, {}); // on a bar
    EXPECT_TRUE(menu->popYotei()->isEnabled());
}

TEST_F(PlanPopupMenuTest, TheDetailWindowOpensOnTheLotWithItsBarInTeal)
{
    PlanWindow *detail = menu->openDetail(fixture.lot);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->box(QStringLiteral("Text14"))->text(), QStringLiteral("5001"));
    EXPECT_EQ(chart->bar(fixture.lot).background, (RgbColor{0, 128, 128}));
    detail->close();
    menu->detailClosed(fixture.lot);
    EXPECT_NE(chart->bar(fixture.lot).background, (RgbColor{0, 128, 128}));
}

TEST_F(PlanPopupMenuTest, ReturningAMovedLotPutsItsLoadedDatesBackAtMidnight)
{
    menu->prepare(fixture.lot, {});
    menu->popYotei()->trigger();
    EXPECT_EQ(plant.startText(fixture.lot), "2024/05/08 00:00");
    EXPECT_EQ(plant.endText(fixture.lot), "2024/05/09 00:00");
    EXPECT_EQ(plant.store[fixture.lot].MachineCode, EditingPlant::M01);
    EXPECT_TRUE(plant.path->canUndo());
}

} // namespace
