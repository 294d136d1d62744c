#pragma once
// What a planner sees of a written plant, class by class: the lots loaded by the planner's own
// plan loading, how many sit on the chart and how many wait on the strip, the colours of the
// placed bars, how long the runs are, and the awkward cases a plan holds (the chart's
// conflicts of both kinds, lots that can be merged).

#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>

namespace demo {

struct ClassFigures
{
    QString classCode;
    QString className;
    qint64 placed = 0;  // confirmed lots on a machine or subcontractor row
    qint64 waiting = 0; // lots on the unassigned strip
    // Bar colours of the placed lots: late, due within three days, earlier, no due date.
    qint64 red = 0;
    qint64 yellow = 0;
    qint64 cyan = 0;
    qint64 grey = 0;
    // Working hours (setup and production) of the placed lots.
    double medianHours = 0;
    double p97Hours = 0;
    qint64 overFiveDays = 0;      // placed lots whose bar spans more than five days
    // The chart's conflicts once the window has loaded the class, as its counter shows them:
    qint64 overlaps = 0;           // pairs of lots on one row whose times overlap (機械重複)
    qint64 moldDoubleBookings = 0; // pairs of lots needing one mold at once on different rows (金型重複)
    qint64 mergeableLots = 0;     // lots another lot of the same item, plan, step and name can be merged into

    double share(qint64 count) const { return placed > 0 ? 100.0 * double(count) / double(placed) : 0.0; }
    double waitingShare() const
    {
        return placed + waiting > 0 ? 100.0 * double(waiting) / double(placed + waiting) : 0.0;
    }
};

// Loads every process class of the demo plant for the period starting at `start`.
QList<ClassFigures> measurePlant(Database &db, const QDate &start);

} // namespace demo
