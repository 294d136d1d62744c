#pragma once
// The fixed-width list lines of the detail window: the materials (ZList), the inner and outer
// process members (NList, GList) and the related customer orders and demand plans (JList).
// Widths are counted in Shift-JIS bytes, so Japanese names line up under their headers.

#include "plan/PlanRecord.h"

#include <QStringList>

class Database;
class RowReader;

// One line per requirement row, up to the first row without item code: code, 品名仕様
// and the four quantities (needed, ratio numerator, ratio denominator, yield).
QStringList requirementLines(const PlanRecord &lot);

// One line per used slot: arrangement number, process content name, model name, quantity.
QStringList memberLines(const MemberSlots &members);

// One line of the related-orders statement: an order row ("受注データ区分" 2) or a demand-plan row.
QString relatedOrderLine(const RowReader &row);
// Every related order and demand plan of an arrangement. Throws DbError.
QStringList relatedOrderLines(Database &db, qint64 arrangementNo);

// A stored "yyyymmdd" date as month/day "mm/dd"; blanks when there is none.
QString monthDay(const QString &yyyymmdd);

// "#,##0.000", as the material quantities show.
QString thousandsThousandths(double value);
