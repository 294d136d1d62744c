#pragma once
// The machines' working hours (DB0491) of every day the planner changed, written into the
// rows the day was loaded from, each row its own shifts (see DayRowWrites). A day without a
// stored row gets none. A day whose rows someone changed since the load is not written: the
// planner's change stays to be saved and the save says so, as it does for lots.

#include "persist/SavePlan.h"

class ChartRows;
class WorkCalendar;

struct WrittenHours
{
    std::vector<SavedDay> days;             // written, with their rows as they now stand
    std::vector<SavedDay> changedElsewhere; // left alone: a row changed since the load (reported)
};

// The changed days of every machine row, each found by what the load read of its rows. Throws
// DbError when a write fails.
WrittenHours writeChangedWorkingHours(SaveSession &session, const WorkCalendar &calendar, const ChartRows &rows);
