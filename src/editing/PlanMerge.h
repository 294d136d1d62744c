#pragma once
// Two runs of one mold combined into one ("合体"): a bar dropped on a bar of the same item,
// production plan, process step and name offers to fold the dropped lot (the source) into the
// lot it was dropped on (the target). The source's member lots join the target's member slots,
// the target's quantity and work time grow and its end moves out; the source is merged away
// (Active 0) and its bar disappears. A drop that does not qualify, or that the planner
// declines, is an ordinary move of the bar.

#include "plan/PlanRecord.h"

#include <QString>
#include <utility>
#include <vector>

class EditPath;
class PlanInsertion;
class Prompter;

namespace merging {
extern const QString ActualsRecorded; // either lot has received actual quantities
extern const QString AskMerge;        // the planner's consent
extern const QString NoRoomForMembers; // the target's 20 slots cannot take the source's members
extern const QString MemberNotCounted; // %1 arrangement, %2 item: a member the target would not count
} // namespace merging

// The merge test: the same item, production plan, process step and display name.
bool sameRun(const PlanRecord &source, const PlanRecord &target);

// The members of `source` folded into `target`, set A into set A and set B into set B, slot by
// slot: the group quantity joins the target's, a member already in the target adds its
// quantities to that slot (the smaller stored arrangement number staying in front, a
// provisional number giving way to a stored one), any other member takes the next free slot.
// Both records are changed as the fold leaves them. Returns false, with both records
// untouched, when a member would find no room among the target's 20 slots.
// `retired`, when given, receives each stored arrangement number the fold leaves without
// pieces (it is written as deleted) with the number that took its pieces.
using RetiredNumbers = std::vector<std::pair<qint64, qint64>>;
bool foldMembers(PlanRecord &source, PlanRecord &target, RetiredNumbers *retired = nullptr);

class PlanMerge
{
public:
    enum class Outcome { Merged, MoveInstead };

    PlanMerge(EditPath &path, const PlanInsertion &insertion, Prompter &prompter)
        : m_path(path), m_insertion(insertion), m_prompter(prompter)
    {
    }

    // The drop of lot `source`'s bar on lot `target`'s bar: tests, refuses with a message or
    // asks, and on Yes merges as one planner action. MoveInstead tells the caller to handle the
    // drop as an ordinary drop on the surface at the same point.
    Outcome dropOn(qint64 source, qint64 target) const;

private:
    void merge(qint64 source, qint64 target, const PlanRecord &folded, const PlanRecord &foldedSource,
               const RetiredNumbers &retired) const;

    EditPath &m_path;
    const PlanInsertion &m_insertion;
    Prompter &m_prompter;
};
