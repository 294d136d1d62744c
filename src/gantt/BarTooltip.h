#pragma once
// What a bar answers when the pointer rests on it: the lot's arrangement, item, quantity,
// machine or subcontractor, start, end, due date and state, one to a line, so that the
// planner need not open the detail window to read them.

#include "plan/PlanRecord.h"

// `place`: the row the bar stands on, as its label reads ("未割付" on the strip).
QString barTooltipText(const PlanRecord &lot, const QString &place);
