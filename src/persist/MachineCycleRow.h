#pragma once
// The cycle of an item's process step on the lot's machine (DB0492), kept in step with the
// rate the lot was planned at: per shot (the rate per piece times the cavities, 0 taken as 1),
// to the thousandth of a second, whether the row is new or not.

#include <QString>

class SaveSession;
struct PlanRecord;

// The row is the one of the lot's rate (its rate item and sequence on its machine), looked up
// and written by that key: a lot of several processes keeps one cycle, and the processes
// added to it never write the molding rate under their own steps. A row the database keeps
// refusing is skipped with the plant's message naming `arrangementNo`; the rest of the save
// goes on.
void keepMachineCycle(SaveSession &session, const PlanRecord &lot, qint64 arrangementNo);
