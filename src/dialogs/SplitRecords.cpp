#include "dialogs/SplitRecords.h"

#include "calendar/WorkingTime.h"
#include "editing/WorkDuration.h"

#include <algorithm>

namespace splitrecords {

std::vector<int> usedSlots(const MemberSlots &set)
{
    std::vector<int> used;
    for (int k = 0; k < set.size(); ++k)
        if (!set.at(k).isFree())
            used.push_back(k);
    return used;
}

PlanRecord emptyCopy(const PlanStore &store, const PlanRecord &lot)
{
    qint64 lastBar = 0;
    for (qint64 i = 1; i <= store.lastIndex(); ++i)
        lastBar = std::max(lastBar, store[i].BarIndex);
    PlanRecord copy = lot;
    copy.Members = MemberSlots();
    copy.AltMembers = MemberSlots();
    copy.BarIndex = lastBar + 1;
    return copy;
}

qint64 firstMemberNumber(const PlanRecord &record)
{
    for (const MemberSlots *set : {&record.Members, &record.AltMembers}) {
        const std::vector<int> used = usedSlots(*set);
        if (!used.empty())
            return set->at(used.front()).ArrangementNo;
    }
    return 0;
}

Timing timeFor(const WorkingTime &time, const PlanRecord &lot, const QDateTime &start, qint64 quantity)
{
    const double cyclePerPiece = lot.Cycle / double(lot.Cavities != 0 ? lot.Cavities : 1);
    Timing timing;
    timing.workMinutes = ComputeWorkMinutes(cyclePerPiece, quantity, lot.Persons);
    timing.end = time.AddWorkMinutes(start, timing.workMinutes + lot.SetupMinutes, lot, QString());
    return timing;
}

} // namespace splitrecords
