#include "DemoLots.h"

#include "common/PlantValues.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace demo {

namespace {

const QString NoMachine = QString(8, u' ');

// How the planner's plan is spread around the period start.
constexpr int PlanFromDays = -14;   // the running plan started two weeks ago
constexpr int HorizonDays = 49;     // lots are placed on machines seven weeks ahead
constexpr int DueFromDays = -10;    // due dates of the open plans
constexpr int DueToDays = 75;

qint64 workMinutesOf(const Step &step, qint64 quantity)
{
    const double seconds = step.molding ? step.cycle / step.cavities : step.secondsPerPiece;
    const qint64 minutes = plant::ceilWhole(seconds * double(quantity) / 60.0);
    return plant::roundHalfEven(double(minutes) / std::max(1, step.persons));
}

// Chooses where a lot of a step runs: one of the three smallest molding machines big enough
// for the item, any machine of the class, or now and then an outside subcontractor.
void chooseResource(Lot &lot, const Masters &masters, const Item &item, const Step &step, DemoRandom &random)
{
    QList<int> machines = masters.machinesOfClass(step.classCode);
    const QList<int> subcontractors = masters.subcontractorsOfClass(step.classCode);
    if (step.molding) {
        QList<int> fitting;
        for (int m : machines)
            if (masters.machines[m].tonnage >= item.tonnage)
                fitting.append(m);
        std::stable_sort(fitting.begin(), fitting.end(), [&](int a, int b) {
            return masters.machines[a].tonnage < masters.machines[b].tonnage;
        });
        machines = fitting.mid(0, 3);
    }
    if ((random.chance(8) || machines.isEmpty()) && !subcontractors.isEmpty()) {
        lot.supplier = random.pick(subcontractors);
        lot.machineCode = NoMachine;
        lot.destination = masters.suppliers[lot.supplier].code;
        return;
    }
    lot.machine = random.pick(machines);
    lot.machineCode = masters.machines[lot.machine].code;
    lot.destination = masters.machines[lot.machine].sectionCode;
}

void addOrders(Book &book, const Lot &last, int item, int customerCount, const QDate &start, DemoRandom &random)
{
    const int customer = random.below(customerCount);
    if (random.chance(70)) {
        const int parts = random.chance(30) ? 2 : 1;
        qint64 left = last.quantity;
        for (int p = 0; p < parts; ++p) {
            Order o;
            o.number = 300001 + book.orders.size();
            o.customer = (customer + p) % customerCount;
            o.item = item;
            o.due = last.due.addDays(random.between(1, 5));
            o.orderNo = QStringLiteral("PO-%1-%2").arg(o.due.year() % 100, 2, 10, QChar(u'0')).arg(random.between(10000, 99999));
            o.quantity = p + 1 == parts ? left : left / 2;
            left -= o.quantity;
            o.shipped = o.due < start ? o.quantity / 2 : 0;
            book.orders.append(o);
            book.links.append({last.number, QStringLiteral("2"), o.number});
        }
    } else {
        Demand d;
        d.number = 600001 + book.demands.size();
        d.customer = customer;
        d.item = item;
        d.due = last.due.addDays(random.between(3, 10));
        d.quantity = last.quantity;
        book.demands.append(d);
        book.links.append({last.number, QStringLiteral("1"), d.number});
    }
}

// Makes one production plan's lots, last process first in due date, first process first in
// numbering; returns the number of lots made.
void addPlan(Book &book, const Masters &masters, DemoRandom &random, const QDate &start, int itemIndex,
             int lotsLeft, double quantityScale)
{
    const Item &item = masters.products[itemIndex];
    const int stepCount = int(item.steps.size());
    const int firstStep = std::max(0, stepCount - lotsLeft);
    const bool hasPlan = !random.chance(10);
    const QDate finalDue = start.addDays(random.between(DueFromDays, DueToDays));
    const qint64 packs = std::max<qint64>(1, plant::roundHalfEven(random.between(4, 60) * quantityScale));
    const qint64 quantity = packs * item.packQty;
    const qint64 planNo = hasPlan ? 500001 + book.plans.size() : 0;
    const qint64 firstNumber = FirstLotNumber + book.lots.size();

    for (int s = firstStep; s < stepCount; ++s) {
        const Step &step = item.steps[s];
        Lot lot;
        lot.number = firstNumber + (s - firstStep);
        lot.parent = s + 1 < stepCount ? lot.number + 1 : 0;
        lot.planNo = planNo;
        lot.item = itemIndex;
        lot.step = s;
        lot.quantity = quantity;
        lot.due = finalDue.addDays(-2 * (stepCount - 1 - s));
        lot.setupMinutes = step.molding ? qint64(step.setupBefore + step.setupAfter) : 0;
        lot.workMinutes = workMinutesOf(step, quantity);
        if (random.chance(3))
            lot.miscName = QStringLiteral("試作 %1").arg(item.shortName);
        if (random.chance(5))
            lot.remarks = QStringLiteral("客先立会いあり");
        chooseResource(lot, masters, item, step, random);
        book.lots.append(lot);
    }
    if (hasPlan)
        book.plans.append({planNo, itemIndex, quantity, 0, QDate(), QStringLiteral("1")});
    addOrders(book, book.lots.last(), itemIndex, int(masters.customers.size()), start, random);
}

// The state of a lot the planner has placed: confirmed, partly produced when it started
// before today, with an instruction sheet when it starts soon, now and then fixed.
void settlePlacedLot(Lot &lot, const QDateTime &now, DemoRandom &random)
{
    const QDate today = now.date();
    lot.confirm = QStringLiteral("2");
    lot.startDay = lot.start.date();
    lot.initialDue = lot.due;
    lot.due = workingDateOf(lot.end);
    lot.durationsSaved = random.chance(80);
    if (random.chance(8))
        lot.fixed = QStringLiteral("1");
    else if (random.chance(4))
        lot.fixed = QStringLiteral("2");

    if (lot.end < now) {
        // Finished before today: mostly delivered in full, some still short.
        if (random.chance(70)) {
            lot.complete = QStringLiteral("2");
            lot.received = lot.quantity;
        } else {
            lot.received = lot.quantity * random.between(50, 95) / 100;
        }
        lot.lastActual = lot.end.date();
        lot.actualMinutes = lot.workMinutes;
    } else if (lot.start < now) {
        // Running now.
        const double done = double(lot.start.secsTo(now)) / double(lot.start.secsTo(lot.end));
        lot.received = qint64(double(lot.quantity) * done);
        lot.lastActual = today.addDays(-1);
        lot.actualMinutes = qint64(double(lot.workMinutes) * done);
        if (random.chance(50))
            lot.fixed = QStringLiteral("2");
    }
    if (lot.start.date() < today.addDays(7))
        lot.instructionIssued = std::min(today.addDays(-1), lot.start.date().addDays(-3));
}

// The planner's existing plan: per machine or subcontractor, lots in due-date order one after
// another in working time, each started near its due date; a few overlap the lot before,
// as plans do after hand edits. Lots beyond the horizon stay tentative without times.
void placeLots(Book &book, const Masters &masters, const QDate &start, DemoRandom &random)
{
    QList<WorkClock> clocks;
    for (int m = 0; m < masters.machines.size(); ++m)
        clocks.append(WorkClock(masters.machines[m], m, book.calendarFirst, book.calendarLast));
    const WorkClock aroundTheClock;

    QHash<int, QList<int>> byResource; // machine index, or 10000 + supplier index
    for (int i = 0; i < book.lots.size(); ++i) {
        const Lot &lot = book.lots[i];
        byResource[lot.machine >= 0 ? lot.machine : 10000 + lot.supplier].append(i);
    }
    QList<int> resources = byResource.keys();
    std::sort(resources.begin(), resources.end()); // hash order is no order: keep the dice in step

    const QDateTime now = plant::naiveDateTime(start, DayStart);
    const QDate horizon = start.addDays(HorizonDays);
    for (int resource : resources) {
        QList<int> &lots = byResource[resource];
        std::stable_sort(lots.begin(), lots.end(), [&](int a, int b) { return book.lots[a].due < book.lots[b].due; });
        const WorkClock &clock = resource < 10000 ? clocks[resource] : aroundTheClock;
        QDateTime cursor = plant::naiveDateTime(start.addDays(PlanFromDays), DayStart);
        QDateTime previousStart;
        for (int index : lots) {
            Lot &lot = book.lots[index];
            const qint64 minutes = lot.setupMinutes + lot.workMinutes;
            const int leadDays = int(minutes / 600) + 2;
            QDateTime begin = std::max(cursor, plant::naiveDateTime(lot.due.addDays(-leadDays), DayStart));
            if (begin.date() > horizon) {
                lot.startDay = lot.due.addDays(-leadDays);
                if (random.chance(50))
                    lot.initialDue = lot.due;
                if (lot.machine >= 0 && random.chance(30))
                    lot.machineCode = NoMachine;
                continue;
            }
            if (previousStart.isValid() && random.chance(3))
                begin = std::max(previousStart.addSecs(3600), cursor.addSecs(-60LL * random.between(6, 24) * 10));
            lot.start = clock.placeStart(begin);
            lot.end = clock.addWorkMinutes(lot.start, minutes);
            settlePlacedLot(lot, now, random);
            if (lot.start > now.addDays(14) && random.chance(6)) {
                lot.confirm = QStringLiteral("1"); // moved by hand, not confirmed yet
            } else if (lot.start > now.addDays(7) && random.chance(3)) {
                // Confirmed but taken off the machine: waits without times.
                lot.start = lot.end = QDateTime();
                lot.due = lot.initialDue;
                lot.fixed = QStringLiteral("0");
                continue;
            }
            previousStart = lot.start;
            cursor = lot.end;
        }
    }
}

void settlePlans(Book &book)
{
    QHash<qint64, int> planIndex;
    for (int p = 0; p < book.plans.size(); ++p)
        planIndex.insert(book.plans[p].number, p);
    for (const Lot &lot : book.lots) {
        if (lot.planNo == 0 || lot.parent != 0 || lot.confirm != QStringLiteral("2"))
            continue;
        Plan &plan = book.plans[planIndex.value(lot.planNo)];
        plan.instructed = lot.quantity;
        plan.completion = lot.due;
        plan.confirm = QStringLiteral("2");
    }
}

} // namespace

Book buildBook(const Masters &masters, DemoRandom &random, const QDate &start, int lotCount)
{
    Book book;
    book.calendarFirst = start.addDays(PlanFromDays - 7);
    book.calendarLast = start.addMonths(3).addDays(31);
    // Big plants are not bigger machines: their lots get smaller so the horizon still fills.
    const double quantityScale = std::min(1.0, 2000.0 / std::max(1, lotCount));
    for (int plan = 0; book.lots.size() < lotCount; ++plan) {
        // The first two plans make the assemblies with long parts lists.
        const int item = plan < 2 ? plan : random.below(int(masters.products.size()));
        addPlan(book, masters, random, start, item, lotCount - int(book.lots.size()), quantityScale);
    }
    placeLots(book, masters, start, random);
    settlePlans(book);
    return book;
}

} // namespace demo
