#include "schedule_list/ScheduleList.h"

#include "common/PlantValues.h"
#include "plan/PlanStore.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"
#include "schedule_list/ScheduleListFilter.h"

#include <optional>

namespace {

// The first error of the due-date fields: each must be filled and hold a date.
std::optional<QString> dueDateError(const QString &from, const QString &to)
{
    if (from.trimmed().isEmpty())
        return QStringLiteral("納期始期に日付を入力して下さい。");
    if (!plant::dateFromText(from.trimmed()).isValid())
        return QStringLiteral("納期始期に日付を正しく入力して下さい。");
    if (to.trimmed().isEmpty())
        return QStringLiteral("納期終期に日付を入力して下さい。");
    if (!plant::dateFromText(to.trimmed()).isValid())
        return QStringLiteral("納期終期に日付を正しく入力して下さい。");
    return std::nullopt;
}

} // namespace

ScheduleList::ScheduleList(const PlanStore &store, RunContext &context, Prompter &prompter)
    : m_store(store), m_context(context), m_prompter(prompter), m_model(store)
{
}

bool ScheduleList::anyLotOnStrip() const
{
    const qint64 last = m_store.lastIndex();
    for (qint64 i = 2; i <= last; ++i)
        if (waitsOnStrip(m_store[i]))
            return true;
    return false;
}

bool ScheduleList::open()
{
    m_model.clear();
    if (!anyLotOnStrip()) {
        m_prompter.inform(nothingToShow(), {}, PromptIcon::Information);
        m_context.ScheduleList.forgetSearch();
        return false;
    }
    // A remembered search that finds nothing now still opens the window, with its
    // conditions in the fields: closing at once would shut the planner out of the list
    // for the rest of the run, with no field to change the search in.
    listRemembered();
    sortRemembered();
    return true;
}

void ScheduleList::fieldsFromMemory()
{
    const ScheduleListMemory &memory = m_context.ScheduleList;
    if (memory.Searched)
        m_fields = memory.Search;
    else
        m_fields = {{}, {}, {}, m_context.PeriodStart, m_context.PeriodEnd};
}

void ScheduleList::listRemembered()
{
    fieldsFromMemory();
    const ScheduleListMemory &memory = m_context.ScheduleList;
    if (!memory.Searched) {
        m_model.list(ScheduleListFilter());
        return;
    }
    m_model.list(ScheduleListFilter(memory.Search));
}

void ScheduleList::sortRemembered()
{
    const ScheduleListMemory &memory = m_context.ScheduleList;
    if (memory.Sorted)
        m_model.sort(memory.SortColumn, sortOrder());
}

Qt::SortOrder ScheduleList::sortOrder() const
{
    return m_context.ScheduleList.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder;
}

bool ScheduleList::search(const ScheduleListSearch &typed)
{
    if (const auto error = dueDateError(typed.DueFrom, typed.DueTo)) {
        m_prompter.inform(*error, dateErrorTitle(), PromptIcon::Warning);
        return false;
    }
    ScheduleListMemory &memory = m_context.ScheduleList;
    memory.Searched = true;
    memory.Search = {typed.ItemCode.trimmed(), typed.RequestNo.trimmed(), typed.Mold.trimmed(),
                     plant::dateText(plant::dateFromText(typed.DueFrom.trimmed())),
                     plant::dateText(plant::dateFromText(typed.DueTo.trimmed()))};
    listRemembered();
    sortRemembered();
    return true;
}

bool ScheduleList::sortBy(int column)
{
    if (column < 0 || column >= schedulelist::ColumnCount)
        return false;
    ScheduleListMemory &memory = m_context.ScheduleList;
    // The same column again turns the order round; another column starts ascending.
    memory.SortDescending = memory.Sorted && memory.SortColumn == column && !memory.SortDescending;
    memory.Sorted = true;
    memory.SortColumn = column;
    m_model.sort(column, sortOrder());
    if (!memory.Searched)
        return false;
    fieldsFromMemory();
    return true;
}
