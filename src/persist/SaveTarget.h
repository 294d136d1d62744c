#pragma once
// The plan the save reads and the way it hands back what it changed: a saved lot's record
// (new arrangement numbers, resolved destination, flags cleared) and the calendar days whose
// working hours were written.

#include "plan/PlanStore.h"
#include "calendar/WorkCalendar.h"

class SaveTarget
{
public:
    virtual ~SaveTarget() = default;
    virtual const PlanStore &store() const = 0;
    virtual const WorkCalendar &calendar() const = 0;
    // Lot `index` is in the database as `saved` says.
    virtual void lotSaved(qint64 index, const PlanRecord &saved) = 0;
    // The working hours of machine row `row`, day `day`, are in the database, in the rows
    // `stored`: the day is no longer changed.
    virtual void dayWritten(int row, qint64 day, const StoredDay &stored) = 0;
};

