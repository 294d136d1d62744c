#include "DemoLots.h"

#include "DemoSchedule.h"
#include "common/PlantValues.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace demo {

namespace {

const QString Confirmed = QStringLiteral("2");
const QString Tentative = QStringLiteral("1");
const QString EndFixed = QStringLiteral("1");
const QString Locked = QStringLiteral("2");
const QString Free = QStringLiteral("0");
const QString Complete = QStringLiteral("2");

// Share of the open lots of a class that the planner has placed; the rest waits on the strip.
constexpr double PlacedShare = 0.9;
// Hours between the end of one process and the start of the next.
constexpr int TransferHours = 2;

qint64 workMinutesOf(const Step &step, qint64 quantity)
{
    const double seconds = step.molding ? step.cycle / step.cavities : step.secondsPerPiece;
    const qint64 minutes = plant::ceilWhole(seconds * double(quantity) / 60.0);
    return plant::roundHalfEven(double(minutes) / std::max(1, step.persons));
}

qint64 setupMinutesOf(const Step &step) { return step.molding ? qint64(step.setupBefore + step.setupAfter) : 0; }

// The quantity of one run of the plan's first step: about four fifths of a working day of its
// machine, never more than two days, in whole packs.
qint64 runQuantity(const Item &item, const Step &step, int dayMinutes, double runScale, DemoRandom &random)
{
    const double days = std::clamp(0.8 * std::exp(0.5 * random.normal()), 0.2, 2.0);
    const double seconds = std::max(600.0, (days * dayMinutes - double(setupMinutesOf(step))) * 60.0 * runScale);
    const qint64 packs = std::max<qint64>(1, plant::roundHalfEven(seconds / step.secondsPerPiece / item.packQty));
    return packs * item.packQty;
}

// The due date a customer asked for, against the planned end: most lots end with days to
// spare, some within the last three days, a few late.
QDate requestedDue(const QDate &end, DemoRandom &random)
{
    const int roll = random.below(100);
    if (roll < 6)
        return end.addDays(-random.between(1, 4));
    if (roll < 30)
        return end.addDays(random.between(0, 3));
    return end.addDays(random.between(4, 18));
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

// Makes one production plan's lots, one per process step (the first molding now and then in
// two runs of the same plan, item and step, which the planner may merge), each queued after
// the step before it. Returns the index of the plan's last lot.
int addPlan(Book &book, const Masters &masters, DemoRandom &random, Schedule &schedule, int itemIndex,
            int lotsLeft, double runScale)
{
    const Item &item = masters.products[itemIndex];
    const int stepCount = int(item.steps.size());
    const int firstStep = std::max(0, stepCount - lotsLeft);
    const bool twoRuns = firstStep == 0 && lotsLeft > stepCount && random.chance(5);
    const bool hasPlan = !random.chance(10);
    const qint64 planNo = hasPlan ? 500001 + book.plans.size() : 0;

    qint64 quantity = 0;
    QDateTime ready;
    qsizetype previousStep = -1;
    for (int s = firstStep; s < stepCount; ++s) {
        const Step &step = item.steps[s];
        const qsizetype thisStep = book.lots.size();
        const int runs = s == firstStep && twoRuns ? 2 : 1;
        QDateTime stepEnd;
        for (int r = 0; r < runs; ++r) {
            Lot lot;
            lot.number = FirstLotNumber + book.lots.size();
            lot.planNo = planNo;
            lot.item = itemIndex;
            lot.step = s;
            schedule.assign(lot, item, step);
            lot.quantity = s == firstStep ? runQuantity(item, step, schedule.dayMinutes(lot), runScale, random) : quantity;
            lot.setupMinutes = setupMinutesOf(step);
            lot.workMinutes = workMinutesOf(step, lot.quantity);
            if (runs == 1 && random.chance(3))
                lot.miscName = QStringLiteral("試作 %1").arg(item.shortName);
            if (random.chance(5))
                lot.remarks = QStringLiteral("客先立会いあり");
            schedule.place(lot, item, ready.isValid() ? ready.addSecs(3600LL * TransferHours) : QDateTime());
            stepEnd = std::max(stepEnd, lot.end);
            book.lots.append(lot);
        }
        if (s == firstStep)
            for (qsizetype i = thisStep; i < book.lots.size(); ++i)
                quantity += book.lots[i].quantity;
        for (qsizetype i = previousStep; i >= 0 && i < thisStep; ++i)
            book.lots[i].parent = book.lots[thisStep].number;
        previousStep = thisStep;
        ready = stepEnd;
    }
    if (hasPlan)
        book.plans.append({planNo, itemIndex, quantity, 0, QDate(), QStringLiteral("1")});
    return int(book.lots.size()) - 1;
}

// Where each class's placed plan ends: the start of the lot at the placed share of the
// class's open lots (those still running or to come).
QHash<QString, QDateTime> horizons(const Book &book, const Masters &masters, const QDateTime &now)
{
    QHash<QString, QList<QDateTime>> starts;
    for (const Lot &lot : book.lots)
        if (lot.end >= now)
            starts[masters.products[lot.item].steps[lot.step].classCode].append(lot.start);
    QHash<QString, QDateTime> result;
    for (auto it = starts.begin(); it != starts.end(); ++it) {
        QList<QDateTime> &list = it.value();
        std::sort(list.begin(), list.end());
        result.insert(it.key(), list[qsizetype(double(list.size() - 1) * PlacedShare)]);
    }
    return result;
}

// A lot beyond the planner's horizon: tentative, without times, waiting on the strip with
// the start and due date it asks for; some keep a machine code as a hint.
void leaveWaiting(Lot &lot, DemoRandom &random)
{
    lot.startDay = workingDateOf(lot.start);
    lot.due = requestedDue(lot.end.date(), random);
    if (random.chance(50))
        lot.initialDue = lot.due;
    if (lot.machine >= 0 && random.chance(30))
        lot.machineCode = NoMachine;
    lot.start = lot.end = QDateTime();
}

// A lot the planner has placed: confirmed, due as the customer asked, partly produced when it
// started before today, mostly delivered when it ended before, with an instruction sheet when
// it starts soon, now and then fixed. A few stay unconfirmed after a hand move, or were taken
// off their machine again.
void settlePlaced(Lot &lot, const QDateTime &now, DemoRandom &random)
{
    const QDate today = now.date();
    lot.confirm = Confirmed;
    lot.startDay = lot.start.date();
    lot.initialDue = requestedDue(lot.end.date(), random);
    lot.due = workingDateOf(lot.end);
    lot.durationsSaved = random.chance(80);
    if (random.chance(6))
        lot.fixed = EndFixed;
    else if (random.chance(3))
        lot.fixed = Locked;

    if (lot.end < now) {
        if (random.chance(80)) {
            lot.complete = Complete;
            lot.received = lot.quantity;
        } else {
            lot.received = lot.quantity * random.between(50, 95) / 100;
        }
        lot.lastActual = lot.end.date();
        lot.actualMinutes = lot.workMinutes;
    } else if (lot.start < now) {
        const double done = double(lot.start.secsTo(now)) / double(lot.start.secsTo(lot.end));
        lot.received = qint64(double(lot.quantity) * done);
        lot.lastActual = today.addDays(-1);
        lot.actualMinutes = qint64(double(lot.workMinutes) * done);
        if (random.chance(50))
            lot.fixed = Locked;
    }
    if (lot.start.date() < today.addDays(7))
        lot.instructionIssued = std::min(today.addDays(-1), lot.start.date().addDays(-3));

    if (lot.start > now.addDays(14) && random.chance(5)) {
        lot.confirm = Tentative;
    } else if (lot.start > now.addDays(7) && random.chance(2)) {
        lot.start = lot.end = QDateTime();
        lot.due = lot.initialDue;
        lot.fixed = Free;
    }
}

// Lots up to each class's horizon are placed, the rest wait; a lot whose earlier process
// waits waits too.
void settleLots(Book &book, const Masters &masters, const QDate &start, DemoRandom &random)
{
    const QDateTime now = plant::naiveDateTime(start, DayStart);
    const QHash<QString, QDateTime> horizon = horizons(book, masters, now);
    QSet<qint64> waitingNext;
    for (Lot &lot : book.lots) {
        const QString &classCode = masters.products[lot.item].steps[lot.step].classCode;
        if (waitingNext.contains(lot.number) || (lot.end >= now && lot.start > horizon.value(classCode))) {
            leaveWaiting(lot, random);
            waitingNext.insert(lot.parent);
        } else {
            settlePlaced(lot, now, random);
        }
    }
}

void settlePlans(Book &book)
{
    QHash<qint64, int> planIndex;
    for (int p = 0; p < book.plans.size(); ++p)
        planIndex.insert(book.plans[p].number, p);
    for (const Lot &lot : book.lots) {
        if (lot.planNo == 0 || lot.parent != 0 || lot.confirm != Confirmed)
            continue;
        Plan &plan = book.plans[planIndex.value(lot.planNo)];
        plan.instructed = lot.quantity;
        plan.completion = lot.due;
        plan.confirm = Confirmed;
    }
}

} // namespace

PlantScale scaleFor(int lotCount)
{
    PlantScale scale;
    scale.halls = std::clamp(int(std::lround(lotCount / 2000.0)), 1, 10);
    scale.runScale = std::min(1.0, 2000.0 * scale.halls / std::max(1, lotCount));
    // About half the lots are moldings, on twenty presses a hall, each run near a working day
    // with its setup; five working days a week.
    const double runsPerPress = lotCount * 0.53 / (20.0 * scale.halls);
    const double calendarDays = runsPerPress * 0.95 * scale.runScale * 7.0 / 5.0;
    scale.pastDays = std::clamp(int(std::lround(calendarDays * 0.22)), 2, 21);
    return scale;
}

Book buildBook(const Masters &masters, DemoRandom &random, const QDate &start, int lotCount, const PlantScale &scale)
{
    Book book;
    book.calendarFirst = start.addDays(-scale.pastDays - 7);
    book.calendarLast = start.addMonths(3).addDays(31);
    Schedule schedule(masters, book.calendarFirst, book.calendarLast,
                      plant::naiveDateTime(start.addDays(-scale.pastDays), DayStart), random);
    QList<QPair<int, int>> lastLots; // the last lot of each plan, and its item
    for (int plan = 0; book.lots.size() < lotCount; ++plan) {
        // The first two plans make the assemblies with long parts lists.
        const int item = plan < 2 ? plan : random.below(int(masters.products.size()));
        lastLots.append({addPlan(book, masters, random, schedule, item, lotCount - int(book.lots.size()), scale.runScale),
                         item});
    }
    settleLots(book, masters, start, random);
    for (const auto &[last, item] : lastLots)
        addOrders(book, book.lots[last], item, int(masters.customers.size()), start, random);
    settlePlans(book);
    return book;
}

} // namespace demo
