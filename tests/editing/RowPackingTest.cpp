// Packing a machine row: which rows may be packed, the question and the count, the packed
// starts on the grid, lots that stay (begun before the period, locked), end-fixed lots packed
// like free ones, a lot taken off before a later fixed lot, one undo step for the row; and a
// property over random rows.

#include "EditingPlant.h"
#include "calendar/GridRounding.h"
#include "editing/LotRules.h"
#include "editing/RowPacking.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

constexpr int RowM01 = 2;

class RowPackingTest : public ::testing::Test
{
protected:
    // A lot of M01 with an arrangement number of its own.
    qint64 lot(const QString &start, qint64 minutes, const QString &fixed = QStringLiteral("0"))
    {
        const qint64 index = plant.add({.start = start, .minutes = minutes, .fixed = fixed});
        plant.amend(index, [&](PlanRecord &r) { r.ArrangementNo = 1000 + index; });
        return index;
    }

    void start() { plant.start(); }
    // The session's packing, which the row labels and scripts use.
    const RowPacking &rowPacking() { return plant.session.packing(); }

    // The first shift of the period's first day on M01.
    void firstShiftAt(const QTime &time)
    {
        plant.amendDay(RowM01, 2, [&](CalendarDay &day) { day.shiftTimes[0] = time; });
    }

    // Packs M01, answering Yes.
    void pack()
    {
        plant.prompter.expectAnswer(true);
        rowPacking().pack(RowM01);
    }

    EditingPlant plant;
};

TEST_F(RowPackingTest, OnlyMachineRowsArePacked)
{
    lot(QStringLiteral("2024/05/03 10:00"), 60);
    start();
    const PlanStore before = plant.store;
    for (const int row : {1, 5, 7}) { // the unassigned row, a subcontractor row, an empty row
        SCOPED_TRACE(row);
        plant.prompter.clear();
        rowPacking().pack(row);
        EXPECT_EQ(plant.prompter.texts(), QStringList{packing::NotOnUnplanned});
    }
    EXPECT_EQ(plant.store[2], before[2]);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(RowPackingTest, TheQuestionDefaultsToNoAndNoChangesNothing)
{
    const qint64 a = lot(QStringLiteral("2024/05/03 10:00"), 60);
    start();
    plant.prompter.expectAnswer(false);
    rowPacking().pack(RowM01);
    ASSERT_EQ(plant.prompter.said().size(), 1u);
    EXPECT_EQ(plant.prompter.said()[0].text, packing::AskPack);
    EXPECT_FALSE(plant.prompter.said()[0].defaultYes);
    EXPECT_EQ(plant.startText(a), "2024/05/03 10:00");
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(RowPackingTest, AnEmptyRowCountsNoLots)
{
    start();
    pack();
    EXPECT_EQ(plant.prompter.texts(), (QStringList{packing::AskPack, QStringLiteral("0件")}));
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(RowPackingTest, LotsFollowEachOtherOneMinuteAfterTheGridRoundedEndAsOneUndoStep)
{
    const qint64 c = lot(QStringLiteral("2024/05/20 10:00"), 30);
    const qint64 a = lot(QStringLiteral("2024/05/03 10:00"), 60);
    const qint64 b = lot(QStringLiteral("2024/05/07 10:00"), 45);
    const qint64 elsewhere = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/04 10:00")});
    plant.amend(elsewhere, [](PlanRecord &r) { r.ArrangementNo = 99; });
    const qint64 noArrangement = plant.add({.start = QStringLiteral("2024/05/30 10:00")});
    firstShiftAt(QTime(8, 0));
    start();
    const PlanStore before = plant.store;
    pack();
    EXPECT_EQ(plant.prompter.texts(), (QStringList{packing::AskPack, QStringLiteral("3件")}));
    EXPECT_EQ(plant.startText(a), "2024/05/01 08:01");
    EXPECT_EQ(plant.endText(a), "2024/05/01 09:01");
    EXPECT_EQ(plant.startText(b), "2024/05/01 09:11");
    EXPECT_EQ(plant.startText(c), "2024/05/01 10:01");
    EXPECT_EQ(plant.endText(c), "2024/05/01 10:31");
    EXPECT_EQ(plant.store[a].MembersWritten, 1);
    EXPECT_EQ(plant.store[elsewhere], before[elsewhere]);
    EXPECT_EQ(plant.store[noArrangement], before[noArrangement]);

    plant.path->undo();
    for (const qint64 i : {a, b, c})
        EXPECT_EQ(plant.store[i], before[i]);
    EXPECT_FALSE(plant.path->canUndo());
}

TEST_F(RowPackingTest, PackingStartsAtTheFirstShiftOrElseAtTheDayStart)
{
    const qint64 a = lot(QStringLiteral("2024/05/03 10:00"), 60);
    firstShiftAt(QTime(9, 15));
    start();
    pack();
    EXPECT_EQ(plant.startText(a), "2024/05/01 09:21") << "09:15 rounded up to the grid, plus a minute";

    plant.path->undo();
    plant.amendDay(RowM01, 2, [](CalendarDay &day) { day.shiftTimes[0] = QTime(0, 0); });
    pack();
    EXPECT_EQ(plant.startText(a), "2024/05/01 08:01") << "no shift that day: the day start";
}

TEST_F(RowPackingTest, LotsThatStayAreFollowed)
{
    // Begun before the period, ending 09:25 on its first day.
    const qint64 early = lot(QStringLiteral("2024/04/30 23:25"), 600);
    const qint64 a = lot(QStringLiteral("2024/05/02 08:00"), 60);
    const qint64 locked = lot(QStringLiteral("2024/05/03 12:00"), 120, QStringLiteral("2"));
    const qint64 b = lot(QStringLiteral("2024/05/04 08:00"), 30);
    const qint64 endFixed = lot(QStringLiteral("2024/05/09 08:00"), 30, QStringLiteral("1"));
    start();
    pack();
    EXPECT_EQ(plant.startText(early), "2024/04/30 23:25");
    EXPECT_EQ(plant.startText(a), "2024/05/01 09:31");
    EXPECT_EQ(plant.startText(locked), "2024/05/03 12:00");
    EXPECT_EQ(plant.startText(b), "2024/05/03 14:01") << "after the locked lot's end";
    EXPECT_EQ(plant.startText(endFixed), "2024/05/03 14:41") << "an end-fixed lot is packed like a free one";
    EXPECT_EQ(plant.store[endFixed].MachineCode, EditingPlant::M01);
}

TEST_F(RowPackingTest, ALotThatWouldRunIntoALaterFixedLotLeavesTheMachine)
{
    const qint64 longLot = lot(QStringLiteral("2024/05/01 08:30"), 120);
    const qint64 shortLot = lot(QStringLiteral("2024/05/01 08:40"), 30);
    const qint64 locked = lot(QStringLiteral("2024/05/01 09:00"), 30, QStringLiteral("2"));
    start();
    pack();
    const PlanRecord &off = plant.store[longLot];
    EXPECT_EQ(off.MachineCode, lots::blankMachine());
    EXPECT_EQ(off.ConfirmState, QStringLiteral("1"));
    EXPECT_EQ(off.SchedulerFixed, QStringLiteral("0"));
    EXPECT_EQ(plant.startText(shortLot), "2024/05/01 08:01") << "packed from where the long lot would have started";
    EXPECT_EQ(plant.startText(locked), "2024/05/01 09:00");
}

TEST_F(RowPackingTest, APressWithoutWorkingTimeStillEnds)
{
    const qint64 a = lot(QStringLiteral("2024/05/03 10:00"), 60);
    start();
    // No working span on any day of M01: the lot runs after the calendar's last day.
    plant.amendCalendar([](WorkCalendar &days) {
        for (qint64 k = 0; k <= days.periodDays(); ++k)
            days.day(RowM01, k)->hourly = DaySpans();
    });
    pack();
    EXPECT_EQ(plant.startText(a), "2024/05/01 08:01");
    EXPECT_GT(plant.store[a].EndDate, plant.calendar.dateOf(plant.calendar.periodDays()));
}

// After packing any row, the packed lots that stay on it do not overlap one another nor a
// lot that stayed, and each starts one minute after the grid-rounded latest end of the lots
// of the row that end before it (or of the packing start).
TEST(RowPackingProperty, PackedLotsFollowTheLotBeforeThem)
{
    QRandomGenerator random(20240510);
    qint64 checked = 0;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        EditingPlant plant;
        const int count = int(random.bounded(1, 25));
        for (int i = 0; i < count; ++i) {
            const QDateTime start = EditingPlant::at(QStringLiteral("2024/04/29 00:00"))
                                        .addSecs(qint64(random.bounded(0, 12 * 24 * 60)) * 60);
            const char *fixed[] = {"0", "0", "0", "1", "2"};
            const qint64 index = plant.add({.start = start.toString(QStringLiteral("yyyy/MM/dd hh:mm")),
                                            .minutes = qint64(random.bounded(0, 600)),
                                            .fixed = QString::fromLatin1(fixed[random.bounded(5)]),
                                            .quantity = qint64(random.bounded(1, 4))});
            plant.amend(index, [&](PlanRecord &r) { r.ArrangementNo = index; });
        }
        plant.start();
        const RowPacking &packing = plant.session.packing();
        const PlanStore before = plant.store;
        plant.prompter.expectAnswer(true);
        packing.pack(RowM01);

        const QDateTime first = packing.packingStart(RowM01);
        std::vector<qint64> stayedOnRow, packed;
        for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
            const PlanRecord &lot = plant.store[i];
            if (lot.MachineCode != EditingPlant::M01)
                continue;
            const bool stays = before[i].StartDate < plant.run.periodStartDate() || before[i].isLocked();
            (stays ? stayedOnRow : packed).push_back(i);
            if (stays) {
                EXPECT_EQ(lot, before[i]);
            }
        }
        std::vector<qint64> all = stayedOnRow;
        all.insert(all.end(), packed.begin(), packed.end());
        for (const qint64 p : packed) {
            const PlanRecord &lot = plant.store[p];
            QDateTime latest = first;
            for (const qint64 q : all) {
                const PlanRecord &other = plant.store[q];
                if (q == p)
                    continue;
                if (lots::endKey(other) < lots::startKey(lot))
                    latest = std::max(latest, lots::endInstant(other));
                else
                    EXPECT_GE(lots::startKey(other), lots::endKey(lot)) << "lots " << p << " and " << q << " overlap";
            }
            EXPECT_EQ(lots::startInstant(lot), RoundToGrid(latest, plant.run.GridUnitMinutes).addSecs(60)) << p;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000) << "the rounds packed lots";
}

} // namespace
