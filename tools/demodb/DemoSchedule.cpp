#include "DemoSchedule.h"

#include "DemoLots.h"

#include <algorithm>

namespace demo {

namespace {


// An outside subcontractor's lot is drawn in clock time; a day of it is about two shifts.
constexpr int SubcontractorDayMinutes = 900;
// No run spans more than five days of the calendar, unless it needs more working time.
constexpr qint64 LongestBarSeconds = 5 * 86400;
constexpr int LongestShutdownDays = 7;

} // namespace

Schedule::Schedule(const Masters &masters, const QDate &first, const QDate &last, const QDateTime &from,
                   DemoRandom &random)
    : m_masters(masters), m_random(random)
{
    // The queues start staggered over the first working day, as a running plan does.
    auto staggered = [&] { return from.addSecs(60LL * 10 * random.between(0, 48)); };
    for (int m = 0; m < masters.machines.size(); ++m) {
        const Machine &machine = masters.machines[m];
        const ShiftPattern usual = machine.twoShifts ? ShiftPattern::DayAndNight
                                   : machine.lunchSplit ? ShiftPattern::LunchSplit
                                                        : ShiftPattern::Day;
        m_queues.append({WorkClock(machine, m, first, last), workingMinutes(usual), staggered(), QDateTime()});
    }
    for (int s = 0; s < masters.suppliers.size(); ++s)
        m_queues.append({WorkClock(), SubcontractorDayMinutes, staggered(), QDateTime()});
}

Schedule::Queue &Schedule::queueOf(const Lot &lot)
{
    return m_queues[lot.machine >= 0 ? lot.machine : int(m_masters.machines.size()) + lot.supplier];
}

const Schedule::Queue &Schedule::queueOf(const Lot &lot) const
{
    return m_queues[lot.machine >= 0 ? lot.machine : int(m_masters.machines.size()) + lot.supplier];
}

void Schedule::assign(Lot &lot, const Item &item, const Step &step)
{
    QList<int> machines = m_masters.machinesOfClass(step.classCode);
    const QString &process = m_masters.processes[step.process].code;
    machines.removeIf([&](int m) {
        const QStringList &does = m_masters.machines[m].processes;
        return !does.isEmpty() && !does.contains(process);
    });
    if (step.molding) {
        int smallest = 0;
        for (int m : machines)
            if (m_masters.machines[m].tonnage >= item.tonnage
                && (smallest == 0 || m_masters.machines[m].tonnage < smallest))
                smallest = m_masters.machines[m].tonnage;
        const int largest = std::max(smallest, item.tonnage * 2);
        machines.removeIf([&](int m) {
            const int tonnage = m_masters.machines[m].tonnage;
            return tonnage < item.tonnage || tonnage > largest;
        });
    }
    const QList<int> subcontractors = m_masters.subcontractorsOfClass(step.classCode);
    if ((m_random.chance(7) || machines.isEmpty()) && !subcontractors.isEmpty()) {
        lot.supplier = m_random.pick(subcontractors);
        lot.machineCode = NoMachine;
        lot.destination = m_masters.suppliers[lot.supplier].code;
        return;
    }
    lot.machine = *std::min_element(machines.cbegin(), machines.cend(),
                                    [&](int a, int b) { return m_queues[a].free < m_queues[b].free; });
    lot.machineCode = m_masters.machines[lot.machine].code;
    lot.destination = m_masters.machines[lot.machine].sectionCode;
}

int Schedule::dayMinutes(const Lot &lot) const { return queueOf(lot).dayMinutes; }

void Schedule::place(Lot &lot, const Item &item, const QDateTime &notBefore)
{
    Queue &queue = queueOf(lot);
    QDateTime begin = std::max(queue.free, notBefore);
    if (m_random.chance(12)) // no material, no operator, no order: the machine waits
        begin = begin.addSecs(3600LL * m_random.between(1, 10));
    const bool molding = item.steps[lot.step].molding;
    // A mold runs on one machine at a time; now and then the plan books it twice.
    if (molding && m_moldFree.value(item.mold) > begin && m_random.chance(95))
        begin = m_moldFree.value(item.mold);
    if (queue.lastStart.isValid() && m_random.chance(2)) // a hand edit left an overlap
        begin = std::max({queue.lastStart.addSecs(3600), queue.free.addSecs(-3600LL * m_random.between(1, 4)), notBefore});

    // A run is not left standing in the press over a long shutdown (the year-end holidays):
    // it waits until after it, and the press stands idle before.
    for (int day = 0; day < LongestShutdownDays; ++day) {
        lot.start = queue.clock.placeStart(begin);
        lot.end = queue.clock.addWorkMinutes(lot.start, lot.setupMinutes + lot.workMinutes);
        if (lot.start.secsTo(lot.end) <= LongestBarSeconds)
            break;
        begin = lot.start.addDays(1);
    }
    queue.lastStart = lot.start;
    queue.free = std::max(queue.free, lot.end);
    if (molding)
        m_moldFree[item.mold] = std::max(m_moldFree.value(item.mold), lot.end);
}

} // namespace demo
