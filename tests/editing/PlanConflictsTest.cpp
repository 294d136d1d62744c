// The plan's conflicts and the machines' load as the planner's actions leave them: overlaps
// made by a No to the push-back question, the mold rule shared with the save's question, and
// each machine day's load against a minute-by-minute count, on random plans and edits.

#include "EditingPlant.h"
#include "calendar/WorkingDay.h"
#include "editing/LotRules.h"
#include "editing/MoldOverlap.h"
#include "persist/SaveChecks.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

using Kind = PlanConflict::Kind;

const PlanWatch &watch(EditingPlant &plant) { return plant.session.watch(); }

bool drop(EditingPlant &plant, qint64 lot, const QString &row, const QString &moment)
{
    return plant.session.drop(lot, row, EditingPlant::at(moment));
}

TEST(PlanConflictsTest, ANoToThePushBackLeavesAnOverlapThatMovingTheLotAwayClears)
{
    EditingPlant plant;
    const qint64 lot = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/10 09:00"), .minutes = 90});
    const qint64 later = plant.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60});
    plant.start();
    EXPECT_EQ(watch(plant).conflicts().count(), 0);

    plant.prompter.expectAnswer(false);
    ASSERT_TRUE(drop(plant, lot, EditingPlant::M01, QStringLiteral("2024/05/10 09:00")));
    EXPECT_EQ(plant.prompter.texts(), QStringList{insertion::AskPushLaterBack});
    const PlanConflicts &conflicts = watch(plant).conflicts();
    EXPECT_EQ(conflicts.count(), 1);
    EXPECT_EQ(conflicts.conflicts(), (std::vector<PlanConflict>{{Kind::Row, lot, later}}));
    EXPECT_TRUE(conflicts.isMarked(lot));
    EXPECT_TRUE(conflicts.isMarked(later));
    EXPECT_EQ(PlanConflicts::overlapMinutes(plant.store, conflicts.conflicts().front()), 30);

    ASSERT_TRUE(drop(plant, lot, EditingPlant::M03, QStringLiteral("2024/05/10 09:00")));
    EXPECT_EQ(conflicts.count(), 0);
    EXPECT_FALSE(conflicts.isMarked(lot));
    EXPECT_FALSE(conflicts.isMarked(later));

    plant.path->undo();
    EXPECT_EQ(conflicts.count(), 1) << "undoing the move brings the overlap back";
}

TEST(PlanConflictsTest, MergedAwayAndHiddenLotsOverlapNothing)
{
    for (const bool merged : {true, false}) {
        SCOPED_TRACE(merged);
        EditingPlant plant;
        const qint64 lot = plant.add({.start = QStringLiteral("2024/05/10 09:00"), .minutes = 90});
        plant.add({.start = QStringLiteral("2024/05/10 10:00"), .minutes = 60});
        plant.start();
        EXPECT_EQ(watch(plant).conflicts().count(), 1);
        Edit edit = plant.path->beginAction(QStringLiteral("変更"));
        edit.change(lot, [merged](PlanRecord &r) {
            if (merged)
                r.Active = 0;
            else
                r.DetailMark = 1;
        });
        edit.commit();
        EXPECT_EQ(watch(plant).conflicts().count(), 0);
    }
}

TEST(PlanConflictsTest, AMoldOnTwoMachinesAtOnceIsMarkedAndCountedAsTheSaveCountsIt)
{
    EditingPlant plant;
    const qint64 a = plant.add({.machine = EditingPlant::M01, .start = QStringLiteral("2024/05/10 09:00"), .minutes = 120});
    const qint64 b = plant.add({.machine = EditingPlant::M02, .start = QStringLiteral("2024/05/12 10:00"), .minutes = 60});
    for (const qint64 lot : {a, b})
        plant.amend(lot, [](PlanRecord &r) { r.MoldNo = QStringLiteral("K-100"); });
    plant.start();
    EXPECT_EQ(watch(plant).conflicts().count(), 0);

    ASSERT_TRUE(drop(plant, b, EditingPlant::M02, QStringLiteral("2024/05/10 10:00")));
    const PlanConflicts &conflicts = watch(plant).conflicts();
    EXPECT_EQ(conflicts.conflicts(), (std::vector<PlanConflict>{{Kind::Mold, a, b}}));
    EXPECT_TRUE(conflicts.isMarked(a));
    EXPECT_EQ(conflicts.moldQuestionCount(), 1);
    EXPECT_EQ(conflicts.moldQuestionCount(), moldOverlapCount(plant.store));
}

TEST(PlanConflictsTest, ALotWaitingOnTheStripHoldsNoMoldUntilItIsPlacedOnAPress)
{
    EditingPlant plant;
    const qint64 onPress = plant.add({.machine = EditingPlant::M01, .start = QStringLiteral("2024/05/10 09:00"), .minutes = 240});
    const qint64 waiting = plant.add({.machine = QStringLiteral("        "), .start = QStringLiteral("2024/05/10 10:00")});
    for (const qint64 lot : {onPress, waiting})
        plant.amend(lot, [](PlanRecord &r) { r.MoldNo = QStringLiteral("K-100"); });
    plant.start();
    const PlanConflicts &conflicts = watch(plant).conflicts();
    EXPECT_EQ(conflicts.count(), 0);
    EXPECT_TRUE(conflicts.conflicts().empty());
    EXPECT_FALSE(conflicts.isMarked(onPress));
    EXPECT_FALSE(conflicts.isMarked(waiting));

    // Placed on a second press at the same time it needs the mold M01 holds.
    ASSERT_TRUE(drop(plant, waiting, EditingPlant::M02, QStringLiteral("2024/05/10 10:00")));
    EXPECT_EQ(conflicts.count(), 1);
    EXPECT_EQ(conflicts.conflicts(), (std::vector<PlanConflict>{{Kind::Mold, onPress, waiting}}));
    EXPECT_TRUE(conflicts.isMarked(waiting));

    plant.path->undo();
    EXPECT_EQ(conflicts.count(), 0) << "back on the strip it waits again";
    EXPECT_TRUE(conflicts.conflicts().empty());
}

// Every pair of lots, looked at one by one.
std::vector<PlanConflict> scannedConflicts(const EditingPlant &plant)
{
    const auto rowOf = [&](const PlanRecord &lot) {
        const double top = plant.rows.RowLookup(lot.MachineCode, lot.SupplierCode);
        return lot.Active > 0 && lot.DetailMark == 0 && top > ChartRows::FirstTop ? top : 0.0;
    };
    const auto waits = [&](const PlanRecord &lot) {
        return lot.Active > 0 && plant.rows.waitsOnStrip(lot.MachineCode, lot.SupplierCode);
    };
    std::vector<PlanConflict> found;
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i)
        for (qint64 j = i + 1; j <= plant.store.lastIndex(); ++j) {
            const PlanRecord &a = plant.store[i];
            const PlanRecord &b = plant.store[j];
            if (!molds::timesOverlap(lots::startKey(a), lots::endKey(a), lots::startKey(b), lots::endKey(b)))
                continue;
            const bool sameRow = rowOf(a) != 0 && rowOf(a) == rowOf(b);
            if (sameRow)
                found.push_back({Kind::Row, i, j});
            if (!sameRow && !waits(a) && !waits(b) && molds::needsMold(a) && molds::needsMold(b) && a.MoldNo == b.MoldNo
                && (molds::holdsMoldOnMachine(a) || molds::holdsMoldOnMachine(b)))
                found.push_back({Kind::Mold, i, j});
        }
    std::sort(found.begin(), found.end());
    return found;
}

// A plant of random lots on the machines, the subcontractors and the strip.
void addRandomLots(EditingPlant &plant, std::mt19937 &random, int count)
{
    const QString machines[] = {EditingPlant::M01, EditingPlant::M02, EditingPlant::M03, QStringLiteral("        ")};
    for (int n = 0; n < count; ++n) {
        const QDateTime start = EditingPlant::at(QStringLiteral("2024/05/08 00:00")).addSecs(60 * 10 * (random() % 1000));
        const qint64 lot = plant.add({.machine = machines[random() % 4],
                                      .supplier = random() % 5 == 0 ? EditingPlant::S01 : QStringLiteral("            "),
                                      .start = start.toString(QStringLiteral("yyyy/MM/dd hh:mm")),
                                      .minutes = qint64(random() % 3000),
                                      .placed = quint8(random() % 2)});
        plant.amend(lot, [&](PlanRecord &r) {
            const int mold = int(random() % 5);
            r.MoldNo = mold == 0 ? QStringLiteral("  ") : QStringLiteral("K%1").arg(mold);
            r.Active = random() % 10 == 0 ? 0 : 1;
            r.DetailMark = random() % 10 == 0 ? 1 : 0;
        });
    }
}

// One random planner action on one lot: new times, machine, mold, state or changed flag.
void randomEdit(EditingPlant &plant, std::mt19937 &random)
{
    const qint64 lot = 2 + qint64(random() % quint32(plant.store.lastIndex() - 1));
    Edit edit = plant.path->beginAction(QStringLiteral("変更"));
    edit.change(lot, [&](PlanRecord &r) {
        switch (random() % 5) {
        case 0: {
            const QDateTime start = lots::startInstant(r).addSecs(60 * (qint64(random() % 2000) - 1000));
            lots::setStart(r, start);
            lots::setEnd(r, start.addSecs(60 * qint64(random() % 3000)));
            break;
        }
        case 1: r.MachineCode = random() % 2 ? EditingPlant::M02 : EditingPlant::M03; break;
        case 2: r.MoldNo = QStringLiteral("K%1").arg(random() % 5); break;
        case 3: r.Active = 1 - r.Active; break;
        default: r.MembersWritten = quint8(random() % 2); break;
        }
    });
    edit.commit();
}

TEST(PlanConflictsTest, KeptConflictsAndTheSaveMoldCountMatchAPlainScanOnRandomPlans)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        EditingPlant plant;
        addRandomLots(plant, random, 30);
        plant.start();
        for (int step = 0; step < 30; ++step) {
            if (step % 7 == 6)
                plant.path->undo();
            else
                randomEdit(plant, random);
            const PlanConflicts &conflicts = watch(plant).conflicts();
            ASSERT_EQ(conflicts.conflicts(), scannedConflicts(plant)) << "step " << step;
            ASSERT_EQ(conflicts.count(), qint64(conflicts.conflicts().size()));
            ASSERT_EQ(conflicts.moldQuestionCount(), moldOverlapCount(plant.store)) << "step " << step;
        }
    }
}

// Random working spans for one day: up to three, in order within the working day.
DaySpans randomSpans(std::mt19937 &random, const QTime &dayStart)
{
    DaySpans spans;
    int at = int(random() % 300);
    const int count = int(random() % 4);
    for (int n = 0; n < count && at < 1440; ++n) {
        const int end = std::min(1440, at + 1 + int(random() % 600));
        spans.append(workday::timeAtOffset(at * 60, dayStart), workday::timeAtOffset(end * 60, dayStart));
        at = end + int(random() % 200);
    }
    return spans;
}

// Each machine day's planned minutes, counted minute by minute over each lot's run.
std::map<std::pair<int, qint64>, qint64> countedLoad(const EditingPlant &plant)
{
    const WorkCalendar &calendar = plant.calendar;
    const qint64 firstDay = lots::instantKey(calendar.dateOf(0), calendar.dayStart());
    std::map<std::pair<int, qint64>, qint64> load;
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
        const PlanRecord &lot = plant.store[i];
        const int row = plant.rows.rowOfCode(lot.MachineCode);
        if (lot.Active == 0 || lot.DetailMark != 0 || !plant.rows.isMachineRow(row))
            continue;
        for (qint64 minute = lots::startKey(lot); minute < lots::endKey(lot); minute += 60) {
            const qint64 day = (minute - firstDay) / 86400;
            const CalendarDay *calendarDay = calendar.day(row, day);
            if (!calendarDay || minute < firstDay)
                continue;
            const qint64 offset = minute - firstDay - day * 86400;
            for (int s = 0; s < calendarDay->hourly.size(); ++s)
                if (offset >= workday::startOffset(calendarDay->hourly.start(s), calendar.dayStart())
                    && offset < workday::endOffset(calendarDay->hourly.end(s), calendar.dayStart()))
                    ++load[{row, day}];
        }
    }
    return load;
}

void expectLoadAsCounted(const EditingPlant &plant, const MachineLoad &load)
{
    const auto counted = countedLoad(plant);
    for (int row = 2; row <= plant.rows.lastMachineRow(); ++row)
        for (qint64 day = 0; day <= plant.calendar.periodDays(); ++day) {
            const auto found = counted.find({row, day});
            ASSERT_EQ(load.plannedMinutes(row, day), found == counted.end() ? 0 : found->second)
                << "row " << row << " day " << day;
        }
}

TEST(PlanConflictsTest, EachMachineDaysLoadIsItsLotsWorkingMinutesCountedOneByOne)
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        EditingPlant plant;
        addRandomLots(plant, random, 20);
        plant.start();
        plant.amendCalendar([&](WorkCalendar &days) {
            for (int row = 2; row <= days.lastMachineRow(); ++row)
                for (qint64 k = 0; k <= days.periodDays(); ++k)
                    days.day(row, k)->hourly = randomSpans(random, days.dayStart());
        });
        const MachineLoad &load = watch(plant).load();
        expectLoadAsCounted(plant, load);
        for (int step = 0; step < 12; ++step) {
            if (step % 3 == 2) {
                Edit edit = plant.path->beginAction(QStringLiteral("稼働時間変更"));
                edit.changeDay(2 + int(random() % 3), 7 + qint64(random() % 10),
                               [&](CalendarDay &d) { d.hourly = randomSpans(random, plant.calendar.dayStart()); });
                edit.commit();
            } else {
                randomEdit(plant, random);
            }
            expectLoadAsCounted(plant, load);
        }
    }
}

TEST(PlanConflictsTest, ADaysWorkingMinutesAndPercentComeFromItsSpans)
{
    EditingPlant plant;
    plant.add({.start = QStringLiteral("2024/05/10 08:00"), .minutes = 1440 + 720});
    plant.start();
    const qint64 day = 11; // 2024/05/10
    const MachineLoad &load = watch(plant).load();
    EXPECT_EQ(load.workingMinutes(2, day), 1440);
    EXPECT_EQ(load.percent(2, day), 100);
    EXPECT_EQ(load.percent(2, day + 1), 50);
    EXPECT_EQ(load.percent(3, day), 0);
    const auto setSpans = [&](const DaySpans &spans) {
        Edit edit = plant.path->beginAction(QStringLiteral("稼働時間変更"));
        edit.changeDay(2, day, [&](CalendarDay &d) { d.hourly = spans; });
        edit.commit();
    };
    DaySpans dayShift;
    dayShift.append(QTime(8, 0), QTime(20, 0));
    setSpans(dayShift);
    EXPECT_EQ(load.workingMinutes(2, day), 720);
    EXPECT_EQ(load.plannedMinutes(2, day), 720);
    setSpans(DaySpans());
    EXPECT_EQ(load.percent(2, day), -1);
}

} // namespace
