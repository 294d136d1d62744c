#include "EditingPlant.h"

#include "common/PlantValues.h"
#include "editing/LotRules.h"

const QString EditingPlant::M01 = QStringLiteral("M01     ");
const QString EditingPlant::M02 = QStringLiteral("M02     ");
const QString EditingPlant::M03 = QStringLiteral("M03     ");
const QString EditingPlant::S01 = QStringLiteral("S01");
const QString EditingPlant::S02 = QStringLiteral("S02");

EditingPlant::EditingPlant()
{
    run.Authority = QStringLiteral("1");
    run.GridUnitMinutes = 10;
    run.DayStartTime = QTime(8, 0);
    run.PeriodStart = QStringLiteral("2024/05/01");
    run.PeriodEnd = QStringLiteral("2024/06/30");

    rows.append(QStringLiteral("        "), QString());
    for (const QString &code : {M01, M02, M03})
        rows.append(code, code.trimmed());
    rows.closeMachineRows();
    for (const QString &code : {S01, S02})
        rows.append(code, code);
    rows.padToMinimum();
    rows.computeBoundaries();

    calendar.reset(run.periodStartDate(), run.periodEndDate(), run.DayStartTime, rows.lastMachineRow());
    for (int row = 2; row <= rows.lastMachineRow(); ++row)
        for (qint64 k = 0; k <= calendar.periodDays(); ++k) {
            calendar.day(row, k)->hourly.append(QTime(8, 0), QTime(20, 0));
            calendar.day(row, k)->hourly.append(QTime(20, 0), QTime(8, 0));
        }

    time = std::make_unique<WorkingTime>(rows, calendar);
    insertion = std::make_unique<PlanInsertion>(rows, *time, run, prompter);
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
    const qint64 index = store.lastIndex() + 1;
    store.resize(index);
    lot.BarIndex = index;
    store[index] = lot;
    return index;
}

void EditingPlant::start()
{
    path = std::make_unique<EditPath>(store, calendar, run);
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
