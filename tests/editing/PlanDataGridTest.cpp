// The plan list window driven as a planner would: typing into the machine cell, a refused
// code, the remarks editor, a tick, and a row dragged by its handle onto another row.

#include "EditingPlant.h"
#include "editing/LotRules.h"
#include "editing/ui/PlanDataGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PlanDataGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        target = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/12 09:00"), .minutes = 83});
        lot = plant.add({.start = QStringLiteral("2024/05/10 08:00")});
        other = plant.add({.start = QStringLiteral("2024/05/11 08:00")});
        for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
            plant.amend(i, [](PlanRecord &r) { r.SecondsPerPiece = 36; }); // 100 pieces an hour
        plant.start();
        model = std::make_unique<PlanGridModel>(plant.store);
        QObject::connect(plant.path, &EditPath::recordsChanged, model.get(), &PlanGridModel::lotsChanged);
        grid = std::make_unique<PlanDataGrid>(*model, plant.session);
        grid->resize(900, 300);
        grid->show();
        grid->refresh();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    }

    QPoint cellCentre(qint64 of, int column) const
    {
        const QModelIndex index = model->index(model->rowOfLot(of), column);
        grid->scrollTo(index);
        return grid->visualRect(index).center();
    }
    void goTo(qint64 of, int column)
    {
        grid->setCurrentIndex(model->index(model->rowOfLot(of), column));
        grid->setFocus();
    }

    EditingPlant plant;
    qint64 target = 0, lot = 0, other = 0;
    std::unique_ptr<PlanGridModel> model;
    std::unique_ptr<PlanDataGrid> grid;
};

TEST_F(PlanDataGridTest, TypingAMachineCodeMovesTheLotAndTheCursorGoesDown)
{
    goTo(lot, plangrid::Machine);
    QTest::keyClicks(grid.get(), QStringLiteral("m"));
    ASSERT_TRUE(grid->editor()->isVisible());
    QTest::keyClicks(grid->editor(), QStringLiteral("02"));
    QTest::keyClick(grid->editor(), Qt::Key_Return);

    EXPECT_FALSE(grid->editor()->isVisible());
    EXPECT_EQ(plant.store[lot].MachineCode, EditingPlant::M02);
    EXPECT_EQ(plant.startText(lot), "2024/05/12 10:33");
    // The list follows at once: the lot now sorts after the target and shows its new machine.
    EXPECT_EQ(model->rowOfLot(lot), model->rowOfLot(target) + 1);
    EXPECT_EQ(model->data(model->index(model->rowOfLot(lot), plangrid::Machine)).toString(), EditingPlant::M02);
    EXPECT_TRUE(plant.path->canUndo());
}

TEST_F(PlanDataGridTest, AnUnknownCodeOrAQuantityThatIsNoNumberKeepsTheEditorOpenWithTheTypedText)
{
    const struct
    {
        int column;
        QString cell;
        const char *typed;
        QString message;
    } cases[] = {{plangrid::Machine, EditingPlant::M01, "zz9", gridedit::UnknownMachine},
                 {plangrid::Quantity, QStringLiteral("100"), "abc", gridedit::BadQuantity}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        plant.prompter.clear();
        const PlanRecord before = plant.store[lot];
        goTo(lot, c.column);
        const int row = grid->currentIndex().row();
        QTest::keyClick(grid.get(), Qt::Key_Return); // opens with the cell's text selected
        ASSERT_TRUE(grid->editor()->isVisible());
        EXPECT_EQ(grid->editor()->selectedText(), c.cell);
        QTest::keyClicks(grid->editor(), QString::fromLatin1(c.typed));
        QTest::keyClick(grid->editor(), Qt::Key_Tab);

        EXPECT_EQ(plant.prompter.texts(), QStringList{c.message});
        EXPECT_TRUE(grid->editor()->isVisible());
        EXPECT_EQ(grid->editor()->text(), c.typed);
        EXPECT_EQ(grid->currentIndex().row(), row);
        EXPECT_EQ(plant.store[lot], before);

        QTest::keyClick(grid->editor(), Qt::Key_Escape);
        EXPECT_FALSE(grid->editor()->isVisible());
        EXPECT_FALSE(plant.path->canUndo());
    }
}

TEST_F(PlanDataGridTest, RemarksByDoubleClickAndTheConfirmTickByClick)
{
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(other, plangrid::Remarks));
    ASSERT_TRUE(grid->editor()->isVisible());
    grid->editor()->insert(QStringLiteral(" 型替え ")); // typed through the input method
    QTest::keyClick(grid->editor(), Qt::Key_Up);
    EXPECT_EQ(plant.store[other].Remarks, "型替え");

    plant.amend(other, [](PlanRecord &r) { r.ConfirmState.clear(); });
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(other, plangrid::Confirm));
    EXPECT_EQ(plant.store[other].ConfirmState, "2");
    EXPECT_EQ(model->data(model->index(model->rowOfLot(other), plangrid::Confirm)).toString(), "レ");
}

TEST_F(PlanDataGridTest, ARowDraggedByItsHandleQueuesBehindTheRowItIsDroppedOn)
{
    QWidget *handle = grid->verticalHeader()->viewport();
    const int fromY = cellCentre(other, plangrid::Machine).y();
    const int toY = cellCentre(target, plangrid::Machine).y();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, fromY));
    EXPECT_TRUE(grid->findChild<QWidget *>(QStringLiteral("GridDragLineP"))->isVisible());
    QTest::mouseMove(handle, QPoint(5, toY));
    EXPECT_TRUE(grid->findChild<QWidget *>(QStringLiteral("GridDragLine"))->isVisible());
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(5, toY));

    EXPECT_FALSE(grid->findChild<QWidget *>(QStringLiteral("GridDragLineP"))->isVisible());
    EXPECT_EQ(plant.store[other].MachineCode, EditingPlant::M02);
    EXPECT_EQ(plant.startText(other), "2024/05/12 10:23");
    EXPECT_EQ(model->rowOfLot(other), model->rowOfLot(target) + 1);
}

} // namespace
