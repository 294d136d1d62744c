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

// After a process split moved members from `rest` to `moved` (both copies of `lot`): each
// names its processes again (one name, or "混合" for several) and counts its quantity again.
// A lot that still holds members of `lot`'s group process keeps `lot`'s quantity, unless
// both do, when each counts the pieces of its own members of that process; a lot that holds
// none of them counts the members of its first process, as loading counts a lot.
void regroupAfterProcessSplit(const PlanRecord &lot, PlanRecord &rest, PlanRecord &moved);

// The lot's work minutes for `quantity` pieces (cycle per shot over cavities, shared by its
// persons) and the end of its work and setup from `start` on its row.
struct Timing
{
    qint64 workMinutes = 0;
    QDateTime end;
};
Timing timeFor(const WorkingTime &time, const PlanRecord &lot, const QDateTime &start, qint64 quantity);

} // namespace splitrecords
