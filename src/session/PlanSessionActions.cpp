// The chart's and the plan list's actions of the plan session: each is one planner action of
// the edit path, carried out by the rules of the editing floor.

#include "session/PlanSession.h"

#include "editing/LotRules.h"
#include "editing/PlanKakutei.h"
#include "plan/Prompter.h"
#include "editing/ReturnToSchedule.h"

QString PlanSession::rowCodeOfLot(qint64 lot) const
{
    const PlanRecord &record = m_store[lot];
    const double top = m_rows.RowLookup(record.MachineCode, record.SupplierCode);
    for (int row = 1; row <= m_rows.count(); ++row)
        if (m_rows.row(row).top == top)
            return m_rows.row(row).code;
    return m_rows.row(1).code;
}

bool PlanSession::drop(qint64 lot, const QString &row, const QDateTime &moment)
{
    // A later start is what an end-fixed lot refuses; it is read from the times, so a drop
    // lands the same from the mouse and from a script.
    const bool later = moment > lots::startInstant(m_store[lot]);
    return m_drop.drop(lot, row, moment, rowCodeOfLot(lot), later);
}

std::optional<LotTimes> PlanSession::dropLanding(qint64 lot, const QString &row, const QDateTime &moment) const
{
    return m_drop.landing(lot, row, moment, moment > lots::startInstant(m_store[lot]));
}

MergeOutcome PlanSession::merge(qint64 source, qint64 target, const QString &row, const QDateTime &moment)
{
    if (source != target && m_merge.dropOn(source, target) == PlanMerge::Outcome::Merged)
        return MergeOutcome::Merged;
    return drop(source, row, moment) ? MergeOutcome::Moved : MergeOutcome::Refused;
}

bool PlanSession::pack(int row)
{
    return m_packing.pack(row);
}

KakuteiResult PlanSession::confirmLots(const QString &confirmState, const KakuteiScope &scope)
{
    // A bulk change reaches lots the planner does not see: the count and the range are asked
    // first, No pre-selected.
    const qint64 count = countKakutei(m_store, confirmState, scope);
    if (count == 0)
        return {};
    if (!m_prompter.ask(confirmLotsQuestion(confirmState, count, scope), {}, false))
        return {0, true};
    return {FunPlanKakutei(m_path, confirmState, scope), false};
}

void PlanSession::returnToLoadedDates(qint64 lot)
{
    ReturnToLoadedDates(m_path, lot);
}

void PlanSession::toggleDisplay(qint64 lot)
{
    m_gridEdit.toggleDisplay(lot);
}

void PlanSession::toggleConfirm(qint64 lot)
{
    m_gridEdit.toggleConfirm(lot);
}

PlanGridEdit::Outcome PlanSession::editListCell(qint64 lot, int column, const QString &text)
{
    return m_gridEdit.FunUpdatePlanInfoFromGrid(lot, column, text);
}

bool PlanSession::queueBehind(qint64 dragged, qint64 target)
{
    return m_gridEdit.queueBehind(dragged, target);
}

bool PlanSession::undo()
{
    if (!m_path.canUndo()) {
        // A save or a reading of lots again cut the history: the planner learns why nothing
        // more can be taken back.
        if (!m_path.undoRefusal().isEmpty())
            m_prompter.inform(m_path.undoRefusal());
        return false;
    }
    m_path.undo();
    return true;
}

bool PlanSession::redo()
{
    if (!m_path.canRedo())
        return false;
    m_path.redo();
    return true;
}
