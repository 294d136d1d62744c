#pragma once
// The in-house or subcontract columns of an arrangement, by the kind of its destination
// (DB0369 仕入先分類 "1" an in-house section, "2" a subcontractor), with the subcontract
// unit price from DB0386 where the arrangement has none yet. A destination of neither kind
// (or none in DB0369) takes only the columns both kinds take from the lot: confirmation,
// fixing, display class, cycle and remarks.

#include <QString>

class ArrangementRow;
class SaveSession;
struct PlanRecord;

struct SlotPricing
{
    QString ItemCode;   // the arrangement's 品名コード as stored
    qint64 Sequence = 0; // its 順序
    qint64 Quantity = 0; // the slot's quantity
};

// `lot` supplies SupplierCode (already resolved) and the schedule state columns.
void applySupplierColumns(SaveSession &session, ArrangementRow &row, const PlanRecord &lot, const SlotPricing &slot);
