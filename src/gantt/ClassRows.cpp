#include "gantt/ClassRows.h"

#include "db/Database.h"
#include "plan/RunContext.h"
#include "db/Statements.h"

QList<RowSource> readRowSources(QSqlQuery &listing)
{
    QList<RowSource> sources;
    while (listing.next())
        sources.append({listing.value(0).toString(), listing.value(1).toString()});
    return sources;
}

RowsBuild buildMachineRows(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks, QSqlQuery &machines,
                           const RunContext &run, Database &db, Prompter &prompter)
{
    const ChartPeriod period{run.periodStartDate(), run.periodEndDate(), run.DayStartTime};
    return InputTopPosition(rows, calendar, breaks, readRowSources(machines), period, db, prompter);
}

RowsBuild buildClassRows(ChartRows &rows, WorkCalendar &calendar, BreakTable &breaks, const RunContext &run,
                         Database &db, Prompter &prompter)
{
    QSqlQuery machines = db.run(sql::ClassMachines, {run.PlantCode, run.ProcessClassCode});
    if (buildMachineRows(rows, calendar, breaks, machines, run, db, prompter) == RowsBuild::EndProgram)
        return RowsBuild::EndProgram;
    QSqlQuery subcontractors = db.run(sql::ClassSubcontractors, {run.ProcessClassCode});
    InputTopPosition2(rows, readRowSources(subcontractors));
    return RowsBuild::Built;
}
