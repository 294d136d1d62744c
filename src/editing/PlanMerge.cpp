#include "editing/PlanMerge.h"

#include "plan/Prompter.h"
#include "editing/EditPath.h"
#include "editing/LotRules.h"
#include "editing/PlanInsertion.h"
#include "editing/WorkDuration.h"

#include <utility>

namespace merging {
const QString ActualsRecorded = QStringLiteral("実績が入力されている計画を合体させる事はできません");
const QString AskMerge = QStringLiteral("この２つの計画を合体させますか？");
const QString NoRoomForMembers = QStringLiteral(
    "合体先の計画には手配を２０件までしか持てないため、合体できません。計画を移動します。");
const QString MemberNotCounted = QStringLiteral(
    "手配番号 %1（品名コード %2）は合体先の計画の数量に数えられないため、合体できません。計画を移動します。");
} // namespace merging

namespace {

// A target whose new work time is this long or shorter keeps its end.
constexpr qint64 EndStaysUpToMinutes = 30;

// The ninth character of an item code says which group of the lot the member counts in.
QStringView groupCharacter(const QString &itemCode)
{
    return itemCode.size() >= 9 ? QStringView(itemCode).mid(8, 1) : QStringView();
}

// A stored or provisional arrangement number goes with the source number a provisional one
// was cut from.
void swapArrangement(MemberSlot &a, MemberSlot &b)
{
    std::swap(a.ArrangementNo, b.ArrangementNo);
    std::swap(a.AuxNo, b.AuxNo);
}

// Folds one member into the target's slots. The member leaves as the fold leaves it (its
// quantities taken, its number exchanged or dropped). False when it still holds an
// arrangement after the last slot: it found no room. A stored number left without pieces goes
// to `retired` with the number that kept them.
bool foldMember(MemberSlot &member, MemberSlots &into, RetiredNumbers &retired)
{
    for (int j = 0; j < MemberSlots::Capacity; ++j) {
        const MemberSlot &slot = into.at(j);
        if (slot.isFree()) {
            into.set(j) = member;
            return true;
        }
        if (slot.Quantity == 0 || !sameMember(slot, member))
            continue;
        // The same member is in both lots: the target's slot takes the quantities.
        MemberSlot &kept = into.set(j);
        kept.Quantity += member.Quantity;
        kept.Received += member.Received;
        member.Quantity = 0;
        member.Received = 0;
        if (kept.ArrangementNo < 0) {
            // A provisional arrangement of a split gives way to the stored one.
            swapArrangement(kept, member);
            member.ArrangementNo = 0;
            member.AuxNo = 0;
            return true;
        }
        if (member.ArrangementNo < 0) {
            member.ArrangementNo = 0;
            member.AuxNo = 0;
            return true;
        }
        // The smaller number stays in front; the other goes on, now empty, to a further slot.
        if (member.ArrangementNo < kept.ArrangementNo)
            swapArrangement(kept, member);
        retired.emplace_back(member.ArrangementNo, kept.ArrangementNo);
    }
    return member.isFree();
}

// A member whose pieces the target would hold in its slots but not count in its quantity:
// one of the target's own process outside its group, or one the source counts while the
// target counts another process (a lot a process split left with its painting only, say).
// The save writes the quantity on every arrangement of the lot, and the next start counts the
// lot by its own process, so those pieces would be lost or the lot would read another
// quantity. Null when every member counts.
const MemberSlot *uncountedMember(const PlanRecord &source, const PlanRecord &target)
{
    const bool sameCount = source.GroupProcessName == target.GroupProcessName;
    for (const MemberSlots *set : {&source.Members, &source.AltMembers})
        for (int c = 0; c < set->size(); ++c) {
            const MemberSlot &member = set->at(c);
            if (member.isFree() || member.Quantity == 0)
                continue;
            if (member.ProcessName == target.GroupProcessName && groupCharacter(member.ItemCode) != target.GroupKind)
                return &member;
            if (!sameCount && member.ProcessName == source.GroupProcessName
                && groupCharacter(member.ItemCode) == source.GroupKind)
                return &member;
        }
    return nullptr;
}

bool foldSet(MemberSlots &from, MemberSlots &into, PlanRecord &target, RetiredNumbers &retired)
{
    for (int c = 0; c < MemberSlots::Capacity; ++c) {
        if (from.at(c).isFree())
            continue;
        MemberSlot member = from.at(c);
        if (member.ProcessName == target.GroupProcessName && groupCharacter(member.ItemCode) == target.GroupKind) {
            target.Quantity += member.Quantity;
            target.ReceivedQty += member.Received;
        }
        if (!foldMember(member, into, retired))
            return false;
        from.set(c) = member;
    }
    return true;
}

// Whether a slot of the lot holds pieces a split cut from stored arrangement `number`.
bool cutFrom(const PlanRecord &lot, qint64 number)
{
    for (const MemberSlots *set : {&lot.Members, &lot.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (set->at(k).ArrangementNo < 0 && set->at(k).AuxNo == number)
                return true;
    return false;
}

void recut(PlanRecord &lot, qint64 gone, qint64 kept)
{
    for (MemberSlots *set : {&lot.Members, &lot.AltMembers})
        for (int k = 0; k < set->size(); ++k)
            if (set->at(k).ArrangementNo < 0 && set->at(k).AuxNo == gone)
                set->set(k).AuxNo = kept;
}

// Where the lot's own arrangement number sits: its set and slot, or no set.
std::pair<MemberSlots PlanRecord::*, int> ownSlot(const PlanRecord &lot)
{
    for (MemberSlots PlanRecord::*set : {&PlanRecord::Members, &PlanRecord::AltMembers})
        for (int k = 0; k < (lot.*set).size(); ++k)
            if ((lot.*set).at(k).ArrangementNo == lot.ArrangementNo)
                return {set, k};
    return {nullptr, 0};
}

} // namespace

bool sameRun(const PlanRecord &source, const PlanRecord &target)
{
    return source.ItemCode == target.ItemCode && source.PlanNoText == target.PlanNoText
        && source.RateSequence == target.RateSequence && source.DisplayItemName == target.DisplayItemName;
}

bool foldMembers(PlanRecord &source, PlanRecord &target, RetiredNumbers *retired)
{
    PlanRecord from = source;
    PlanRecord into = target;
    RetiredNumbers numbers;
    const auto [ownSet, ownIndex] = ownSlot(into);
    if (!foldSet(from.Members, into.Members, into, numbers) || !foldSet(from.AltMembers, into.AltMembers, into, numbers))
        return false;
    if (retired)
        *retired = std::move(numbers);
    // When the lot's own slot took the smaller number of the same member, or its provisional
    // number gave way to the stored one, the lot is saved and read back under that number: the
    // chart shows it from now on.
    if (ownSet != nullptr && (into.*ownSet).at(ownIndex).ArrangementNo != 0)
        into.ArrangementNo = (into.*ownSet).at(ownIndex).ArrangementNo;
    source = std::move(from);
    target = std::move(into);
    return true;
}

PlanMerge::Outcome PlanMerge::dropOn(qint64 source, qint64 target) const
{
    const PlanStore &store = m_path.store();
    if (source == target || !sameRun(store[source], store[target]))
        return Outcome::MoveInstead;
    if (store[source].ReceivedQty != 0 || store[target].ReceivedQty != 0) {
        m_prompter.inform(merging::ActualsRecorded);
        return Outcome::MoveInstead;
    }
    if (const MemberSlot *member = uncountedMember(store[source], store[target])) {
        m_prompter.inform(merging::MemberNotCounted.arg(member->ArrangementNo).arg(member->ItemCode.trimmed()));
        return Outcome::MoveInstead;
    }
    PlanRecord foldedSource = store[source];
    PlanRecord folded = store[target];
    RetiredNumbers retired;
    if (!foldMembers(foldedSource, folded, &retired)) {
        // Folding would drop a member lot from the plan: nothing is merged.
        m_prompter.inform(merging::NoRoomForMembers);
        return Outcome::MoveInstead;
    }
    if (!m_prompter.ask(merging::AskMerge))
        return Outcome::MoveInstead;
    merge(source, target, folded, foldedSource, retired);
    return Outcome::Merged;
}

void PlanMerge::merge(qint64 source, qint64 target, const PlanRecord &folded, const PlanRecord &foldedSource,
                      const RetiredNumbers &retired) const
{
    Edit edit = m_path.beginAction(QStringLiteral("計画の合体"));
    edit.change(target, [&](PlanRecord &lot) {
        lot.ArrangementNo = folded.ArrangementNo;
        lot.Members = folded.Members;
        lot.AltMembers = folded.AltMembers;
        lot.Quantity = folded.Quantity;
        lot.ReceivedQty = folded.ReceivedQty;
        const double secondsPerPiece = lot.Cycle / double(lot.Cavities != 0 ? lot.Cavities : 1);
        lot.WorkMinutes = ComputeWorkMinutes(secondsPerPiece, lot.Quantity, lot.Persons);
        if (lot.WorkMinutes > EndStaysUpToMinutes)
            lots::setEnd(lot, m_insertion.endOf(lot, lots::startInstant(lot)));
    });
    edit.change(source, [&](PlanRecord &lot) {
        lot.Members = foldedSource.Members;
        lot.AltMembers = foldedSource.AltMembers;
        lot.MembersWritten = 0;
        lot.ArrangementNo = 0;
        lot.Active = 0;
    });
    // Pieces a split cut from an arrangement the merge empties are cut from the arrangement that
    // took its pieces instead (the same member: plan, item and process): the save writes the
    // emptied one as deleted, and no new arrangement is cut from a deleted one.
    const PlanStore &store = m_path.store();
    for (qint64 i = 2; i <= store.lastIndex(); ++i)
        for (const auto &[gone, kept] : retired)
            if (cutFrom(store[i], gone))
                edit.change(i, [gone = gone, kept = kept](PlanRecord &lot) { recut(lot, gone, kept); });
    // The source's arrangements now live in the target's rows: once saved, the merge is no
    // longer undone.
    edit.endsUndoAtSave();
    edit.commit();
}
