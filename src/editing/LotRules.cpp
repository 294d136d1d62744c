#include "editing/LotRules.h"

#include "common/PlantValues.h"

namespace lots {

qint64 instantKey(const QDate &date, const QTime &time)
{
    const qint64 day = date.isValid() ? date.toJulianDay() : 0;
    const qint64 seconds = time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
    return day * 86400 + seconds;
}

qint64 startKey(const PlanRecord &lot) { return instantKey(lot.StartDate, lot.StartTime); }
qint64 endKey(const PlanRecord &lot) { return instantKey(lot.EndDate, lot.EndTime); }

QDateTime startInstant(const PlanRecord &lot) { return plant::naiveDateTime(lot.StartDate, lot.StartTime); }
QDateTime endInstant(const PlanRecord &lot) { return plant::naiveDateTime(lot.EndDate, lot.EndTime); }

void setStart(PlanRecord &lot, const QDateTime &instant)
{
    lot.StartDate = instant.date();
    lot.StartTime = instant.time();
}

void setEnd(PlanRecord &lot, const QDateTime &instant)
{
    lot.EndDate = instant.date();
    lot.EndTime = instant.time();
}

QString rowKey(const PlanRecord &lot)
{
    const QString machine = lot.MachineCode.trimmed();
    if (!machine.isEmpty())
        return QLatin1Char('M') + machine;
    const QString supplier = lot.SupplierCode.trimmed();
    if (!supplier.isEmpty())
        return QLatin1Char('S') + supplier;
    return {};
}

bool isObstacle(const PlanRecord &lot)
{
    return lot.Active > 0 && (lot.isConfirmed() || lot.MembersWritten == 1);
}

bool isFixed(const PlanRecord &lot)
{
    return lot.SchedulerFixed == QStringLiteral("1") || lot.SchedulerFixed == QStringLiteral("2");
}

} // namespace lots
