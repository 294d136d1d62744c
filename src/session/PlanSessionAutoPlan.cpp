// 自動計画, the automatic planner's action of the plan session.

#include "session/PlanSession.h"

#include "common/PlantValues.h"
#include "db/Database.h"
#include "editing/LotRules.h"
#include "plan/MachineCycles.h"
#include "plan/Prompter.h"
#include "plan/RunContext.h"

PlanFigures PlanSession::planFigures() const
{
    return measurePlan(m_store, m_rows, plant::naiveDateTime(m_run.periodEndDate().addDays(1), m_calendar.dayStart()));
}

AutoPlanReport PlanSession::autoPlan(const AutoPlanOptions &options, const AutoPlanProgress &progress)
{
    AutoPlanReport report;
    MachineCycles cycles;
    try {
        cycles.read(m_db);
    } catch (const DbError &error) {
        m_prompter.inform(error.text);
        return report;
    }
    report.ran = true;
    report.before = planFigures();
    report.loadBefore = periodLoads(m_watch.load(), m_rows, m_calendar);
    const AutoPlanInput input{m_store,   m_rows, m_time, m_calendar, cycles, m_run.GridUnitMinutes,
                              m_run.periodStartDate(), m_run.periodEndDate()};
    const AutoPlan plan = planAutomatically(input, options, progress);
    report.left = plan.left;
    report.stopped = plan.stopped;
    bool changes = !plan.planned.empty();
    for (const LeftLot &left : plan.left)
        changes = changes || m_store[left.lot].OnStrip == 0;
    if (changes) {
        Edit edit = m_path.beginAction(QStringLiteral("自動計画"));
        for (const PlannedLot &placed : plan.planned) {
            const PlanRecord &lot = m_store[placed.lot];
            if (placed.retimed)
                ++report.retimed;
            const QString stored = lot.StoredMachineCode.trimmed().isEmpty() ? lot.MachineCode : lot.StoredMachineCode;
            if (placed.machine.trimmed() != stored.trimmed())
                ++report.offStoredMachine;
            m_insertion.assignRow(edit, placed.lot, placed.machine, QString());
            edit.change(placed.lot, [&placed](PlanRecord &changed) {
                lots::setStart(changed, placed.start);
                lots::setEnd(changed, placed.end);
                changed.WorkMinutes = placed.workMinutes;
                if (placed.retimed) {
                    changed.Cycle = placed.cycle;
                    changed.SecondsPerPiece = placed.secondsPerPiece;
                }
            });
        }
        // A tentative lot that found no room again waits on the strip rather than in the way.
        for (const LeftLot &left : plan.left)
            if (m_store[left.lot].OnStrip == 0)
                m_insertion.assignRow(edit, left.lot, m_rows.row(1).code, QString());
        edit.commit();
    }
    report.planned = qint64(plan.planned.size());
    report.after = planFigures();
    report.loadAfter = periodLoads(m_watch.load(), m_rows, m_calendar);
    return report;
}
