#include "persist/ScheduleColumns.h"

#include "plan/PlanRecord.h"
#include "calendar/WorkingDay.h"
#include "common/PlantValues.h"
#include "persist/ArrangementRow.h"
#include "persist/SaveSession.h"

QString completingProgram(const QString &accountName)
{
    return accountName.right(3);
}

qint64 completingTerminal(const QString &accountName)
{
    return plant::intFloor(plant::leadingNumber(completingProgram(accountName)));
}

qint64 writtenQuantity(const PlanRecord &lot, const MemberSlot &slot)
{
    return slot.ProcessName == lot.GroupProcessName ? lot.Quantity : slot.Quantity;
}

void applyScheduleColumns(SaveSession &session, ArrangementRow &row, const PlanRecord &lot, const MemberSlot &slot)
{
    const QTime dayStart = session.run().DayStartTime;
    row.setText(QStringLiteral("機械コード"), lot.MachineCode.size() == 1 ? QString(8, u' ') : lot.MachineCode);
    row.setText(QStringLiteral("指示先コード"), lot.SupplierCode);
    row.setText(QStringLiteral("計上先コード"), lot.SupplierCode);
    row.set(QStringLiteral("手配数"), writtenQuantity(lot, slot));
    if (!slot.ItemCode.isEmpty())
        row.set(QStringLiteral("品名コード"), slot.ItemCode);
    if (slot.Quantity == 0)
        row.set(QStringLiteral("削除フラグ"), QStringLiteral("1"));
    row.set(QStringLiteral("作業開始日付"), plant::dateToDb(lot.StartDate));
    row.set(QStringLiteral("作業開始時間"), plant::timeToDb(lot.StartTime));
    row.set(QStringLiteral("作業終了日付"), plant::dateToDb(lot.EndDate));
    row.set(QStringLiteral("作業終了時間"), plant::timeToDb(lot.EndTime));
    row.set(QStringLiteral("開始日"), plant::dateToDb(FunGetEigyoDate(lot.StartDate, lot.StartTime, dayStart)));
    row.set(QStringLiteral("納期"), plant::dateToDb(FunGetEigyoDate(lot.EndDate, lot.EndTime, dayStart)));
    row.set(QStringLiteral("GNT初期納期"), plant::dateToDb(lot.InitialDueDate));
    row.set(QStringLiteral("GNT所要時間＿分"), lot.SetupMinutes + lot.WorkMinutes);
    row.set(QStringLiteral("作業時間"), plant::minutesToDbHours(lot.WorkMinutes));
    row.set(QStringLiteral("必要人員"), lot.Persons);
    row.set(QStringLiteral("段取時間"), plant::minutesToDbHours(lot.SetupMinutes));
    if (lot.DetailMark == 1) {
        row.set(QStringLiteral("完納区分"), QStringLiteral("2"));
        row.set(QStringLiteral("更新日"), session.today());
        row.set(QStringLiteral("更新時刻"), session.nowTime());
        row.set(QStringLiteral("更新プログラム"), completingProgram(session.accountName()));
        if (const qint64 terminal = completingTerminal(session.accountName()); terminal != 0)
            row.set(QStringLiteral("更新端末番号"), terminal);
    }
}
