#include "EditingPlant.h"

#include "common/PlantValues.h"
#include "editing/LotRules.h"

const QString EditingPlant::M01 = QStringLiteral("M01     ");
const QString EditingPlant::M02 = QStringLiteral("M02     ");
const QString EditingPlant::M03 = QStringLiteral("M03     ");
const QString EditingPlant::S01 = QStringLiteral("S01");
const QString EditingPlant::S02 = QStringLiteral("S02");

namespace {
Database &sharedPlantDatabase()
{
    static TestPlant plant;
    return plant.db();
}

RunContext &prepared(RunContext &run)
{
    run.Authority = QStringLiteral("1");
    run.GridUnitMinutes = 10;
    run.DayStartTime = QTime(8, 0);
    run.PeriodStart = QStringLiteral("2024/05/01");
    run.PeriodEnd = QStringLiteral("2024/06/30");
    return run;
}
} // namespace

EditingPlant::EditingPlant(Database *db)
    : m_session(std::make_unique<PlanSession>(prepared(run), db ? *db : sharedPlantDatabase(), prompter)),
      session(*m_session), rows(session.rows()), calendar(session.calendar()), store(session.store()),
      time(&session.workingTime()), path(&session.editPath()), insertion(&session.insertion())
{
    ChartRows chartRows;
    chartRows.append(QStringLiteral("        "), QString());
    for (const QString &code : {M01, M02, M03})
        chartRows.append(code, code.trimmed());
    chartRows.closeMachineRows();
    for (const QString &code : {S01, S02})
        chartRows.append(code, code);
    chartRows.padToMinimum();
    chartRows.computeBoundaries();

    WorkCalendar days;
    days.reset(run.periodStartDate(), run.periodEndDate(), run.DayStartTime, chartRows.lastMachineRow());
    for (int row = 2; row <= chartRows.lastMachineRow(); ++row)
        for (qint64 k = 0; k <= days.periodDays(); ++k) {
            days.day(row, k)->hourly.append(QTime(8, 0), QTime(20, 0));
            days.day(row, k)->hourly.append(QTime(20, 0), QTime(8, 0));
        }
    session.adopt(std::move(chartRows), std::move(days), PlanStore());
}

qint64 EditingPlant::add(const LotSpec &given)
{
    PlanRecord lot;
    lot.MachineCode = given.machine;
    lot.SupplierCode = given.supplier;
    lots::setStart(lot, at(given.start));
    lots::setEnd(lot, at(given.start).addSecs(given.minutes * 60));
    lot.WorkMinutes = given.minutes;
    lot.ConfirmState = given.confirm;
    lot.SchedulerFixed = given.fixed;
    lot.Quantity = given.quantity;
    lot.MembersWritten = given.placed;
    lot.Active = 1;
    if (!m_started) {
        lot.BarIndex = m_lots.lastIndex() + 1;
        return m_lots.append(std::move(lot));
    }
    // A lot that turns up later, as if it had been loaded with the others.
    Edit edit = path->beginLoadingChange();
    lot.BarIndex = store.lastIndex() + 1;
    const qint64 index = edit.append(std::move(lot));
    edit.commit();
    return index;
}

void EditingPlant::start()
{
    session.adopt(rows, calendar, std::move(m_lots));
    m_started = true;
}

QDateTime EditingPlant::at(const QString &text)
{
    const QDateTime local = QDateTime::fromString(text, QStringLiteral("yyyy/MM/dd hh:mm"));
    return plant::naiveDateTime(local.date(), local.time());
}

std::string EditingPlant::text(const QDate &date, const QTime &time)
{
    return (date.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char(' ') + time.toString(QStringLiteral("hh:mm")))
        .toStdString();
}
