#include "plan/PlanRecord.h"

#include <algorithm>

namespace {
const MemberSlot kFreeSlot;

bool sameSlot(const MemberSlot &a, const MemberSlot &b)
{
    return a.PlanNo == b.PlanNo && a.HasPlanNo == b.HasPlanNo && a.ArrangementNo == b.ArrangementNo
        && a.AuxNo == b.AuxNo && a.ItemCode == b.ItemCode && a.Sequence == b.Sequence
        && a.ProcessName == b.ProcessName && a.ModelName == b.ModelName && a.Quantity == b.Quantity
        && a.Received == b.Received;
}
} // namespace

const MemberSlot &MemberSlots::at(int index) const
{
    if (index < 0 || index >= int(m_slots.size()))
        return kFreeSlot;
    return m_slots[size_t(index)];
}

MemberSlot &MemberSlots::set(int index)
{
    Q_ASSERT(index >= 0 && index < Capacity);
    if (index >= int(m_slots.size()))
        m_slots.resize(size_t(index) + 1);
    return m_slots[size_t(index)];
}

void MemberSlots::clear(int index)
{
    if (index < 0 || index >= int(m_slots.size()))
        return;
    m_slots[size_t(index)] = MemberSlot();
    while (!m_slots.empty() && m_slots.back().isFree() && sameSlot(m_slots.back(), kFreeSlot))
        m_slots.pop_back();
}

int MemberSlots::firstFree() const
{
    for (int i = 0; i < int(m_slots.size()); ++i)
        if (m_slots[size_t(i)].isFree())
            return i;
    return int(m_slots.size()) < Capacity ? int(m_slots.size()) : -1;
}

bool MemberSlots::empty() const
{
    return std::all_of(m_slots.begin(), m_slots.end(), [](const MemberSlot &s) { return s.isFree(); });
}

bool MemberSlots::operator==(const MemberSlots &other) const
{
    const int n = std::max(size(), other.size());
    for (int i = 0; i < n; ++i)
        if (!sameSlot(at(i), other.at(i)))
            return false;
    return true;
}

bool sameMember(const MemberSlot &a, const MemberSlot &b)
{
    return a.PlanNo == b.PlanNo && a.HasPlanNo == b.HasPlanNo && a.ItemCode == b.ItemCode
        && a.ProcessName == b.ProcessName;
}

QString memberKey(const MemberSlot &slot)
{
    return (slot.HasPlanNo ? QString::number(slot.PlanNo) : QString()) + QChar(u'\x1f') + slot.ItemCode
           + QChar(u'\x1f') + slot.ProcessName;
}
