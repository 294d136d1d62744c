#pragma once
// What the lot split and the process split share: the member slots behind the lines of a
// list, the new lot that takes the slots cut off, and the number a lot goes by.

#include "plan/PlanStore.h"

#include <QDateTime>
#include <vector>

class WorkingTime;

namespace splitrecords {

// The used slots of a set in order: line i of the set's list shows slot usedSlots(set)[i].
std::vector<int> usedSlots(const MemberSlots &set);

// A copy of the lot without members whose bar comes after every bar of the store.
PlanRecord emptyCopy(const PlanStore &store, const PlanRecord &lot);

// The number of the first slot of set A, or of set B when set A is empty; 0 when both are.
qint64 firstMemberNumber(const PlanRecord &record);

// The lot's work minutes for `quantity` pieces (cycle per shot over cavities, shared by its
// persons) and the end of its work and setup from `start` on its row.
struct Timing
{
    qint64 workMinutes = 0;
    QDateTime end;
};
Timing timeFor(const WorkingTime &time, const PlanRecord &lot, const QDateTime &start, qint64 quantity);

} // namespace splitrecords
