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

namespace {

const QString Mixed = QStringLiteral("混合");

std::vector<const MemberSlot *> membersOf(const PlanRecord &record)
{
    std::vector<const MemberSlot *> members;
    for (const MemberSlots *set : {&record.Members, &record.AltMembers})
        for (const int k : usedSlots(*set))
            members.push_back(&set->at(k));
    return members;
}

bool holdsProcess(const PlanRecord &record, const QString &process)
{
    const std::vector<const MemberSlot *> members = membersOf(record);
    return std::any_of(members.begin(), members.end(), [&](const MemberSlot *m) { return m->ProcessName == process; });
}

void countGroup(PlanRecord &record)
{
    record.Quantity = 0;
    record.ReceivedQty = 0;
    for (const MemberSlot *member : membersOf(record))
        if (member->ProcessName == record.GroupProcessName) {
            record.Quantity += member->Quantity;
            record.ReceivedQty += member->Received;
        }
}

void nameProcesses(PlanRecord &record)
{
    const std::vector<const MemberSlot *> members = membersOf(record);
    if (members.empty())
        return;
    record.ProcessName = members.front()->ProcessName;
    for (const MemberSlot *member : members)
        if (member->ProcessName != record.ProcessName)
            record.ProcessName = Mixed;
}

} // namespace

void regroupAfterProcessSplit(const PlanRecord &lot, PlanRecord &rest, PlanRecord &moved)
{
    const bool restHolds = holdsProcess(rest, lot.GroupProcessName);
    const bool movedHolds = holdsProcess(moved, lot.GroupProcessName);
    for (PlanRecord *record : {&rest, &moved}) {
        nameProcesses(*record);
        const bool holds = record == &rest ? restHolds : movedHolds;
        if (holds && !(restHolds && movedHolds))
            continue; // the lot's own count stays with the lot that holds its group
        if (!holds) {
            const std::vector<const MemberSlot *> members = membersOf(*record);
            if (members.empty())
                continue;
            record->GroupProcessName = members.front()->ProcessName;
        }
        countGroup(*record);
    }
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
