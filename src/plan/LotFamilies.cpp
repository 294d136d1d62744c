#include "plan/LotFamilies.h"

#include <QHash>
#include <algorithm>
#include <iterator>
#include <map>
#include <unordered_map>

namespace {

bool toSave(const PlanRecord &lot)
{
    return lot.Active > 0 && lot.MembersWritten != 0;
}

} // namespace

std::vector<std::vector<qint64>> changedLotFamilies(const PlanStore &store)
{
    std::vector<qint64> changed;
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        if (toSave(store[i]))
            changed.push_back(i);

    // Each lot points towards the first lot of its family.
    std::unordered_map<qint64, qint64> parent;
    for (const qint64 index : changed)
        parent[index] = index;
    const auto root = [&](qint64 index) {
        while (parent[index] != index)
            index = parent[index] = parent[parent[index]];
        return index;
    };
    QHash<QString, qint64> holderOfMember; // the first changed lot seen holding each member
    for (const qint64 index : changed)
        forEachMember(store[index], [&](const MemberSlot &slot) {
            const auto holder = holderOfMember.constFind(memberKey(slot));
            if (holder == holderOfMember.cend()) {
                holderOfMember.insert(memberKey(slot), index);
                return;
            }
            const qint64 a = root(index);
            const qint64 b = root(*holder);
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

std::vector<qint64> otherLotsOfFamilies(const PlanStore &store, const std::vector<qint64> &lots)
{
    const auto given = [&](qint64 index) { return std::find(lots.begin(), lots.end(), index) != lots.end(); };
    std::vector<qint64> others;
    for (const std::vector<qint64> &family : changedLotFamilies(store))
        if (std::any_of(family.begin(), family.end(), given))
            std::copy_if(family.begin(), family.end(), std::back_inserter(others),
                         [&](qint64 index) { return !given(index); });
    std::sort(others.begin(), others.end());
    return others;
}

bool holdsProvisionalArrangement(const PlanRecord &lot)
{
    bool provisional = false;
    forEachMember(lot, [&](const MemberSlot &slot) { provisional = provisional || slot.ArrangementNo < 0; });
    return provisional;
}
