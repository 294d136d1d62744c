#pragma once
// Turns the demo plant's masters and plan book into table rows.

#include "DemoLots.h"
#include "DemoMasters.h"
#include "TableWriter.h"
#include "db/Database.h"

#include <QList>
#include <QPair>

namespace demo {

using RowCounts = QList<QPair<QString, qint64>>;

// Writes one table: `fill` adds its rows; the count goes to the summary.
template <typename Fill>
void writeTable(Database &db, RowCounts &counts, const QString &table, const QStringList &columns, Fill fill)
{
    TableWriter writer(db, table, columns);
    fill(writer);
    writer.finish();
    counts.append({table, writer.rowsWritten()});
}

// 削除フラグ of a row in use.
inline const QString Live = QStringLiteral("0");

inline const QString AdminOperator = QStringLiteral("1001");
inline const QString InquiryOperator = QStringLiteral("1002");
// Quoted in the documentation as an operator without a row: works with full rights.
inline const QString UnknownOperator = QStringLiteral("1003");

// Operators, numbering, settings, classes, sections, suppliers, machines, breaks, calendars,
// processes, items, routings, molding conditions, bills of material, molds, machine cycles,
// prices and customers.
void writeMasterRows(Database &db, const Masters &masters, const Book &book, const QDate &start, RowCounts &counts);
// Production plans, arrangements, their requirement rows, orders, demand plans and links.
void writeLotRows(Database &db, const Masters &masters, const Book &book, const QDate &start, RowCounts &counts);

// The price an outside subcontractor charges per piece for an item's step.
double subcontractPrice(const Step &step);

} // namespace demo
