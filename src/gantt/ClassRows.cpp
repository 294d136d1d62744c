#include "gantt/ClassRows.h"

#include "db/Rows.h"
#include "plan/RunContext.h"
#include "db/Statements.h"

QList<RowSource> readRowSources(Rows &listing)
{
    QList<RowSource> sources;
    while (listing.next())
        sources.append({listing.row().textAt(0), listing.row().textAt(1)});
    return sources;
}

RowsBuild buildMachineRows(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks, Rows &machines,
                           const RunContext &run, Database &db, Prompter &prompter)
{
    const ChartPeriod period{run.periodStartDate(), run.periodEndDate(), run.DayStartTime};
    return InputTopPosition(rows, calendar, breaks, readRowSources(machines), period, db, prompter);
}

RowsBuild buildClassRows(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks, const RunContext &run,
                         Database &db, Prompter &prompter)
{
    Rows machines = select(db, sql::ClassMachines, {run.PlantCode, run.ProcessClassCode});
    if (buildMachineRows(rows, calendar, breaks, machines, run, db, prompter) == RowsBuild::EndProgram)
        return RowsBuild::EndProgram;
    Rows subcontractors = select(db, sql::ClassSubcontractors, {run.ProcessClassCode});
    InputTopPosition2(rows, readRowSources(subcontractors));
    return RowsBuild::Built;
}
