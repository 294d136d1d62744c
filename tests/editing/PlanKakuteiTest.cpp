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
        plant.prompter.clear();
        if (c.changed > 0)
            plant.prompter.expectAnswer(true);
        const KakuteiResult result = plant.session.confirmLots(QString::fromLatin1(c.confirm), c.scope);
        EXPECT_EQ(result.changed, c.changed);
        EXPECT_EQ(states(), c.expected);
        // The question counts the lots the press changes; none is asked when nothing would.
        if (c.changed > 0)
            EXPECT_TRUE(plant.prompter.texts().value(0).endsWith(
                QStringLiteral("\n%1件を確定します。よろしいですか？").arg(c.changed)));
        else
            EXPECT_TRUE(plant.prompter.said().empty());
        if (c.changed > 0)
            plant.path->undo(); // one press, one step
        EXPECT_EQ(states(), "121111");
    }
}

TEST_F(PlanKakuteiTest, EveryLotOfTheChartIsConfirmedOnlyAfterTheQuestionIsAnsweredYes)
{
    add(EditingPlant::M01, "1", QDate(2024, 5, 10));
    add(EditingPlant::M02, "1", QDate(2024, 5, 20));
    plant.start();

    plant.prompter.expectAnswer(false);
    const KakuteiResult declined = plant.session.confirmLots(QStringLiteral("2"), {});
    EXPECT_TRUE(declined.declined);
    EXPECT_EQ(plant.prompter.texts(),
              QStringList{QStringLiteral("機械：全機械　納期：指定なし～指定なし\n2件を確定します。よろしいですか？")});
    EXPECT_FALSE(plant.prompter.said().back().defaultYes);
    EXPECT_EQ(states(), "11");
    EXPECT_FALSE(plant.path->canUndo());

    plant.prompter.clear();
    plant.prompter.expectAnswer(true);
    const KakuteiScope m02{.machineCode = EditingPlant::M02, .allMachines = false, .lastDue = QDate(2024, 5, 20)};
    EXPECT_EQ(plant.session.confirmLots(QStringLiteral("2"), m02).changed, 1);
    EXPECT_EQ(plant.prompter.texts(),
              QStringList{QStringLiteral("機械：%1　納期：指定なし～2024/05/20\n1件を確定します。よろしいですか？")
                              .arg(EditingPlant::M02.trimmed())});
    EXPECT_EQ(states(), "12");
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
