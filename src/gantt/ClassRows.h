#pragma once
// The chart rows of the run's process class: the machines of the class with their working
// calendars (InputTopPosition), then its subcontractors (InputTopPosition2). The main window's
// load and the command-line plan both build their rows here.

#include "gantt/InputTopPosition.h"

class Rows;
struct RunContext;

// The machines or subcontractors a listing query returns: code and name in columns 0 and 1.
QList<RowSource> readRowSources(Rows &listing);

// Row 1 and the machine rows with their calendars over the run's period, from the listing of
// the class's machines. Throws DbError when a statement fails.
RowsBuild buildMachineRows(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks, Rows &machines,
                           const RunContext &run, Database &db, Prompter &prompter);

// Both steps with the class's own listings. Throws DbError when a statement fails.
RowsBuild buildClassRows(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks, const RunContext &run,
                         Database &db, Prompter &prompter);
