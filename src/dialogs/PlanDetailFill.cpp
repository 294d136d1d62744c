#include "dialogs/PlanDetailFill.h"

#include "db/Rows.h"
#include "plan/PlanStore.h"
#include "db/Statements.h"
#include "common/CycleSeconds.h"
#include "common/PlantValues.h"
#include "dialogs/DetailLines.h"
#include "editing/LotRules.h"
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
    texts.Text14 = QString::number(record.ArrangementNo);
    texts.Text7 = plant::dateText(record.StartDate);
    texts.Text1 = plant::timeText(record.StartTime);
    texts.Text8 = plant::dateText(record.EndDate);
    texts.Text6 = plant::timeText(record.EndTime);
    texts.Text5 = record.MachineCode;
    texts.Text12 = record.SupplierCode;
    texts.Text10 = record.ItemCode;
    texts.Text2 = record.DisplayItemName;
    texts.Text4 = record.PlanNoText;
    texts.Text3 = QString::number(record.Quantity);
    texts.Text13 = QString::number(record.SetupMinutes);
    texts.Text19 = QString::number(record.WorkMinutes);
    texts.Text16 = QString::number(record.SetupMinutes + record.WorkMinutes);
    texts.Text15 = plant::cycleSecondsText(record.SecondsPerPiece);
    texts.Text24 = plant::cycleSecondsText(record.Cycle);
    texts.Text25 = QString::number(record.Cavities);
    texts.Text40 = QString::number(record.Persons);
    texts.Text18 = record.SchedulerFixed;
    texts.Text30 = record.AcceptOnReceipt;
    texts.Text11 = plant::dateText(record.InitialDueDate);
    texts.Text39 = record.Remarks;
    texts.Text20 = QString::number(record.ReceivedQty);
    texts.Text21 = plant::dateText(record.LastActualDate);
    texts.Text42 = QString::number(record.ActualTime);
    texts.Text22 = QString::number(record.PackQty);
    const qint64 cases = record.PackQty != 0 ? plant::intFloor(double(record.Quantity) / double(record.PackQty)) : 0;
    texts.Text27 = QString::number(cases);
    texts.Text28 = QString::number(record.Quantity - cases * record.PackQty);
    texts.Text29 = record.MoldNo;

    if (!record.ItemCode.trimmed().isEmpty() && !detail::isSundryItem(record.ItemCode)) {
        Rows item = select(db, sql::ItemModelNames, {record.ItemCode});
        if (item.next())
            texts.Text9 = item.row().text(QStringLiteral("型番名仕様ＡＮＫ"));
    }

    for (int row = 2; row <= rows.count(); ++row) {
        const QString code = rows.row(row).code;
        if (code.trimmed().isEmpty())
            continue;
        (rows.isMachineRow(row) ? texts.Text5Items : texts.Text12Items) << code;
    }

    texts.ZList = requirementLines(record);
    texts.NList = memberLines(record.Members);
    texts.GList = memberLines(record.AltMembers);
    texts.JList = relatedOrderLines(db, record.ArrangementNo);
    fillNextProcess(store, record, texts);
    fillPreviousProcess(store, record, db, texts);
    return texts;
}
