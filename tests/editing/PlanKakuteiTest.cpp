// The bulk confirmation panel: which lots one press of "確定" or "予定" changes.

#include "EditingPlant.h"
#include "editing/PlanKakutei.h"

#include <gtest/gtest.h>

namespace {

class PlanKakuteiTest : public ::testing::Test
{
protected:
    qint64 add(const QString &machine, const QString &stored, const QDate &due, const QString &supplier = QStringLiteral("            "))
    {
        const qint64 lot = plant.add({.machine = machine, .supplier = supplier, .confirm = stored});
        plant.amend(lot, [&](PlanRecord &r) { r.StoredConfirmState = stored; });
        plant.amend(lot, [&](PlanRecord &r) { r.DueDate = due; });
        return lot;
    }
    QString states() const
    {
        QString out;
        for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
            out += plant.store[i].ConfirmState;
        return out;
    }

    EditingPlant plant;
};

TEST_F(PlanKakuteiTest, ChoosesLotsByMachineAndInclusiveDueRange)
{
    add(EditingPlant::M01, "1", QDate(2024, 5, 10));
    add(EditingPlant::M01, "2", QDate(2024, 5, 10));                           // confirmed in the database
    add(QStringLiteral("        "), "1", QDate(2024, 5, 15), EditingPlant::S01); // on a subcontractor row
    add(EditingPlant::M02, "1", QDate(2024, 5, 20));
    add(EditingPlant::M01, "1", QDate(2024, 5, 21));
    add(EditingPlant::M01, "1", QDate());                                    // no due date
    plant.start();

    struct Case
    {
        const char *confirm;
        KakuteiScope scope;
        const char *expected;
        qint64 changed;
    };
    const Case cases[] = {
        {"2", {}, "222222", 5},
        {"2", {.firstDue = QDate(2024, 5, 15), .lastDue = QDate(2024, 5, 20)}, "122211", 2},
        {"2", {.firstDue = QDate(2024, 5, 20)}, "121221", 2},
        {"2", {.lastDue = QDate(2024, 5, 10)}, "221111", 1},
        {"2", {.machineCode = EditingPlant::M01, .allMachines = false}, "221122", 3},
        {"2", {.machineCode = EditingPlant::S01, .allMachines = false}, "121111", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FunPlanKakutei(*plant.path, QString::fromLatin1(c.confirm), c.scope), c.changed);
        EXPECT_EQ(states(), c.expected);
        if (c.changed > 0)
            plant.path->undo(); // one press, one step
        EXPECT_EQ(states(), "121111");
    }
}

TEST_F(PlanKakuteiTest, TentativeNeverUndoesAConfirmationStoredInTheDatabase)
{
    const qint64 stored = add(EditingPlant::M01, "2", QDate(2024, 5, 10));
    const qint64 ticked = add(EditingPlant::M01, "1", QDate(2024, 5, 10));
    plant.amend(ticked, [&](PlanRecord &r) { r.ConfirmState = QStringLiteral("2"); });
    plant.start();

    const KakuteiScope scope{.machineCode = EditingPlant::M01, .allMachines = false, .firstDue = QDate(2024, 5, 10),
                             .lastDue = QDate(2024, 5, 10)};
    EXPECT_EQ(FunPlanKakutei(*plant.path, QStringLiteral("1"), scope), 1);
    EXPECT_EQ(plant.store[stored].ConfirmState, "2");
    EXPECT_EQ(plant.store[ticked].ConfirmState, "1");
    EXPECT_EQ(plant.store[ticked].MembersWritten, 1) << "saving must write the new class";
    EXPECT_EQ(plant.store[stored].MembersWritten, 0);
}

} // namespace
