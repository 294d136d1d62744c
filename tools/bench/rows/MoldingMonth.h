#pragma once
// The run of the bench rows that edit and save: the demo plant's molding class for a month from
// the bench's start day, opened by an operator who may save.

#include "BenchRegistry.h"
#include "DemoMasters.h"
#include "common/PlantValues.h"
#include "plan/RunContext.h"

inline RunContext moldingMonth(const BenchPlant &plant)
{
    RunContext run;
    run.PlantCode = demo::PlantCode;
    run.ProcessClassCode = demo::MoldingClass;
    run.PeriodStart = plant::dateText(plant.start);
    run.PeriodEnd = plant::dateText(plant.start.addMonths(1));
    run.Authority = QStringLiteral("1");
    return run;
}
