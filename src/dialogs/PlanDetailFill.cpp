#include "dialogs/PlanDetailFill.h"

#include "db/Rows.h"
#include "plan/PlanStore.h"
#include "db/Statements.h"
#include "common/CycleSeconds.h"
#include "common/PlantValues.h"
#include "dialogs/DetailLines.h"
#include "editing/LotRules.h"
#include "gantt/PlanGridColumns.h"
#include "plan/ChartRows.h"

namespace {

// The next process: the lot of the store that is this lot's parent arrangement.
void fillNextProcess(const PlanStore &store, const PlanRecord &lot, DetailTexts &texts)
{
    if (lot.ParentArrangementNo <= 0)
        return;
    for (qint64 index = 2; index <= store.lastIndex(); ++index) {
        const PlanRecord &next = store[index];
        if (next.ArrangementNo == lot.ParentArrangementNo) {
            texts.txt_After_StartYMD = plant::dateText(next.StartDate);
            texts.txt_After_StartTIME = plant::timeText(next.StartTime);
            return;
        }
    }
}

// The previous process: of the arrangements whose parent is this lot, the one that ends last.
// A feeding lot on the chart shows its end as planned now; others their stored end.
void fillPreviousProcess(const PlanStore &store, const PlanRecord &lot, Database &db, DetailTexts &texts)
{
    if (lot.ArrangementNo == 0)
        return;
    qint64 latest = 0;
    for (qint64 index = 2; index <= store.lastIndex(); ++index) {
        const PlanRecord &feeder = store[index];
        if (feeder.Active > 0 && feeder.ParentArrangementNo == lot.ArrangementNo
            && (latest == 0 || lots::endKey(feeder) > lots::endKey(store[latest])))
            latest = index;
    }
    if (latest != 0) {
        texts.txt_Before_EndYMD = plant::dateText(store[latest].EndDate);
        texts.txt_Before_EndTIME = plant::timeText(store[latest].EndTime);
        return;
    }
    Rows rows = select(db, sql::PreviousProcessEnds, {lot.ArrangementNo});
    if (!rows.next())
        return;
    const RowReader &row = rows.row();
    texts.txt_Before_EndYMD = plant::dateText(row.date(QStringLiteral("作業終了日付")));
    texts.txt_Before_EndTIME = plant::timeText(row.time(QStringLiteral("作業終了時間")));
}

} // namespace

DetailTexts fillDetailTexts(const PlanStore &store, qint64 lot, const ChartRows &rows, Database &db)
{
    const PlanRecord &record = store[lot];
    DetailTexts texts;
    texts.arrangementNo = plangrid::arrangementNoText(record.ArrangementNo);
    texts.startDate = plant::dateText(record.StartDate);
    texts.startTime = plant::timeText(record.StartTime);
    texts.endDate = plant::dateText(record.EndDate);
    texts.endTime = plant::timeText(record.EndTime);
    texts.machineCode = record.MachineCode;
    texts.destinationCode = record.SupplierCode;
    texts.itemCode = record.ItemCode;
    texts.itemName = record.DisplayItemName;
    texts.productionPlanNo = record.PlanNoText;
    texts.quantity = QString::number(record.Quantity);
    texts.setupMinutes = QString::number(record.SetupMinutes);
    texts.workMinutes = QString::number(record.WorkMinutes);
    texts.totalMinutes = QString::number(record.SetupMinutes + record.WorkMinutes);
    texts.secondsPerPiece = plant::cycleSecondsText(record.SecondsPerPiece);
    texts.cycle = plant::cycleSecondsText(record.Cycle);
    texts.cavities = QString::number(record.Cavities);
    texts.persons = QString::number(record.Persons);
    texts.fixingState = record.SchedulerFixed;
    texts.acceptanceMode = record.AcceptOnReceipt;
    texts.requestedDueDate = plant::dateText(record.InitialDueDate);
    texts.remark = record.Remarks;
    texts.receivedQuantity = QString::number(record.ReceivedQty);
    texts.lastActualDate = plant::dateText(record.LastActualDate);
    texts.actualMinutes = QString::number(record.ActualTime);
    texts.piecesPerCase = QString::number(record.PackQty);
    const qint64 cases = record.PackQty != 0 ? plant::intFloor(double(record.Quantity) / double(record.PackQty)) : 0;
    texts.cases = QString::number(cases);
    texts.loosePieces = QString::number(record.Quantity - cases * record.PackQty);
    texts.mold = record.MoldNo;

    if (!record.ItemCode.trimmed().isEmpty() && !detail::isSundryItem(record.ItemCode)) {
        Rows item = select(db, sql::ItemModelNames, {record.ItemCode});
        if (item.next())
            texts.itemDescription = item.row().text(QStringLiteral("型番名仕様ＡＮＫ"));
    }

    for (int row = 2; row <= rows.count(); ++row) {
        const QString code = rows.row(row).code;
        if (code.trimmed().isEmpty())
            continue;
        (rows.isMachineRow(row) ? texts.machineRows : texts.subcontractors) << code;
    }

    texts.materialLines = requirementLines(record);
    texts.innerMembers = memberLines(record.Members);
    texts.outerMembers = memberLines(record.AltMembers);
    texts.relatedOrders = relatedOrderLines(db, record.ArrangementNo);
    fillNextProcess(store, record, texts);
    fillPreviousProcess(store, record, db, texts);
    return texts;
}
