#include "plan/PlanStore.h"
#include "gantt/GridPosition.h"
#include "gantt/PlanGridModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct ListLot
{
    QString machine;
    QString start; // "yyyy/MM/dd hh:mm"
    QString item = QStringLiteral("A100");
    QString name = QStringLiteral("カバー");
    QString mold = QStringLiteral("K-1");
    int display = 0;
};

class PlanGridModelTest : public ::testing::Test
{
protected:
    qint64 add(const ListLot &given)
    {
        PlanRecord lot;
        lot.MachineCode = given.machine;
        const QDateTime start = QDateTime::fromString(given.start, QStringLiteral("yyyy/MM/dd hh:mm"));
        lot.StartDate = start.date();
        lot.StartTime = start.time();
        lot.ItemCode = given.item;
        lot.DisplayItemName = given.name;
        lot.MoldShortName = given.mold;
        lot.GanttDisplayClass = given.display;
        lot.Active = 1;
        lot.ConfirmState = QStringLiteral("1");
        const qint64 index = store.append(std::move(lot));
        store[index].BarIndex = index;
        return index;
    }

    QList<qint64> listed()
    {
        model.rebuild();
        QList<qint64> lots;
        for (int row = 0; row < model.lotCount(); ++row)
            lots.append(model.lotAt(row));
        return lots;
    }

    PlanStore store;
    PlanGridModel model{store};
};

TEST_F(PlanGridModelTest, SortsByMachineCodeAsTextThenByStart)
{
    const qint64 nine = add({QStringLiteral("9"), QStringLiteral("2024/05/01 08:00")});
    const qint64 tenLate = add({QStringLiteral("10"), QStringLiteral("2024/05/02 08:00")});
    const qint64 tenEarly = add({QStringLiteral("10"), QStringLiteral("2024/05/01 09:00")});
    const qint64 tenSameDayEarlier = add({QStringLiteral("10"), QStringLiteral("2024/05/01 08:30")});
    const qint64 unassigned = add({QStringLiteral("        "), QStringLiteral("2024/06/01 00:00")});
    EXPECT_EQ(listed(), (QList<qint64>{unassigned, tenSameDayEarlier, tenEarly, tenLate, nine}));
    EXPECT_EQ(model.rowOfLot(nine), 4);
    EXPECT_EQ(model.data(model.index(1, plangrid::Key)).toString(), QStringLiteral("10      24/05/0108:30:00"));
}

TEST_F(PlanGridModelTest, SortKeyCutsLongMachineCodesToEight)
{
    PlanRecord lot;
    lot.MachineCode = QStringLiteral("ABCDEFGHIJ");
    EXPECT_EQ(plangrid::sortKey(lot), QStringLiteral("ABCDEFGH"));
}

TEST_F(PlanGridModelTest, SearchFieldsCombine)
{
    const qint64 a100 = add({QStringLiteral("M01"), QStringLiteral("2024/05/01 08:00"), QStringLiteral("A100"),
                             QStringLiteral("カバー"), QStringLiteral("K-1"), 1});
    const qint64 a1x = add({QStringLiteral("M02"), QStringLiteral("2024/05/01 08:00"), QStringLiteral("A1-X"),
                            QStringLiteral("ケース"), QStringLiteral("K-2"), 0});
    const qint64 ba1 = add({QStringLiteral("M01"), QStringLiteral("2024/05/02 08:00"), QStringLiteral("BA1"),
                            QStringLiteral("カバー"), QStringLiteral("K-1"), 1});
    const qint64 ab0 = add({QStringLiteral("M01"), QStringLiteral("2024/05/03 08:00"), QStringLiteral("AB0"),
                            QStringLiteral("カバー"), QStringLiteral("L-9"), 0});

    struct Case
    {
        PlanListSearch search;
        QList<qint64> expected;
    };
    const QList<Case> cases = {
        {{}, {a100, ba1, ab0, a1x}},
        {{QStringLiteral(" A1 ")}, {a100, a1x}},
        {{QStringLiteral("A?0")}, {a100, ab0}},
        {{QString(), QStringLiteral("カバ")}, {a100, ba1, ab0}},
        {{QString(), QString(), QStringLiteral("K")}, {a100, ba1, a1x}},
        {{QString(), QString(), QString(), true}, {a100, ba1}},
        {{QString(), QString(), QString(), false, QStringLiteral("M02")}, {a1x}},
        {{QStringLiteral("A"), QStringLiteral("カバー"), QStringLiteral("K"), true, QStringLiteral("M01")}, {a100}},
    };
    for (const Case &c : cases) {
        model.setSearch(c.search);
        EXPECT_EQ(listed(), c.expected) << c.search.itemCode.toStdString() << "/" << c.search.mold.toStdString();
    }
}

TEST_F(PlanGridModelTest, CellsShowTheLotInTheListFormats)
{
    const qint64 lot = add({QStringLiteral("M01     "), QStringLiteral("2024/05/01 08:00")});
    PlanRecord &r = store[lot];
    r.ArrangementNo = 123456;
    r.RateSequence = 20;
    r.ProcessName = QStringLiteral("成形");
    r.EndDate = QDate(2024, 5, 3);
    r.InitialDueDate = QDate(2024, 5, 10);
    r.Quantity = 1234567;
    r.ReceivedQty = 0;
    r.MoldNo = QStringLiteral("K0001");
    r.WorkMinutes = 75;
    r.Remarks = QStringLiteral("急ぎ");
    r.ConfirmState = QStringLiteral("2");
    r.GanttDisplayClass = 1;
    model.rebuild();

    const QStringList expected = {QString(), QStringLiteral("レ"), QStringLiteral("レ"), QStringLiteral("M01     "),
                                  QStringLiteral("123456"), QStringLiteral("A100"), QStringLiteral("カバー"),
                                  QStringLiteral("20"), QStringLiteral("成形"), QStringLiteral("24/05/01"),
                                  QStringLiteral("24/05/03"), QStringLiteral("24/05/10"), QStringLiteral("1,234,567"),
                                  QStringLiteral("0"), QStringLiteral("K0001"), QStringLiteral("K-1"),
                                  QStringLiteral("1.3"), QStringLiteral("急ぎ"), QString::number(lot),
                                  QStringLiteral("M01     24/05/0108:00:00")};
    ASSERT_EQ(model.columnCount(), expected.size());
    for (int c = 0; c < model.columnCount(); ++c)
        EXPECT_EQ(model.data(model.index(0, c)).toString(), expected[c]) << "column " << c;
    EXPECT_EQ(model.headerData(12, Qt::Horizontal).toString(), QStringLiteral("手配数"));
    EXPECT_EQ(model.headerData(19, Qt::Horizontal).toString(), QStringLiteral("KEY"));

    // A split's new lot has a provisional number until the save numbers it.
    r.ArrangementNo = -1;
    model.rebuild();
    EXPECT_EQ(model.data(model.index(0, plangrid::Arrangement)).toString(), QStringLiteral("新規"));
}

TEST_F(PlanGridModelTest, RowColourFollowsStoredClassThenInstructionSheet)
{
    struct Case
    {
        const char *stored;
        const char *issued;
        QVariant colour;
    };
    const Case cases[] = {
        {"1", "20240501", QVariant(uint(0xC0C0FF))},
        {"1", "00000000", QVariant(uint(0xC0C0FF))},
        {"2", "00000000", QVariant(uint(0xFFC0C0))},
        {"2", "20240501", QVariant()},
    };
    for (const Case &c : cases) {
        store.reset();
        const qint64 lot = add({QStringLiteral("M01"), QStringLiteral("2024/05/01 08:00")});
        store[lot].StoredConfirmState = QString::fromLatin1(c.stored);
        store[lot].InstructionIssueDate = QString::fromLatin1(c.issued);
        model.rebuild();
        EXPECT_EQ(model.data(model.index(0, 5), PlanGridModel::RowColourRole), c.colour) << c.stored << c.issued;
    }
}

TEST_F(PlanGridModelTest, ChangedLotsRepaintInPlaceOrReorderTheList)
{
    const qint64 first = add({QStringLiteral("M01"), QStringLiteral("2024/05/01 08:00")});
    const qint64 second = add({QStringLiteral("M01"), QStringLiteral("2024/05/02 08:00")});
    model.rebuild();
    QSignalSpy repaint(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    store[first].Remarks = QStringLiteral("x");
    model.lotsChanged({first});
    EXPECT_EQ(repaint.count(), 1);
    EXPECT_EQ(reset.count(), 0);

    store[first].StartDate = QDate(2024, 5, 3);
    model.lotsChanged({first});
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.lotAt(0), second);

    // A lot added by a split (or taken away by an undo) changes the store's size: the list follows.
    const qint64 third = add({QStringLiteral("M01"), QStringLiteral("2024/04/01 08:00")});
    model.lotsChanged({third});
    EXPECT_EQ(model.lotAt(0), third);
}

TEST(GridPositionMemory, RestoresTheRememberedCellClampedToTheList)
{
    GridPositionMemory memory;
    EXPECT_EQ(memory.restoreTarget(10, 19), (GridPosition{1, 1, 1, 1}));

    memory.rememberIfEmpty({8, 12, 5, 3});
    memory.rememberIfEmpty({2, 2, 1, 1}); // already remembered: kept
    EXPECT_EQ(memory.restoreTarget(20, 19), (GridPosition{8, 12, 5, 3}));
    // The list got shorter: the cursor goes to the last row.
    EXPECT_EQ(memory.restoreTarget(6, 19), (GridPosition{6, 12, 5, 3}));

    memory.remember({4, 2, 7, 9}); // scrolled below the cursor: the cursor's row and column show
    EXPECT_EQ(memory.restoreTarget(20, 19), (GridPosition{4, 2, 4, 2}));

    memory.forget();
    EXPECT_TRUE(memory.empty());
    EXPECT_EQ(memory.restoreTarget(20, 19), (GridPosition{1, 1, 1, 1}));
}

} // namespace
