#pragma once
// The planner's existing plan as the generator builds it: each machine and subcontractor has a
// queue that lots join one after another in working time, the way a planner fills a plant:
// a lot goes to the fitting machine that is free first, waits for its mold when the mold is
// busy elsewhere, and starts after its earlier process has ended.

#include "DemoCalendar.h"
#include "DemoMasters.h"

#include <QDateTime>
#include <QHash>
#include <QList>

namespace demo {

// The machine code of a lot that waits on no machine.
inline const QString NoMachine = QString(8, u' ');

struct Lot;

class Schedule
{
public:
    // Every queue starts near `from`; the calendars span `first` to `last`.
    Schedule(const Masters &masters, const QDate &first, const QDate &last, const QDateTime &from,
             DemoRandom &random);

    // Chooses where a lot of the step runs: now and then an outside subcontractor, otherwise
    // the machine of the class (for molding: big enough for the item, not oversized) whose
    // queue is free first. Sets the lot's machine or supplier, machine code and destination.
    void assign(Lot &lot, const Item &item, const Step &step);
    // Working minutes of one ordinary working day on the lot's machine or subcontractor.
    int dayMinutes(const Lot &lot) const;
    // Puts the lot at the end of its resource's queue, not before `notBefore`, with now and
    // then an idle gap before it or an overlap with the lot before it. Sets start and end.
    void place(Lot &lot, const Item &item, const QDateTime &notBefore);

private:
    struct Queue
    {
        WorkClock clock;
        int dayMinutes = 0;
        QDateTime free;      // the end of the last lot in the queue
        QDateTime lastStart; // the start of the last lot in the queue
    };
    Queue &queueOf(const Lot &lot);
    const Queue &queueOf(const Lot &lot) const;

    const Masters &m_masters;
    DemoRandom &m_random;
    QList<Queue> m_queues;            // machines, then suppliers
    QHash<int, QDateTime> m_moldFree; // mold index -> end of its last run
};

} // namespace demo
