#include "PushBackDrop.h"

#include "common/PlantValues.h"
#include "editing/LotRules.h"

void giveLotsWork(ChartBenchPlant &plant)
{
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
        PlanRecord &lot = plant.store[i];
        lot.Active = 1;
        lot.WorkMinutes = std::max<qint64>(1, lots::startInstant(lot).secsTo(lots::endInstant(lot)) / 60);
        if (lot.ConfirmState == QStringLiteral("1") && lot.MachineCode.trimmed().isEmpty())
            lot.MachineCode = plant.rows.row(int(2 + i % 40)).code;
    }
}

PushBackDrop::PushBackDrop(const BenchPlant &demo, qint64 lots)
{
    ChartBenchPlant plant(lots);
    giveLotsWork(plant);
    m_press = plant.rows.row(2).code;
    const QDateTime first = plant::naiveDateTime(plant.periodStart.addDays(1), QTime(8, 0));
    qint64 made = 0;
    for (qint64 i = 2; i <= plant.store.lastIndex(); ++i) {
        PlanRecord &lot = plant.store[i];
        if (lot.MachineCode == m_press)
            lot.MachineCode = plant.rows.row(3).code;
        if (i % 9 != 0)
            continue;
        if (made < Later) {
            lot.MachineCode = m_press;
            lot.ConfirmState = QStringLiteral("2");
            lot.SchedulerFixed = QStringLiteral("0");
            lot.WorkMinutes = 50;
            lots::setStart(lot, first.addSecs(made * 3600));
            lots::setEnd(lot, first.addSecs(made * 3600 + 3000));
            ++made;
        } else if (m_dropped == 0) {
            m_dropped = i;
            lot.WorkMinutes = 95;
            lots::setStart(lot, first);
            m_at = first;
        }
    }
    m_run = plant.runContext();
    m_db = demo.open(QStringLiteral("drop"));
    m_session = std::make_unique<PlanSession>(m_run, *m_db, m_prompter);
    m_session->adopt(std::move(plant.rows), std::move(plant.calendar), std::move(plant.store));
}

void PushBackDrop::drop()
{
    m_session->drop(m_dropped, m_press, m_at);
}
