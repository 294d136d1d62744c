#include "persist/LotSaver.h"

#include "plan/PlanRecord.h"
#include "persist/ArrangementNumbers.h"
#include "persist/ArrangementRow.h"
#include "persist/LotDestination.h"
#include "persist/MachineCycleRow.h"
#include "persist/MaterialRows.h"
#include "persist/PlanTotals.h"
#include "persist/SaveSession.h"
#include "persist/ScheduleColumns.h"
#include "persist/SupplierColumns.h"

namespace {

// The arrangements created so far in this lot, for linking successive processes.
struct ChainState
{
    qint64 previousNew = 0;       // the arrangement created last
    qint64 previousNewParent = 0; // its 上位手配番号
    bool cycleKept = false;       // the lot's machine cycle is written once, with its first slot
};

// Creates the arrangement of a provisional slot from the stored arrangement it was cut from.
// `previousSource` is the source of the slot before it in the same set.
ArrangementRow createArrangement(SaveSession &session, MemberSlot &slot, qint64 previousSource, ChainState &chain)
{
    const qint64 source = slot.AuxNo;
    ArrangementRow row = ArrangementRow::copyOf(session, source);
    const qint64 number = claimArrangementNumber(session);
    row.set(QStringLiteral("手配番号"), number);
    slot.ArrangementNo = number;
    slot.AuxNo = 0;

    // The arrangement created before this one fed this one's source: it now feeds this one.
    if (chain.previousNewParent == source)
        session.update(QStringLiteral("DB0253"), {{QStringLiteral("手配番号"), chain.previousNew}},
                       {{QStringLiteral("上位手配番号"), number}});
    // This one's source fed the previous slot's source: this one now feeds the previous new one.
    if (previousSource != 0 && row.integer(QStringLiteral("上位手配番号")) == previousSource)
        row.set(QStringLiteral("上位手配番号"), chain.previousNew);
    chain.previousNew = number;
    chain.previousNewParent = row.integer(QStringLiteral("上位手配番号"));

    copyRequirements(session, source, number);
    return row;
}

void saveSlot(SaveSession &session, PlanRecord &lot, MemberSlot &slot, qint64 previousSource, ChainState &chain)
{
    ArrangementRow row = slot.AuxNo != 0 ? createArrangement(session, slot, previousSource, chain)
                                         : ArrangementRow::readForWriting(session, slot.ArrangementNo);
    const qint64 planNo = row.integer(QStringLiteral("生産計画番号"));
    const QString itemCode = row.text(QStringLiteral("品名コード"));
    const qint64 sequence = row.integer(QStringLiteral("順序"));

    LotDestination destination{lot.MachineCode, lot.SupplierCode};
    resolveDestination(session, destination);
    lot.MachineCode = destination.MachineCode;
    lot.SupplierCode = destination.SupplierCode;

    applySupplierColumns(session, row, lot, {itemCode, sequence, slot.Quantity});

    // The pieces the row held before this save (for a new arrangement, its source's).
    const double storedQuantity = row.number(QStringLiteral("手配数"));
    rewriteMaterials(session, lot,
                     {slot.ArrangementNo, slot.Quantity, row.value(QStringLiteral("生産工場コード")), itemCode, sequence, planNo},
                     storedQuantity, double(writtenQuantity(lot, slot)));
    lot.SaveMark = 0;

    if (!chain.cycleKept) {
        keepMachineCycle(session, lot, slot.ArrangementNo);
        chain.cycleKept = true;
    }

    applyScheduleColumns(session, row, lot, slot);
    row.write(session);
    session.elsewhere().written(slot.ArrangementNo, row);

    refreshPlanTotals(session, planNo, itemCode, sequence, lot.ConfirmState);
    if (slot.Quantity != 0)
        session.refreshPriceClass = false;
}

void saveSet(SaveSession &session, PlanRecord &lot, MemberSlots &set, ChainState &chain)
{
    qint64 previousSource = 0;
    for (int k = 0; k < MemberSlots::Capacity; ++k) {
        const MemberSlot &held = set.at(k);
        const qint64 source = held.AuxNo;
        if (held.isFree()) {
            chain.previousNew = 0;
            chain.previousNewParent = 0;
        } else {
            MemberSlot &slot = set.set(k);
            const qint64 provisional = slot.ArrangementNo;
            saveSlot(session, lot, slot, previousSource, chain);
            if (lot.ArrangementNo == provisional && provisional < 0)
                lot.ArrangementNo = slot.ArrangementNo;
        }
        previousSource = source;
    }
}

} // namespace

void saveLot(SaveSession &session, PlanRecord &lot)
{
    ChainState chain;
    saveSet(session, lot, lot.Members, chain);
    saveSet(session, lot, lot.AltMembers, chain);
    lot.MembersWritten = 0;
}
