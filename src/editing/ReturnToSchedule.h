#pragma once
// "予定に戻す": a lot goes back to the dates it had when the plan was loaded, at midnight, with
// its work minutes worked out afresh from its cycle, cavities, quantity and persons. One
// planner action.

#include "editing/EditPath.h"

void ReturnToLoadedDates(EditPath &path, qint64 lot);
