#pragma once
// The run of the bench rows that edit and save: the demo plant's molding class for a month from
// the bench's start day, opened by an operator who may save, on the plant's own time grid.

#include "BenchRegistry.h"
#include "DemoMasters.h"
#include "DemoRows.h"
#include "app/PlantStartup.h"
#include "common/PlantValues.h"
#include "plan/RunContext.h"

inline RunContext moldingMonth(const BenchPlant &plant, Database &db)
{
    RunContext run;
    run.PlantCode = demo::PlantCode;
    run.ProcessClassCode = demo::MoldingClass;
    run.PeriodStart = plant::dateText(plant.start);
    run.PeriodEnd = plant::dateText(plant.start.addMonths(1));
    run.OperatorCode = demo::AdminOperator;
    startup::readPlant(db, run);
    return run;
}
