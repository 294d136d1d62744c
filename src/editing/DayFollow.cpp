#include "editing/DayFollow.h"

#include "calendar/GridRounding.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"
#include "editing/PlanInsertion.h"
#include "editing/SuccessorQueue.h"
#include "plan/RunContext.h"

#include <vector>

namespace {

// Where the push-back puts a lot after one that ends at `end`.
QDateTime after(const QDateTime &end, const RunContext &run)
{
    return RoundToGrid(end, run.GridUnitMinutes).addSecs(60);
}

} // namespace

int followChangedDay(Edit &edit, const PlanInsertion &insertion, const RunContext &run, const QString &machineCode,
                     const QDateTime &dayFrom, const QDateTime &dayTo)
{
    const RowIndex::RowLots *row = edit.index().row(QLatin1Char('M') + machineCode.trimmed());
    if (!row)
        return 0;
    // Only lots that reach into the day matter; none starting earlier than `longest` before it can.
    const qint64 from = lots::instantKey(dayFrom.date(), dayFrom.time()) - row->longest();
    std::vector<qint64> lots;
    for (auto it = row->byStart.lower_bound({from, 0}); it != row->byStart.end(); ++it)
        lots.push_back(it->index);
    bubbleSameStarts(lots, edit.store());

    int moved = 0;
    QDateTime oldEnd; // the end of the lot before, as it was and as it is now
    QDateTime newEnd;
    for (const qint64 lot : lots) {
        const PlanRecord &record = edit.record(lot);
        const QDateTime start = lots::startInstant(record);
        const QDateTime end = lots::endInstant(record);
        if (end <= dayFrom)
            continue;
        const bool previousMoved = oldEnd.isValid() && oldEnd != newEnd;
        const bool follows = previousMoved && (start == after(oldEnd, run) || start < after(newEnd, run));
        if (!follows && start >= dayTo)
            break; // neither on the day nor behind a moved lot: it and the rest stay
        if (lots::isFixed(record)) {
            oldEnd = newEnd = end;
            continue;
        }
        const QDateTime newStart = follows ? after(newEnd, run) : start;
        const QDateTime end2 = insertion.endOf(record, newStart);
        oldEnd = end;
        newEnd = end2;
        if (newStart == start && end2 == end)
            continue;
        edit.change(lot, [&](PlanRecord &changed) {
            lots::setStart(changed, newStart);
            lots::setEnd(changed, end2);
            changed.MembersWritten = 1;
        });
        ++moved;
    }
    return moved;
}
