#pragma once
// The machines' working hours (DB0491) of every day the planner changed: the day's hours
// and its first two shift pairs go into the day's first stored row. A day without a stored
// row gets none.

#include "persist/SavePlan.h"

class ChartRows;
class WorkCalendar;

// The changed days of every machine row; returns the days written. Throws DbError.
std::vector<SavedDay> writeChangedWorkingHours(SaveSession &session, const WorkCalendar &calendar,
                                               const ChartRows &rows);
