// Edits made in the plan list: the ticks, the machine, quantity and remarks cells, and a row
// dragged onto another row. Each edit is one undo step.

#include "EditingPlant.h"
#include "editing/LotDrop.h"
#include "editing/LotRules.h"
#include "editing/PlanGridEdit.h"
#include "gantt/PlanGridColumns.h"

#include <gtest/gtest.h>

namespace {

using Outcome = PlanGridEdit::Outcome;

class PlanGridEditTest : public ::testing::Test
{
protected:
    // A lot whose rate makes 100 pieces one hour of work.
    qint64 add(LotSpec given)
    {
        const qint64 lot = plant.add(given);
        plant.amend(lot, [&](PlanRecord &r) { r.SecondsPerPiece = 36; });
        plant.amend(lot, [&](PlanRecord &r) { r.LoadedStartDate = QDate(2024, 5, 1); });
        plant.amend(lot, [&](PlanRecord &r) { r.LoadedEndDate = QDate(2024, 5, 2); });
        return lot;
    }
    void start()
    {
        plant.start();
        edit = std::make_unique<PlanGridEdit>(*plant.path, *plant.insertion, plant.rows, *plant.time, plant.run,
                                              plant.prompter);
    }
    const PlanRecord &lot(qint64 index) const { return plant.store[index]; }

    EditingPlant plant;
    std::unique_ptr<PlanGridEdit> edit;
};

TEST_F(PlanGridEditTest, TicksFlipAndUntickingConfirmationLeavesTentative)
{
    const qint64 a = add({.confirm = QStringLiteral("0")});
    start();
    edit->toggleConfirm(a);
    EXPECT_EQ(lot(a).ConfirmState, "2");
    EXPECT_EQ(lot(a).MembersWritten, 1);
    edit->toggleConfirm(a);
    EXPECT_EQ(lot(a).ConfirmState, "1");

    edit->toggleDisplay(a);
    EXPECT_EQ(lot(a).GanttDisplayClass, 1);
    edit->toggleDisplay(a);
    EXPECT_EQ(lot(a).GanttDisplayClass, 0);

    // Every click is its own step.
    for (int i = 0; i < 3; ++i)
        plant.path->undo();
    EXPECT_EQ(lot(a).ConfirmState, "2");
    plant.path->undo();
    EXPECT_EQ(lot(a).ConfirmState, "0");
    EXPECT_FALSE(plant.path->canUndo());
    EXPECT_FALSE(plant.path->saveEnabled());
}

TEST_F(PlanGridEditTest, TypedMachineIsUpperCasedAndTheLotQueuesBehindThatMachinesLastLot)
{
    add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/12 09:00"), .minutes = 83});
    const qint64 a = add({.start = QStringLiteral("2024/05/10 08:00")});
    start();

    EXPECT_EQ(edit->FunUpdatePlanInfoFromGrid(a, plangrid::Machine, QStringLiteral(" m02 ")), Outcome::MachineChanged);
    EXPECT_EQ(lot(a).MachineCode.trimmed(), "M02");
    EXPECT_EQ(lot(a).MachineCode, EditingPlant::M02) << "the row's own code, so the lot matches its row exactly";
    EXPECT_EQ(plant.startText(a), "2024/05/12 10:33"); // last end 10:23 + the 10-minute grid unit
    EXPECT_EQ(plant.endText(a), "2024/05/12 11:33");
    EXPECT_TRUE(plant.prompter.texts().isEmpty());

    plant.path->undo();
    EXPECT_EQ(lot(a).MachineCode, EditingPlant::M01);
    EXPECT_EQ(plant.startText(a), "2024/05/10 08:00");
}

TEST_F(PlanGridEditTest, UnknownMachineIsRefusedWithTheMessageAndChangesNothing)
{
    const qint64 a = add({});
    start();
    EXPECT_EQ(edit->FunUpdatePlanInfoFromGrid(a, plangrid::Machine, QStringLiteral("x99")), Outcome::Rejected);
    EXPECT_EQ(plant.prompter.texts(), QStringList{gridedit::UnknownMachine});
    EXPECT_EQ(lot(a).MachineCode, EditingPlant::M01);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(PlanGridEditTest, ClearingTheMachineSendsTheLotToTheStripWithItsSavedDates)
{
    const qint64 a = add({.start = QStringLiteral("2024/05/10 08:00")});
    const qint64 fixed = add({.start = QStringLiteral("2024/05/11 08:00"), .fixed = QStringLiteral("1")});
    start();

    EXPECT_EQ(edit->FunUpdatePlanInfoFromGrid(a, plangrid::Machine, QStringLiteral("  ")), Outcome::MachineChanged);
    EXPECT_TRUE(lot(a).MachineCode.trimmed().isEmpty());
    EXPECT_TRUE(lots::rowKey(lot(a)).isEmpty());
    EXPECT_EQ(plant.startText(a), "2024/05/01 00:00");
    EXPECT_EQ(plant.endText(a), "2024/05/02 00:00");
    EXPECT_EQ(lot(a).WorkMinutes, 60);

    // An end-fixed lot may not go back to the strip.
    EXPECT_EQ(edit->FunUpdatePlanInfoFromGrid(fixed, plangrid::Machine, QString()), Outcome::Unchanged);
    EXPECT_EQ(plant.prompter.texts(), QStringList{dropping::EndFixedNotUnassigned});
    EXPECT_EQ(lot(fixed).MachineCode, EditingPlant::M01);
}

TEST_F(PlanGridEditTest, QuantityTextBecomesTheQuantityAndTheLotIsReplaced)
{
    const qint64 a = add({.start = QStringLiteral("2024/05/10 08:00")});
    const qint64 strip = add({.machine = QStringLiteral("        "), .start = QStringLiteral("2024/05/10 08:00")});
    start();

    struct Case
    {
        const char *typed;
        qint64 quantity;
        const char *end;
    };
    const Case cases[] = {
        {"1,500", 1500, "2024/05/10 23:00"}, {" 200 ", 200, "2024/05/10 10:00"}, {"12.5", 12, "2024/05/10 08:08"},
        {"０", 0, "2024/05/10 16:00"}, // 0 minutes of work plan a default 480
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(edit->FunUpdatePlanInfoFromGrid(a, plangrid::Quantity, QString::fromUtf8(c.typed)), Outcome::Changed);
        EXPECT_EQ(lot(a).Quantity, c.quantity);
        EXPECT_EQ(lot(a).SaveMark, 1);
        EXPECT_EQ(plant.endText(a), c.end);
    }

    // A lot without machine or destination keeps its times.
    edit->FunUpdatePlanInfoFromGrid(strip, plangrid::Quantity, QStringLiteral("500"));
    EXPECT_EQ(lot(strip).Quantity, 500);
    EXPECT_EQ(plant.endText(strip), "2024/05/10 09:00");
}

TEST_F(PlanGridEditTest, AQuantityThatIsNoNumberIsRefusedAndChangesNothing)
{
    // Read as the database reads a column, each of these gave 0 pieces: a deleted arrangement
    // once saved.
    const qint64 a = add({.start = QStringLiteral("2024/05/10 08:00")});
    start();
    const PlanRecord before = lot(a);
    for (const char *typed : {"abc", "", " ", "-5", "1e3", "12abc", "1000000000", "１O0"}) {
        SCOPED_TRACE(typed);
        plant.prompter.clear();
        EXPECT_EQ(plant.session.editListCell(a, plangrid::Quantity, QString::fromUtf8(typed)), Outcome::Rejected);
        EXPECT_EQ(plant.prompter.texts(), QStringList{gridedit::BadQuantity});
        EXPECT_EQ(lot(a), before);
        EXPECT_FALSE(plant.path->canUndo());
    }
}

TEST_F(PlanGridEditTest, RemarksAreTrimmed)
{
    const qint64 a = add({});
    start();
    edit->FunUpdatePlanInfoFromGrid(a, plangrid::Remarks, QStringLiteral("  至急 "));
    EXPECT_EQ(lot(a).Remarks, "至急");
    EXPECT_EQ(lot(a).MembersWritten, 1);
}

TEST_F(PlanGridEditTest, DraggedRowQueuesBehindTheTargetLotAndPushesTheRestBack)
{
    const qint64 target = add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/12 09:00"), .minutes = 83});
    const qint64 later = add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/12 10:30")});
    const qint64 dragged = add({.start = QStringLiteral("2024/05/10 08:00")});
    const qint64 onStrip = add({.machine = QStringLiteral("        "), .start = QStringLiteral("2024/05/20 08:00")});
    start();

    plant.prompter.expectAnswer(true); // push the later lot back
    EXPECT_TRUE(edit->queueBehind(dragged, target));
    EXPECT_EQ(lot(dragged).MachineCode, EditingPlant::M02);
    EXPECT_EQ(plant.startText(dragged), "2024/05/12 10:23");
    EXPECT_EQ(plant.endText(dragged), "2024/05/12 11:23");
    EXPECT_EQ(plant.startText(later), "2024/05/12 11:31");
    EXPECT_EQ(plant.prompter.texts(), QStringList{insertion::AskPushLaterBack});

    // One step undoes the move and the push-back.
    plant.path->undo();
    EXPECT_EQ(plant.startText(later), "2024/05/12 10:30");
    EXPECT_EQ(lot(dragged).MachineCode, EditingPlant::M01);

    EXPECT_FALSE(edit->queueBehind(dragged, onStrip));
    EXPECT_FALSE(edit->queueBehind(dragged, dragged));
    EXPECT_TRUE(plant.path->canRedo()) << "a refused drag leaves no step behind";
}

} // namespace
