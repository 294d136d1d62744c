#pragma once
// FunPlanDataYoteiBarSet: after loading, every tentative lot that names a machine of the chart
// is placed one minute after the latest end on that machine and inserted there. It is part of
// loading: it changes the plan without leaving an undo step.

#include "editing/PlanInsertion.h"

#include <functional>

// Shows a progress text in the splash window and lets pending window events run.
using PlacementProgress = std::function<void(const QString &text)>;

void FunPlanDataYoteiBarSet(EditPath &path, PlanInsertion &insertion, const ChartRows &rows,
                            const RunContext &run, const PlacementProgress &progress);
