#include "plan/SplitFamilies.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

namespace {

bool toSave(const PlanRecord &lot)
{
    return lot.Active > 0 && lot.MembersWritten != 0;
}

template<class Visit>
void forEachSlot(const PlanRecord &lot, Visit &&visit)
{
    for (const MemberSlots *set : {&lot.Members, &lot.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (!set->at(k).isFree())
                visit(set->at(k));
}

// Which of `lots` holds each stored arrangement.
std::unordered_map<qint64, qint64> ownersOfArrangements(const PlanStore &store, const std::vector<qint64> &lots)
{
    std::unordered_map<qint64, qint64> owners;
    for (const qint64 index : lots)
        forEachSlot(store[index], [&](const MemberSlot &slot) {
            if (slot.ArrangementNo > 0)
                owners.emplace(slot.ArrangementNo, index);
        });
    return owners;
}

} // namespace

std::vector<std::vector<qint64>> changedLotFamilies(const PlanStore &store)
{
    std::vector<qint64> changed;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (toSave(store[i]))
            changed.push_back(i);
    const std::unordered_map<qint64, qint64> owners = ownersOfArrangements(store, changed);

    // Each lot points towards the first lot of its family.
    std::unordered_map<qint64, qint64> parent;
    for (const qint64 index : changed)
        parent[index] = index;
    const auto root = [&](qint64 index) {
        while (parent[index] != index)
            index = parent[index] = parent[parent[index]];
        return index;
    };
    for (const qint64 index : changed)
        forEachSlot(store[index], [&](const MemberSlot &slot) {
            if (slot.ArrangementNo >= 0 || slot.AuxNo == 0)
                return;
            const auto owner = owners.find(slot.AuxNo);
            if (owner == owners.end())
                return;
            const qint64 a = root(index);
            const qint64 b = root(owner->second);
            parent[std::max(a, b)] = std::min(a, b);
        });

    std::map<qint64, std::vector<qint64>> families;
    for (const qint64 index : changed)
        families[root(index)].push_back(index);
    std::vector<std::vector<qint64>> ordered;
    for (auto &[first, family] : families)
        ordered.push_back(std::move(family));
    return ordered;
}

std::vector<qint64> lotsCutFrom(const PlanStore &store, const std::vector<qint64> &lots)
{
    const std::unordered_map<qint64, qint64> owners = ownersOfArrangements(store, lots);
    std::vector<qint64> cut;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        if (store[i].Active <= 0 || std::find(lots.begin(), lots.end(), i) != lots.end())
            continue;
        bool cutFromThem = false;
        forEachSlot(store[i], [&](const MemberSlot &slot) {
            cutFromThem = cutFromThem || (slot.ArrangementNo < 0 && owners.count(slot.AuxNo) != 0);
        });
        if (cutFromThem)
            cut.push_back(i);
    }
    return cut;
}
