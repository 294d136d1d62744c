#include "schedule_list/ScheduleListFilter.h"

#include "common/PlantValues.h"
#include "plan/PlanRecord.h"
#include "plan/RunContext.h"
#include "schedule_list/ScheduleListColumns.h"

bool waitsOnStrip(const PlanRecord &lot)
{
    // A lot merged into another waits nowhere.
    return lot.OnStrip != 0 && lot.DetailMark == 0 && lot.Active > 0;
}

ScheduleListFilter::ScheduleListFilter(const ScheduleListSearch &search)
    : m_itemCode(containing(search.ItemCode)), m_requestNo(containing(search.RequestNo)),
      m_mold(containing(search.Mold)), m_dueRange(true), m_dueFrom(plant::dateFromText(search.DueFrom.trimmed())),
      m_dueTo(plant::dateFromText(search.DueTo.trimmed()))
{
}

std::optional<WildcardPattern> ScheduleListFilter::containing(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return WildcardPattern(u'*' + text + u'*');
}

bool ScheduleListFilter::accepts(const PlanRecord &lot) const
{
    if (!waitsOnStrip(lot))
        return false;
    if (m_itemCode && !m_itemCode->matches(lot.ItemCode.trimmed()))
        return false;
    if (m_requestNo && !m_requestNo->matches(schedulelist::requestNumber(lot)))
        return false;
    // The mold field finds a lot by its mold code (the list's "金型コード") or by the mold's
    // short name that its bar shows: a planner knows the mold by either.
    if (m_mold && !m_mold->matches(lot.MoldNo.trimmed()) && !m_mold->matches(lot.MoldShortName.trimmed()))
        return false;
    // A lot without a due date lies in no range.
    if (m_dueRange
        && (!lot.DueDate.isValid() || !m_dueFrom.isValid() || !m_dueTo.isValid() || lot.DueDate < m_dueFrom
            || lot.DueDate > m_dueTo))
        return false;
    return true;
}
