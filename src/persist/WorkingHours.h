#pragma once
// The machines' working hours (DB0491) of every day the planner changed, written into the
// rows the day was loaded from, each row its own shifts (see DayRowWrites). A day without a
// stored row gets none.

#include "persist/SavePlan.h"

class ChartRows;
class WorkCalendar;

// The changed days of every machine row; returns the days written. Throws DbError.
std::vector<SavedDay> writeChangedWorkingHours(SaveSession &session, const WorkCalendar &calendar,
                                               const ChartRows &rows);
