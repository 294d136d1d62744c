// The dialogs' actions of the plan session: the detail window's write-back, the splits and the
// process add, a machine's working day, and the plant look-ups the detail window shows. Each
// action checks and asks first, then opens one planner action and has the dialogs' rules
// write into it.

#include "session/PlanSession.h"

#include "common/PlantValues.h"
#include "dialogs/PlanDetailFill.h"
#include "dialogs/ProcessAdd.h"
#include "dialogs/ProcessChain.h"
#include "editing/DayFollow.h"

WriteBack PlanSession::writeBackDetail(PlanDetail &detail, qint64 lot)
{
    const DetailWrite write = planDetailWrite(detail, m_store[lot], m_prompter);
    if (write.label.isEmpty())
        return write.back;
    Edit edit = m_path.beginAction(write.label);
    writeDetail(edit, detail, lot, write, m_insertion);
    edit.commit();
    return write.back;
}

void PlanSession::writeProcessAdditions(PlanDetail &detail, qint64 lot)
{
    const DetailWrite write = additionsWrite(detail);
    if (!write.label.isEmpty()) {
        Edit edit = m_path.beginAction(write.label);
        writeDetail(edit, detail, lot, write, m_insertion);
        edit.commit();
    }
    detail.additionsWritten();
}

qint64 PlanSession::splitLot(qint64 lot, const SplitChoice &choice)
{
    Edit edit = m_path.beginAction(lotsplit::ActionLabel);
    const qint64 added = ::splitLot(edit, {m_time, m_run.GridUnitMinutes, m_provisional}, lot, choice);
    edit.commit();
    return added;
}

ScriptedSplit PlanSession::splitLotByPlans(qint64 lot, const std::vector<std::pair<qint64, QString>> &counts)
{
    const ScriptedChoice<SplitChoice> chosen = chooseLotSplit(m_store[lot], counts, m_prompter);
    if (!chosen.choice)
        return {0, chosen.error};
    return {splitLot(lot, *chosen.choice), {}};
}

qint64 PlanSession::splitProcesses(qint64 lot, const ProcessChoice &choice, const QString &itemCode)
{
    if (!confirmProcessSplit(m_store[lot], choice, itemCode, m_prompter))
        return 0;
    Edit edit = m_path.beginAction(processsplit::ActionLabel);
    const qint64 added = ::splitProcesses(edit, lot, choice);
    edit.commit();
    return added;
}

ScriptedSplit PlanSession::splitProcessesByMembers(qint64 lot, const std::vector<qint64> &members)
{
    const ScriptedChoice<ProcessChoice> chosen = chooseProcessSplit(m_store[lot], members, m_prompter);
    if (!chosen.choice)
        return {0, chosen.error};
    Edit edit = m_path.beginAction(processsplit::ActionLabel);
    const qint64 added = ::splitProcesses(edit, lot, *chosen.choice);
    edit.commit();
    return {added, {}};
}

bool PlanSession::addProcesses(qint64 lot, int count)
{
    const std::optional<ProcessAddition> addition = nextProcesses(m_db, m_prompter, m_store, lot, count);
    if (!addition)
        return false;
    Edit edit = m_path.beginAction(processAdd::ActionLabel);
    edit.change(lot, [&](PlanRecord &changed) { applyProcessAddition(changed, *addition); });
    edit.commit();
    return true;
}

LinePlanChange PlanSession::changeMachineDay(const LinePlanDay &day, const LinePlanTexts &texts)
{
    const LinePlanEntry entry = readLinePlan(m_calendar, day, texts, m_prompter);
    if (!entry.outcome.changed)
        return entry.outcome;
    Edit edit = m_path.beginAction(lineplan::Caption);
    storeLinePlan(edit, day, entry, m_breaks, m_calendar.dayStart());
    const QDateTime dayFrom = plant::naiveDateTime(m_calendar.dateOf(day.DateNum), m_calendar.dayStart());
    followChangedDay(edit, m_insertion, m_run, m_rows.row(day.MachineNo).code, dayFrom, dayFrom.addDays(1));
    edit.commit();
    tellWhatTheDayKeeps(m_calendar, day, entry, m_prompter);
    return entry.outcome;
}

DetailTexts PlanSession::detailTexts(qint64 lot)
{
    return fillDetailTexts(m_store, lot, m_rows, m_db);
}

void PlanSession::lookUpItemCode(PlanDetail &detail)
{
    detail.leaveItemCode(m_db);
}

QStringList PlanSession::processShowLines(qint64 arrangementNo)
{
    return ::processShowLines(m_db, arrangementNo);
}

std::unique_ptr<ProcessAdd> PlanSession::processAdd(qint64 lot)
{
    return std::make_unique<ProcessAdd>(m_db, m_prompter, m_store, lot);
}
