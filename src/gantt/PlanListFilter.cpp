#include "gantt/PlanListFilter.h"

#include "plan/PlanRecord.h"

PlanListFilter::PlanListFilter(const PlanListSearch &search)
    : m_itemCode(startsWith(search.itemCode)),
      m_itemName(startsWith(search.itemName)),
      m_mold(startsWith(search.mold)),
      m_displayedOnly(search.displayedOnly),
      m_machineCode(search.machineCode)
{
}

std::optional<WildcardPattern> PlanListFilter::startsWith(const QString &typed)
{
    if (typed.isEmpty())
        return std::nullopt;
    return WildcardPattern(typed.trimmed() + u'*');
}

bool PlanListFilter::accepts(const PlanRecord &lot) const
{
    // A lot merged into another is listed no more.
    if (lot.Active <= 0)
        return false;
    if (m_itemCode && !m_itemCode->matches(lot.ItemCode))
        return false;
    if (m_itemName && !m_itemName->matches(lot.DisplayItemName))
        return false;
    if (m_mold && !m_mold->matches(lot.MoldShortName))
        return false;
    if (m_displayedOnly && lot.GanttDisplayClass != 1)
        return false;
    if (!m_machineCode.isEmpty() && lot.MachineCode != m_machineCode)
        return false;
    return true;
}
