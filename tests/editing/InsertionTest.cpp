// Inserting a lot into its row: the row it takes, the earlier lot it may start after, the
// later lots pushed back behind it, fixed lots, and the automatic placement after loading.

#include "EditingPlant.h"
#include "editing/AutoPlacement.h"
#include "editing/LotRules.h"

#include <gtest/gtest.h>

namespace {

const QString Blank8 = QStringLiteral("        ");
const QString Blank12 = QStringLiteral("            ");

class InsertionTest : public ::testing::Test
{
protected:
    qint64 add(LotSpec given) { return plant.add(given); }

    // One drop-like action: the lot is inserted on `row` and the action committed.
    void insert(qint64 lot, const QString &row, const QString &destination = QString())
    {
        Edit edit = plant.path->beginAction(QStringLiteral("ドロップ"));
        plant.insertion->Insert_PlanBarStep2(edit, plant.store[lot].BarIndex, row, destination);
        edit.commit();
    }

    QStringList said() const { return plant.prompter.texts(); }

    EditingPlant plant;
};

TEST_F(InsertionTest, AYesStartsTheLotOneMinuteAfterTheEarlierEndRoundedToTheGrid)
{
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        EditingPlant fresh;
        const qint64 earlier = fresh.add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
        const qint64 lot = fresh.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60,
                                      .confirm = QStringLiteral("1")});
        fresh.start();
        fresh.prompter.expectAnswer(yes);
        Edit edit = fresh.path->beginAction(QStringLiteral("ドロップ"));
        fresh.insertion->Insert_PlanBarStep2(edit, lot, EditingPlant::M01, QString());
        edit.commit();
        EXPECT_EQ(fresh.prompter.texts(), QStringList{insertion::AskStartAfterEarlier});
        EXPECT_EQ(fresh.startText(lot), yes ? "2024/05/10 10:30" : "2024/05/10 10:00");
        EXPECT_EQ(fresh.endText(lot), yes ? "2024/05/10 11:30" : "2024/05/10 11:00");
        EXPECT_EQ(fresh.endText(earlier), "2024/05/10 10:23");
    }
}

TEST_F(InsertionTest, StartingAfterALotThatEndsLateCarriesIntoTheNextDate)
{
    add({.start = QStringLiteral("2024/05/10 23:00"), .minutes = 55});
    const qint64 lot = add({.start = QStringLiteral("2024/05/10 23:30"), .confirm = QStringLiteral("1")});
    plant.start();
    plant.prompter.expectAnswer(true);
    insert(lot, EditingPlant::M01);
    EXPECT_EQ(plant.startText(lot), "2024/05/11 00:00");
}

TEST_F(InsertionTest, LaterLotsArePushedOneMinuteAfterTheRoundedEndBeforeThem)
{
    const qint64 lot = add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/10 09:00"),
                            .minutes = 83});
    const qint64 first = add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60});
    const qint64 second = add({.start = QStringLiteral("2024/05/10 10:50"), .minutes = 30});
    const qint64 clear = add({.start = QStringLiteral("2024/05/10 14:00"), .minutes = 30});
    plant.start();
    plant.prompter.expectAnswer(true);
    insert(lot, EditingPlant::M01);

    EXPECT_EQ(said(), QStringList{insertion::AskPushLaterBack});
    EXPECT_EQ(plant.store[lot].MachineCode, EditingPlant::M01);
    EXPECT_EQ(plant.endText(lot), "2024/05/10 10:23");
    EXPECT_EQ(plant.startText(first), "2024/05/10 10:31");
    EXPECT_EQ(plant.endText(first), "2024/05/10 11:31");
    EXPECT_EQ(plant.startText(second), "2024/05/10 11:41");
    EXPECT_EQ(plant.startText(clear), "2024/05/10 14:00") << "a lot clear of the one before stops the push";
    EXPECT_EQ(plant.store[first].MembersWritten, 1);
    EXPECT_EQ(plant.store[clear].MembersWritten, 0);

    plant.path->undo();
    EXPECT_EQ(plant.startText(first), "2024/05/10 10:00");
    EXPECT_EQ(plant.store[first].MembersWritten, 0);
    EXPECT_EQ(plant.store[lot].MachineCode, EditingPlant::M02);
}

TEST_F(InsertionTest, ANoToThePushLeavesTheOverlap)
{
    const qint64 lot = add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
    const qint64 later = add({.start = QStringLiteral("2024/05/10 10:00")});
    plant.start();
    plant.prompter.expectAnswer(false);
    insert(lot, EditingPlant::M01);
    EXPECT_EQ(plant.startText(later), "2024/05/10 10:00");
}

// Lots with the same start go by work minutes when both have some and they differ, else by
// quantity; the one pushed first starts at 10:31.
TEST_F(InsertionTest, LaterLotsWithTheSameStartGoByWorkMinutesThenQuantity)
{
    struct Case
    {
        qint64 minutesA, quantityA, minutesB, quantityB;
        bool bFirst;
    };
    const Case cases[] = {
        {60, 100, 30, 100, true},  // smaller work minutes first
        {30, 500, 60, 100, false}, // work minutes decide before quantity
        {60, 200, 60, 100, true},  // equal minutes: smaller quantity
        {0, 200, 30, 100, true},   // one without minutes: quantity decides
        {0, 100, 30, 200, false},
        {60, 100, 60, 100, false}, // a full tie keeps store order
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.minutesA << "/" << c.quantityA << " vs " << c.minutesB << "/" << c.quantityB);
        EditingPlant fresh;
        const qint64 lot = fresh.add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
        const qint64 a = fresh.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = c.minutesA,
                                    .quantity = c.quantityA});
        const qint64 b = fresh.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = c.minutesB,
                                    .quantity = c.quantityB});
        fresh.start();
        fresh.prompter.expectAnswer(true);
        Edit edit = fresh.path->beginAction(QStringLiteral("ドロップ"));
        fresh.insertion->Insert_PlanBarStep2(edit, lot, EditingPlant::M01, QString());
        edit.commit();
        EXPECT_EQ(fresh.startText(c.bFirst ? b : a), "2024/05/10 10:31");
    }
}

TEST_F(InsertionTest, AFixedFirstLaterLotStopsThePushWithItsMessage)
{
    for (const QString &fixed : {QStringLiteral("1"), QStringLiteral("2")}) {
        EditingPlant fresh;
        const qint64 lot = fresh.add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
        const qint64 pinned = fresh.add({.start = QStringLiteral("2024/05/10 10:00"), .fixed = fixed});
        const qint64 behind = fresh.add({.start = QStringLiteral("2024/05/10 10:10")});
        fresh.start();
        fresh.prompter.expectAnswer(true);
        Edit edit = fresh.path->beginAction(QStringLiteral("ドロップ"));
        fresh.insertion->Insert_PlanBarStep2(edit, lot, EditingPlant::M01, QString());
        edit.commit();
        EXPECT_EQ(fresh.prompter.texts(), (QStringList{insertion::AskPushLaterBack, insertion::FixedFirstLater}));
        EXPECT_EQ(fresh.startText(pinned), "2024/05/10 10:00");
        EXPECT_EQ(fresh.startText(behind), "2024/05/10 10:10");
    }
}

TEST_F(InsertionTest, APushedLotThatWouldRunIntoAFixedLotLeavesTheMachine)
{
    const qint64 lot = add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
    const qint64 pushed = add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60});
    const qint64 pinned = add({.start = QStringLiteral("2024/05/10 11:00"), .fixed = QStringLiteral("1")});
    plant.start();
    plant.prompter.expectAnswer(true);
    insert(lot, EditingPlant::M01);
    EXPECT_EQ(plant.startText(pushed), "2024/05/10 10:31");
    EXPECT_EQ(plant.store[pushed].MachineCode, Blank8);
    EXPECT_EQ(plant.startText(pinned), "2024/05/10 11:00");
    EXPECT_EQ(said(), QStringList{insertion::AskPushLaterBack}) << "only a fixed first lot is reported";
}

TEST_F(InsertionTest, APushedLotEndingJustWhereAFixedLotStartsKeepsItsMachine)
{
    const qint64 lot = add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
    const qint64 pushed = add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60});
    add({.start = QStringLiteral("2024/05/10 11:31"), .fixed = QStringLiteral("2")});
    plant.start();
    plant.prompter.expectAnswer(true);
    insert(lot, EditingPlant::M01);
    EXPECT_EQ(plant.endText(pushed), "2024/05/10 11:31");
    EXPECT_EQ(plant.store[pushed].MachineCode, EditingPlant::M01);
}

TEST_F(InsertionTest, TentativeLotsNobodyPlacedAreNeverAskedAboutNorPushed)
{
    const qint64 earlier = add({.start = QStringLiteral("2024/05/10 08:30"), .confirm = QStringLiteral("1")});
    const qint64 lot = add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 83});
    const qint64 later = add({.start = QStringLiteral("2024/05/10 10:00"), .confirm = QStringLiteral("1")});
    const qint64 mergedAway = add({.start = QStringLiteral("2024/05/10 10:05")});
    plant.amend(mergedAway, [&](PlanRecord &r) { r.Active = 0; });
    plant.start();
    insert(lot, EditingPlant::M01);
    EXPECT_TRUE(said().isEmpty());
    EXPECT_EQ(plant.startText(lot), "2024/05/10 09:00");
    EXPECT_EQ(plant.startText(later), "2024/05/10 10:00");
    EXPECT_EQ(plant.startText(mergedAway), "2024/05/10 10:05");
    EXPECT_EQ(plant.startText(earlier), "2024/05/10 08:30");
}

TEST_F(InsertionTest, InBatchModeOnlyTheEarlierLotIsAskedAbout)
{
    add({.start = QStringLiteral("2024/05/10 08:00"), .minutes = 75});
    const qint64 lot = add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 60});
    const qint64 later = add({.start = QStringLiteral("2024/05/10 09:50"), .minutes = 30});
    plant.start();
    PlanInsertion batch(plant.rows, *plant.time, plant.run, plant.prompter);
    batch.setBatch(true);
    plant.prompter.expectAnswer(true);
    Edit edit = plant.path->beginAction(QStringLiteral("ドロップ"));
    batch.Insert_PlanBarStep2(edit, plant.store[lot].BarIndex, EditingPlant::M01, QString());
    edit.commit();
    EXPECT_EQ(said(), QStringList{insertion::AskStartAfterEarlier});
    EXPECT_EQ(plant.startText(lot), "2024/05/10 09:20");
    EXPECT_EQ(plant.startText(later), "2024/05/10 10:21");
}

// Row resolution and assignment: what machine and subcontractor codes a lot ends with.
TEST_F(InsertionTest, TheLotTakesTheMachineOrSubcontractorOfItsRow)
{
    struct Case
    {
        const char *name;
        QString machine, supplier, row, destination;
        QString wantMachine, wantSupplier;
    };
    const Case cases[] = {
        {"machine to subcontractor", EditingPlant::M01, Blank12, EditingPlant::S01, {}, Blank8, EditingPlant::S01},
        {"subcontractor to machine", Blank8, EditingPlant::S01, EditingPlant::M02, {}, EditingPlant::M02, Blank12},
        {"machine keeps a destination that is no row", EditingPlant::M01, QStringLiteral("X99"),
         EditingPlant::M02, {}, EditingPlant::M02, QStringLiteral("X99")},
        {"below the last row", EditingPlant::M01, Blank12, QString(), {}, Blank8, Blank12},
        {"below the last row from a subcontractor", Blank8, EditingPlant::S02, QString(), {}, Blank8, Blank12},
        {"a destination given by the caller", EditingPlant::M01, Blank12, EditingPlant::M03,
         QStringLiteral("X77"), EditingPlant::M03, QStringLiteral("X77")},
        {"onto the unassigned row", EditingPlant::M01, EditingPlant::S01, Blank8, {}, Blank8, Blank12},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EditingPlant fresh;
        const qint64 lot = fresh.add({.machine = c.machine, .supplier = c.supplier});
        fresh.start();
        Edit edit = fresh.path->beginAction(QStringLiteral("ドロップ"));
        fresh.insertion->Insert_PlanBarStep2(edit, lot, c.row, c.destination);
        edit.commit();
        EXPECT_EQ(fresh.store[lot].MachineCode, c.wantMachine);
        EXPECT_EQ(fresh.store[lot].SupplierCode, c.wantSupplier);
    }
}

TEST_F(InsertionTest, LotsOnASubcontractorRowPushEachOtherBack)
{
    const qint64 lot = add({.machine = Blank8, .supplier = EditingPlant::S01, .start = QStringLiteral("2024/05/10 09:00"),
                            .minutes = 83});
    const qint64 later = add({.machine = Blank8, .supplier = QStringLiteral("S01   "),
                              .start = QStringLiteral("2024/05/10 10:00")});
    const qint64 machineLot = add({.start = QStringLiteral("2024/05/10 10:00")});
    plant.start();
    plant.prompter.expectAnswer(true);
    insert(lot, EditingPlant::S01);
    EXPECT_EQ(plant.startText(later), "2024/05/10 10:31");
    EXPECT_EQ(plant.startText(machineLot), "2024/05/10 10:00");
}

TEST_F(InsertionTest, TheLatestEndOnAMachineCountsConfirmedAndPlacedLotsOfThatExactCode)
{
    add({.start = QStringLiteral("2024/05/10 08:00"), .minutes = 60});
    const qint64 placed = add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60,
                               .confirm = QStringLiteral("1"), .placed = 1});
    add({.start = QStringLiteral("2024/05/10 20:00"), .confirm = QStringLiteral("1")});
    add({.machine = QStringLiteral("M01"), .start = QStringLiteral("2024/05/11 08:00")});
    plant.start();
    const auto last = [&](const QString &code) {
        return FunGetMachineLastDate(plant.path->index(), plant.store, code);
    };
    EXPECT_EQ(last(EditingPlant::M01), EditingPlant::at(QStringLiteral("2024/05/10 11:00")));
    EXPECT_EQ(last(QStringLiteral("M01")), EditingPlant::at(QStringLiteral("2024/05/11 09:00")));
    EXPECT_FALSE(last(QString()).isValid());
    EXPECT_FALSE(last(EditingPlant::M03).isValid());

    Edit edit = plant.path->beginAction(QStringLiteral("移動"));
    edit.change(placed, [](PlanRecord &r) { r.MachineCode = EditingPlant::M02; });
    edit.commit();
    EXPECT_EQ(last(EditingPlant::M01), EditingPlant::at(QStringLiteral("2024/05/10 09:00")));
    plant.path->undo();
    EXPECT_EQ(last(EditingPlant::M01), EditingPlant::at(QStringLiteral("2024/05/10 11:00")));
}

TEST_F(InsertionTest, PlacementAfterLoadingPutsTentativeLotsBehindTheirMachineAndLeavesNoStep)
{
    add({.start = QStringLiteral("2024/05/10 08:00"), .minutes = 240});
    const qint64 first = add({.start = QStringLiteral("2024/05/01 00:00"), .minutes = 60, .confirm = QStringLiteral("1")});
    const qint64 waiting = add({.machine = Blank8, .start = QStringLiteral("2024/05/01 00:00"),
                                .confirm = QStringLiteral("1")});
    const qint64 second = add({.start = QStringLiteral("2024/05/01 00:00"), .minutes = 30, .confirm = QStringLiteral("1")});
    const qint64 alone = add({.machine = EditingPlant::M03, .start = QStringLiteral("2024/05/20 07:00"),
                              .minutes = 10, .confirm = QStringLiteral("1")});
    for (int i = 0; i < 115; ++i)
        add({.machine = Blank8, .confirm = QStringLiteral("1")});
    plant.start();

    QStringList progress;
    PlanInsertion placing(plant.rows, *plant.time, plant.run, plant.prompter);
    FunPlanDataYoteiBarSet(*plant.path, placing, plant.rows, plant.run,
                           [&](const QString &text) { progress << text; });

    EXPECT_EQ(plant.startText(first), "2024/05/10 12:01");
    EXPECT_EQ(plant.endText(first), "2024/05/10 13:01");
    EXPECT_EQ(plant.startText(second), "2024/05/10 13:02");
    EXPECT_EQ(plant.startText(alone), "2024/05/20 07:00") << "the first lot of a machine keeps its start";
    EXPECT_EQ(plant.store[first].MembersWritten, 1);
    EXPECT_EQ(plant.startText(waiting), "2024/05/01 00:00");
    EXPECT_EQ(plant.store[waiting].MembersWritten, 0);
    EXPECT_FALSE(plant.path->canUndo());
    EXPECT_FALSE(plant.path->saveEnabled());
    EXPECT_FALSE(plant.insertion->batch());
    EXPECT_TRUE(said().isEmpty());
    EXPECT_EQ(progress, (QStringList{
                            QStringLiteral("計画データを配置しています。しばらくお待ちください．．．50／121"),
                            QStringLiteral("計画データを配置しています。しばらくお待ちください．．．100／121"),
                            QStringLiteral("計画データの配置が完了しました。120／121"),
                        }));
}

} // namespace
