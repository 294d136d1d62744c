#include "editing/StretchBar.h"

#include "db/Rows.h"
#include "db/Statements.h"
#include "editing/RowCodes.h"
#include "editing/WorkDuration.h"

void StretchBar(Edit &edit, qint64 bar, const QString &rowCode, const ChartRows &rows, Database &db)
{
    if (rowCode.trimmed().isEmpty())
        return;
    const qint64 lot = edit.store().findByBar(bar);
    if (lot < 2)
        return;
    if (rowcodes::isMachineRowCode(rows, rowCode) || rows.rowOfCode(rowCode) == 0)
        return;

    const PlanRecord &record = edit.record(lot);
    Rows routings = select(db, sql::RoutingForRate, {record.RateItemCode, record.RateSequence});
    if (!routings.next())
        return;
    const RowReader &routing = routings.row();
    const double productivity = routing.number(QStringLiteral("標準生産性＿機械"));
    if (productivity == 0)
        return;
    const double rate = secondsPerPiece(productivity, routing.number(QStringLiteral("生産性＿機械＿単位")));
    edit.change(lot, [&](PlanRecord &changed) {
        changed.SecondsPerPiece = rate;
        changed.Cycle = rate * double(changed.Cavities == 0 ? 1 : changed.Cavities);
        changed.WorkMinutes = ComputeWorkMinutes(rate, changed.Quantity, changed.Persons);
    });
}
