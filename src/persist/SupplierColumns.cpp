#include "persist/SupplierColumns.h"

#include "db/Rows.h"
#include "plan/PlanRecord.h"
#include "db/Statements.h"
#include "persist/ArrangementRow.h"
#include "persist/SaveSession.h"

namespace {

// The columns both kinds of destination take from the lot.
void applyScheduleState(ArrangementRow &row, const PlanRecord &lot)
{
    row.setText(QStringLiteral("手配確定区分"), lot.ConfirmState);
    row.setText(QStringLiteral("スケジューラ固定区分"), lot.SchedulerFixed);
    row.set(QStringLiteral("GNT表示区分"), QString::number(lot.GanttDisplayClass));
    row.set(QStringLiteral("サイクル"), lot.Cycle);
    row.setText(QStringLiteral("備考"), lot.Remarks);
}

void setAmounts(ArrangementRow &row, double unitPrice, qint64 quantity)
{
    row.set(QStringLiteral("単価"), unitPrice);
    row.set(QStringLiteral("金額"), unitPrice * double(quantity));
    row.set(QStringLiteral("消費税額"), 0);
    row.set(QStringLiteral("合計金額"), unitPrice * double(quantity));
}

void applyInHouse(ArrangementRow &row, const PlanRecord &lot)
{
    row.set(QStringLiteral("手配区分"), QStringLiteral("3"));
    row.set(QStringLiteral("社内社外区分"), QStringLiteral("1"));
    row.set(QStringLiteral("仕入区分"), QStringLiteral(" "));
    row.set(QStringLiteral("受入即検収区分"), QStringLiteral(" "));
    applyScheduleState(row, lot);
    setAmounts(row, 0, 0);
}

// The newest price of the supplier (or, when it has none, the price valid for any supplier).
// False when neither exists.
bool lookUpPrice(SaveSession &session, ArrangementRow &row, const PlanRecord &lot, const SlotPricing &slot)
{
    const int plant = session.run().PlantCode;
    Rows price = session.query(sql::SubcontractPrice, {lot.SupplierCode, slot.ItemCode, plant, slot.Sequence});
    if (!price.next()) {
        price = session.query(sql::SubcontractPriceAnySupplier, {slot.ItemCode, plant, slot.Sequence});
        if (!price.next())
            return false;
    }
    const RowReader &found = price.row();
    setAmounts(row, found.number(QStringLiteral("単価")), slot.Quantity);
    if (lot.isConfirmed() || session.refreshPriceClass)
        row.set(QStringLiteral("単価区分"), found.text(QStringLiteral("単価区分")));
    return true;
}

void applySubcontract(SaveSession &session, ArrangementRow &row, const PlanRecord &lot, const SlotPricing &slot)
{
    const bool destinationMoves = row.text(QStringLiteral("指示先コード")) != lot.SupplierCode;
    if (row.text(QStringLiteral("手配区分")) == QStringLiteral("3") || destinationMoves)
        session.refreshPriceClass = true;
    // A price already agreed for the arrangement stays, even when the destination changes.
    if (row.number(QStringLiteral("単価")) == 0 && destinationMoves && !lookUpPrice(session, row, lot, slot))
        setAmounts(row, 0, 0);
    row.set(QStringLiteral("手配区分"), QStringLiteral("2"));
    row.set(QStringLiteral("社内社外区分"), QStringLiteral("2"));
    row.set(QStringLiteral("仕入区分"), QStringLiteral("2"));
    row.set(QStringLiteral("生産工場コード"), session.run().PlantCode);
    row.set(QStringLiteral("受入即検収区分"),
            lot.AcceptOnReceipt.trimmed().isEmpty() ? QStringLiteral("1") : lot.AcceptOnReceipt);
    applyScheduleState(row, lot);
}

} // namespace

void applySupplierColumns(SaveSession &session, ArrangementRow &row, const PlanRecord &lot, const SlotPricing &slot)
{
    Rows supplier = session.query(sql::SupplierByCode, {lot.SupplierCode});
    const QString kind = supplier.next() ? supplier.row().text(QStringLiteral("仕入先分類")) : QString();
    supplier.finish();
    if (kind == QStringLiteral("1"))
        applyInHouse(row, lot);
    else if (kind == QStringLiteral("2"))
        applySubcontract(session, row, lot, slot);
    else
        // A destination the supplier table does not know still has the planner's confirmation
        // and fixing written: without them the next load would show the lot as it was.
        applyScheduleState(row, lot);
}
