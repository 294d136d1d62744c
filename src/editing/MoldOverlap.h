#pragma once
// When two lots need the same mold at the same time. A mold can be in one press at a time:
// two active lots with the same mold number (金型番号, not blank) whose times overlap (each
// ends after the other starts) cannot both run. The save's mold question counts these, and
// the chart marks them; both ask here.

#include "plan/PlanRecord.h"

namespace molds {

// The lot takes part in the mold check: it is active and names a mold.
bool needsMold(const PlanRecord &lot);
// The lot holds its mold in a press: it takes part and has a machine.
bool holdsMoldOnMachine(const PlanRecord &lot);
// Half-open times [start, end) as instants (lots::instantKey) overlap.
inline bool timesOverlap(qint64 start, qint64 end, qint64 otherStart, qint64 otherEnd)
{
    return end > otherStart && otherEnd > start;
}
// The save's count of one lot meeting another of its mold: `lot` is changed and `other`
// holds the mold on a machine. A pair of changed lots on machines counts once from each side.
inline bool countsForSave(const PlanRecord &lot, const PlanRecord &other)
{
    return lot.MembersWritten != 0 && holdsMoldOnMachine(other);
}

} // namespace molds
