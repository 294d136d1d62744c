#pragma once
// What the planner is told after a save that wrote everything: that it was saved, and which
// of the lots it wrote will not stay where they were put. A lot whose confirmation class is
// tentative is read onto 未割付 at the next start unless the plant's settings keep the
// machine of unplaced lots, so a tentative lot saved on a machine is back on the strip then.
// A lot sent back to its loaded dates has no times (midnight to midnight, which the plant's
// database holds as no time at all): the next start reads it as tentative and, unless the
// machine of unplaced lots is kept, onto the strip, confirmed or not.

#include "persist/SavePlan.h"
#include "plan/PlanStore.h"

struct RunContext;

// "保存しました（n件）", with the tentative lots on machines and the lots without times it
// wrote, when there are; empty unless the save was complete.
QString savedText(const SaveResult &saved, const PlanStore &store, const RunContext &run);
