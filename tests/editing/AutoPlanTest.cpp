// 自動計画 on random small plants: after planning, a plain checker written here (its own
// shift table, its own minute count, its own overlap tests) finds every hard rule kept, the
// lots the planner must leave alone untouched, the lots it could not place named and on the
// strip; undo gives back the plan exactly and planning again gives the same plan. The cycle
// rows are read from the plant database, on SQLite and PostgreSQL.

#include "EditingPlant.h"
#include "db/RowWriter.h"
#include "db/Rows.h"
#include "editing/LotRules.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

const QString Items[] = {QStringLiteral("ITEM-A"), QStringLiteral("ITEM-B"), QStringLiteral("ITEM-C"),
                         QStringLiteral("ITEM-D")};
const QString Molds[] = {QString(), QStringLiteral("K1"), QStringLiteral("K2"), QStringLiteral("K3")};
const QDateTime PeriodFirst = EditingPlant::at(QStringLiteral("2024/05/01 08:00"));
const QDateTime PeriodEnd = EditingPlant::at(QStringLiteral("2024/07/01 08:00"));

// The working minutes of machine row `row` on day index `k`, as minutes after 08:00: some days
// off, some two shifts with a lunch break, the rest around the clock.
std::vector<std::pair<int, int>> shiftsOf(int row, qint64 k)
{
    switch ((row * 3 + k) % 7) {
    case 0:
        return {};
    case 1:
    case 4:
        return {{0, 240}, {300, 540}};
    default:
        return {{0, 720}, {720, 1440}};
    }
}

bool working(int row, const QDateTime &moment)
{
    const QDateTime dayBegin = EditingPlant::at(QStringLiteral("2024/04/29 08:00"));
    const qint64 minutes = dayBegin.secsTo(moment) / 60;
    const qint64 k = minutes >= 0 ? minutes / 1440 : -1;
    if (k < 0)
        return false;
    for (const auto &[from, to] : shiftsOf(row, k))
        if (minutes % 1440 >= from && minutes % 1440 < to)
            return true;
    return false;
}

// The moment after `minutes` working minutes from `start`, counted minute by minute.
QDateTime countedEnd(int row, QDateTime at, qint64 minutes)
{
    for (qint64 left = minutes == 0 ? 480 : minutes; left > 0; at = at.addSecs(60))
        if (working(row, at))
            --left;
    return at;
}

bool overlap(const PlanRecord &a, const PlanRecord &b)
{
    return lots::endKey(a) > lots::startKey(b) && lots::endKey(b) > lots::startKey(a);
}

class AutoPlanTest : public testing::TestWithParam<TestPlant::Backend>
{
};

struct RandomPlant
{
    std::map<std::pair<QString, QString>, double> cycles; // (item, machine) -> cycle
    std::set<qint64> leaveAlone;                          // lots the planner must not touch
    AutoPlanOptions options;
};

RandomPlant build(EditingPlant &plant, Database &db, quint32 seed)
{
    QRandomGenerator random(seed);
    RandomPlant made;
    write(db, QStringLiteral("DELETE FROM DB0492"));
    const QString machines[] = {EditingPlant::M01, EditingPlant::M02, EditingPlant::M03};
    for (const QString &item : Items) {
        if (item == Items[3])
            continue; // an item without cycle rows stays on its stored machine
        for (const QString &machine : machines)
            if (random.bounded(3) != 0) {
                const double cycle = 10 + random.bounded(50);
                made.cycles[{item, machine.trimmed()}] = cycle;
                insertRow(db, QStringLiteral("DB0492"),
                          {{QStringLiteral("品名コード"), item}, {QStringLiteral("順序"), 1},
                           {QStringLiteral("機械コード"), machine}, {QStringLiteral("サイクル"), cycle}});
            }
    }
    plant.amendCalendar([](WorkCalendar &days) {
        for (int row = 2; row <= days.lastMachineRow(); ++row)
            for (qint64 k = 0; k <= days.periodDays(); ++k) {
                days.day(row, k)->hourly = DaySpans();
                for (const auto &[from, to] : shiftsOf(row, k))
                    days.day(row, k)->hourly.append(QTime(8, 0).addSecs(from * 60), QTime(8, 0).addSecs(to * 60));
            }
    });
    const int count = 12 + int(random.bounded(20));
    for (int n = 0; n < count; ++n) {
        LotSpec spec;
        const int kind = int(random.bounded(10));
        spec.machine = machines[random.bounded(3)];
        spec.start = PeriodFirst.addSecs(qint64(random.bounded(50 * 24)) * 3600 - 3 * 24 * 3600)
                         .toString(QStringLiteral("yyyy/MM/dd hh:mm"));
        spec.minutes = 60 + random.bounded(900);
        spec.confirm = kind < 3 ? QStringLiteral("2") : QStringLiteral("1");
        if (kind == 3)
            spec.fixed = random.bounded(2) ? QStringLiteral("1") : QStringLiteral("2");
        if (kind == 8) {
            spec.machine = lots::blankMachine(); // waiting on the strip
        }
        if (kind == 9) {
            spec.machine = lots::blankMachine(); // at a subcontractor
            spec.supplier = EditingPlant::S01;
        }
        const qint64 lot = plant.add(spec);
        const int item = int(random.bounded(4));
        const bool started = kind == 4 && random.bounded(2);
        plant.amend(lot, [&](PlanRecord &record) {
            record.ArrangementNo = 1000 + n;
            record.ItemCode = record.RateItemCode = Items[item];
            record.RateSequence = 1;
            record.StoredMachineCode = spec.machine;
            record.Cavities = random.bounded(3);
            record.Quantity = 100 + random.bounded(2000);
            record.MoldNo = Molds[random.bounded(4)];
            record.InitialDueDate = QDate(2024, 5, 3).addDays(random.bounded(60));
            if (started)
                record.ReceivedQty = 10;
            if (n > 0 && random.bounded(5) == 0)
                record.ParentArrangementNo = 1000 + random.bounded(n); // its next process, an earlier lot
        });
        const bool beforePeriod = lots::startInstant(plant.lot(lot)) < PeriodFirst;
        if (kind < 4 || started || kind == 9 || (kind != 8 && beforePeriod))
            made.leaveAlone.insert(lot);
    }
    made.options.replanTentative = random.bounded(4) != 0;
    made.options.stockDays = int(random.bounded(3)) * 5;
    if (random.bounded(4) == 0)
        made.options.machines = {EditingPlant::M01.trimmed(), EditingPlant::M03.trimmed()};
    if (!made.options.replanTentative)
        for (qint64 i = 2; i < 2 + count; ++i)
            if (plant.lot(i).MachineCode != lots::blankMachine())
                made.leaveAlone.insert(i);
    if (!made.options.machines.isEmpty())
        for (qint64 i = 2; i < 2 + count; ++i)
            if (plant.lot(i).MachineCode == EditingPlant::M02)
                made.leaveAlone.insert(i);
    plant.start();
    return made;
}

// Every hard rule over the lots the planner moved; the failures as text.
std::vector<std::string> broken(const EditingPlant &plant, const PlanStore &before, const RandomPlant &made,
                                const AutoPlanReport &report)
{
    std::vector<std::string> faults;
    const auto fault = [&faults](qint64 lot, const std::string &what) {
        faults.push_back("lot " + std::to_string(lot) + ": " + what);
    };
    std::set<qint64> named;
    for (const LeftLot &left : report.left)
        named.insert(left.lot);
    const PlanStore &store = plant.store;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &now = store[i];
        const PlanRecord &was = before[i];
        if (made.leaveAlone.count(i)) {
            if (!(now == was))
                fault(i, "was to be left alone and changed");
            continue;
        }
        if (named.count(i)) {
            if (now.OnStrip != 1)
                fault(i, "named as left but not on the strip");
            continue;
        }
        if (now == was) {
            if (now.OnStrip)
                fault(i, "waits on the strip unnamed");
            continue;
        }
        const int row = plant.rows.rowOfCode(now.MachineCode);
        if (!plant.rows.isMachineRow(row)) {
            fault(i, "moved off the presses");
            continue;
        }
        const QString press = now.MachineCode.trimmed();
        const auto cycle = made.cycles.find({now.ItemCode, press});
        bool anyCycle = false;
        for (const auto &[key, value] : made.cycles)
            anyCycle = anyCycle || key.first == now.ItemCode;
        if (!made.options.machines.isEmpty() && !made.options.machines.contains(press))
            fault(i, "on a press not chosen");
        if (anyCycle ? cycle == made.cycles.end() : press != was.StoredMachineCode.trimmed())
            fault(i, "on a press that cannot run it");
        const bool samePress = press == was.MachineCode.trimmed() || press == was.StoredMachineCode.trimmed();
        const qint64 minutes = samePress || cycle == made.cycles.end()
            ? was.WorkMinutes
            : qint64(std::ceil(cycle->second / double(std::max<qint64>(1, was.Cavities)) * double(was.Quantity) / 60.0));
        if (now.WorkMinutes != minutes)
            fault(i, "works " + std::to_string(now.WorkMinutes) + " minutes, not " + std::to_string(minutes));
        const QDateTime start = lots::startInstant(now);
        if (start.time().minute() % 10 != 0 || start.time().second() != 0)
            fault(i, "starts off the grid");
        if (!working(row, start))
            fault(i, "starts outside working time");
        if (start < PeriodFirst || lots::endInstant(now) > PeriodEnd)
            fault(i, "runs outside the period");
        if (lots::endInstant(now) != countedEnd(row, start, now.SetupMinutes + now.WorkMinutes))
            fault(i, "ends at " + EditingPlant::text(now.EndDate, now.EndTime) + ", not after its working minutes at "
                         + countedEnd(row, start, now.SetupMinutes + now.WorkMinutes).toString().toStdString());
        for (qint64 j = 2; j <= store.lastIndex(); ++j) {
            const PlanRecord &other = store[j];
            if (j == i || other.Active <= 0 || other.OnStrip)
                continue;
            if (other.MachineCode == now.MachineCode && overlap(now, other))
                fault(i, "overlaps lot " + std::to_string(j) + " on its press");
            if (!now.MoldNo.isEmpty() && other.MoldNo == now.MoldNo && overlap(now, other))
                fault(i, "needs its mold while lot " + std::to_string(j) + " has it");
            if (other.ParentArrangementNo == now.ArrangementNo && lots::endKey(other) > lots::startKey(now))
                fault(i, "starts before its earlier process, lot " + std::to_string(j) + ", ends");
            if (now.ParentArrangementNo == other.ArrangementNo && lots::endKey(now) > lots::startKey(other))
                fault(i, "ends after its later process, lot " + std::to_string(j) + ", starts");
        }
    }
    return faults;
}

TEST_P(AutoPlanTest, KeepsEveryRuleLeavesFixedLotsAndUndoesExactly)
{
    TestPlant database(GetParam());
    for (quint32 seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        EditingPlant plant(&database.db());
        const RandomPlant made = build(plant, database.db(), seed);
        const PlanStore before = plant.store;
        const AutoPlanReport report = plant.session.autoPlan(made.options);
        ASSERT_TRUE(report.ran);
        const std::vector<std::string> faults = broken(plant, before, made, report);
        for (const std::string &fault : faults)
            ADD_FAILURE() << fault;
        const PlanStore after = plant.store;
        bool changed = false;
        for (qint64 i = 2; i <= before.lastIndex(); ++i)
            changed = changed || !(plant.store[i] == before[i]);
        if (!changed)
            continue;
        ASSERT_EQ(plant.path->undoText(), QStringLiteral("自動計画"));
        ASSERT_TRUE(plant.session.undo());
        for (qint64 i = 2; i <= before.lastIndex(); ++i)
            ASSERT_TRUE(plant.store[i] == before[i]) << "lot " << i << " not restored by undo";
        // The same plant and options give the same plan.
        plant.session.autoPlan(made.options);
        for (qint64 i = 2; i <= after.lastIndex(); ++i)
            ASSERT_TRUE(plant.store[i] == after[i]) << "lot " << i << " placed differently the second time";
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, AutoPlanTest, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
