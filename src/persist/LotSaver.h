#pragma once
// Writes one changed lot: for each of its 40 member slots (set A, then set B) the slot's
// arrangement, created first when a split made it (new number, copied row and requirement
// rows, process chain relinked), then its destination, in-house or subcontract columns,
// materials, machine cycle, schedule columns and production-plan totals.

class SaveSession;
struct PlanRecord;

// `lot` is the working copy of the record: it ends as the saved record (new arrangement
// numbers in its slots, resolved destination, changed and requirement flags cleared).
// Throws DbError, NoArrangementNumbering or LotChangedElsewhere; the caller's transaction then
// undoes the lot.
void saveLot(SaveSession &session, PlanRecord &lot);
