#pragma once
// What a change of the plan did beyond the lot the planner moved, in one line for the status
// bar: a drop that pushed later lots back or took one off its press to 未割付, a packing, a
// merge or a split touch lots the planner does not look at, and the conflict counter alone
// does not say which. The report keeps each lot's place (machine or subcontractor, start,
// end, strip) as the plan last showed it and compares the lots a change names with it.

#include "plan/PlanStore.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <vector>

class PlacementReport
{
public:
    // Takes the places of every lot of `store` and its conflict count as they stand.
    void take(const PlanStore &store, qint64 conflicts);
    // The conflict count changed without any lot changing (a machine's working hours).
    void takeConflicts(qint64 conflicts) { m_conflicts = conflicts; }

    // The lots `indices` changed (an action, an undo or a redo), leaving `conflicts`
    // conflicts: the line that says what happened, empty when no more than one lot moved and
    // the conflicts stayed; the places are kept for the next change.
    QString follow(const PlanStore &store, const QList<qint64> &indices, qint64 conflicts);
    // The lots the last change took off a machine or subcontractor onto 未割付.
    const QList<qint64> &unassigned() const { return m_unassigned; }

private:
    struct Place
    {
        QString machine;
        QString supplier;
        QDateTime start;
        QDateTime end;
        bool onStrip = false;
        bool active = false;
    };
    static Place placeOf(const PlanRecord &lot);

    std::vector<Place> m_places; // by store index
    qint64 m_conflicts = 0;
    QList<qint64> m_unassigned;
};
