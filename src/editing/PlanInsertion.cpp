#include "editing/PlanInsertion.h"

#include "plan/Prompter.h"
#include "plan/RunContext.h"
#include "calendar/GridRounding.h"
#include "editing/LotRules.h"
#include "editing/RowCodes.h"
#include "editing/SuccessorQueue.h"

#include <limits>

namespace insertion {
const QString AskStartAfterEarlier = QStringLiteral(
    "移動したよりも前の計画と重複している期間があります。その計画の終了日時をこの計画の開始に設定しますか？");
const QString AskPushLaterBack = QStringLiteral(
    "移動した先の後の計画と重複している期間があります。それらの計画を重複しないように調整しますか？");
const QString FixedFirstLater = QStringLiteral("先頭の計画が固定されているので、スケジュール調整を行なえません");
} // namespace insertion

QDateTime PlanInsertion::endOf(const PlanRecord &lot, const QDateTime &start) const
{
    return m_time.AddWorkMinutesDefault(start, lot.SetupMinutes + lot.WorkMinutes, lot);
}

void PlanInsertion::Insert_PlanBarStep2(Edit &edit, qint64 bar, const QString &rowCode,
                                        const QString &destinationCode) const
{
    const qint64 lot = edit.store().findByBar(bar);
    if (lot >= 2)
        insertLot(edit, lot, rowCode, destinationCode);
}

void PlanInsertion::insertLot(Edit &edit, qint64 lot, const QString &rowCode, const QString &destinationCode) const
{
    assignRow(edit, lot, rowCode, destinationCode);
    recomputeEnd(edit, lot);

    if (const qint64 earlier = overlappedEarlier(edit, lot)) {
        if (m_prompter.ask(insertion::AskStartAfterEarlier)) {
            // One minute after the earlier lot's end, rounded up to the grid; a time past
            // midnight carries into the date.
            const QDateTime after = lots::endInstant(edit.record(earlier)).addSecs(60);
            const QDateTime start = RoundToGrid(after, m_run.GridUnitMinutes);
            edit.change(lot, [&](PlanRecord &record) { lots::setStart(record, start); });
            recomputeEnd(edit, lot);
        }
    }
    pushLaterBack(edit, lot);
}

void PlanInsertion::assignRow(Edit &edit, qint64 lot, QString rowCode, QString destinationCode) const
{
    if (destinationCode.isEmpty()) {
        if (rowcodes::isMachineRowCode(m_rows, rowCode)) {
            destinationCode = lots::blankSupplier();
        } else {
            // A subcontractor row, or no row at all.
            destinationCode = rowCode;
            rowCode = lots::blankMachine();
        }
    }
    const int lastMachineRow = m_rows.lastMachineRow();
    const PlanRecord &current = edit.record(lot);
    QString machine;
    QString supplier = current.SupplierCode;
    if (!destinationCode.trimmed().isEmpty() || rowcodes::firstRowOfTrimmed(m_rows, rowCode) <= lastMachineRow) {
        machine = rowCode;
        if (!destinationCode.trimmed().isEmpty()
            || rowcodes::firstRowOfTrimmed(m_rows, current.SupplierCode) > lastMachineRow)
            supplier = destinationCode;
    } else {
        supplier = rowCode;
        machine = lots::blankMachine();
    }
    // "No subcontractor" is written in the plant's form, twelve blanks.
    if (supplier.trimmed().isEmpty() && supplier != current.SupplierCode)
        supplier = lots::blankSupplier();
    edit.change(lot, [&](PlanRecord &record) {
        record.MachineCode = machine;
        record.SupplierCode = supplier;
    });
}

void PlanInsertion::recomputeEnd(Edit &edit, qint64 lot) const
{
    const PlanRecord &record = edit.record(lot);
    const QDateTime end = endOf(record, lots::startInstant(record));
    edit.change(lot, [&](PlanRecord &changed) { lots::setEnd(changed, end); });
}

qint64 PlanInsertion::overlappedEarlier(const Edit &edit, qint64 lot) const
{
    const PlanRecord &moved = edit.record(lot);
    const RowIndex::RowLots *row = edit.index().row(lots::rowKey(moved));
    if (!row)
        return 0;
    const qint64 start = lots::startKey(moved);
    // A lot that starts earlier than the moved one by more than the row's longest lot cannot
    // reach its start: the walk back stops there.
    const qint64 reach = start - row->longest();
    qint64 best = 0;
    qint64 bestEnd = std::numeric_limits<qint64>::min();
    auto it = row->byStart.lower_bound({start, std::numeric_limits<qint64>::min()});
    while (it != row->byStart.begin()) {
        --it;
        if (it->at <= reach)
            break;
        if (it->index == lot)
            continue;
        const qint64 end = lots::endKey(edit.record(it->index));
        if (end <= start)
            continue;
        if (end > bestEnd || (end == bestEnd && it->index < best)) {
            best = it->index;
            bestEnd = end;
        }
    }
    return best;
}

void PlanInsertion::pushLaterBack(Edit &edit, qint64 lot) const
{
    const PlanRecord &moved = edit.record(lot);
    const QString rowKey = lots::rowKey(moved);
    QDateTime limit = lots::endInstant(moved);
    SuccessorQueue later(edit, rowKey, lot);
    qint64 next = later.next();
    if (next == 0 || lots::startKey(edit.record(next)) >= lots::instantKey(limit.date(), limit.time()))
        return;
    if (!m_batch && !m_prompter.ask(insertion::AskPushLaterBack))
        return;

    bool first = true;
    for (; next != 0; next = later.next(), first = false) {
        const PlanRecord &pushed = edit.record(next);
        const bool before = lots::startKey(pushed) < lots::instantKey(limit.date(), limit.time());
        if (lots::isFixed(pushed) || !before) {
            if (first && lots::isFixed(pushed))
                m_prompter.inform(insertion::FixedFirstLater);
            return;
        }
        const QDateTime start = RoundToGrid(limit, m_run.GridUnitMinutes).addSecs(60);
        limit = endOf(pushed, start);
        const bool runsIntoFixed = later.fixedLaterStartsBefore(lots::instantKey(limit.date(), limit.time()));
        edit.change(next, [&](PlanRecord &record) {
            lots::setStart(record, start);
            lots::setEnd(record, limit);
            record.MembersWritten = 1;
            // Rather than run into a fixed lot, the lot is taken off its machine.
            if (runsIntoFixed)
                record.MachineCode = lots::blankMachine();
        });
        later.markTaken(next);
    }
}

QDateTime FunGetMachineLastDate(const RowIndex &index, const PlanStore &store, const QString &machineCode)
{
    if (machineCode.isEmpty())
        return {};
    const qint64 latest = index.latestOnMachine(machineCode);
    return latest == 0 ? QDateTime() : lots::endInstant(store[latest]);
}
