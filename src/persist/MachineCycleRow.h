#pragma once
// The cycle of an item's process step on the lot's machine (DB0492), kept in step with the
// rate the lot was planned at: per shot (the rate per piece times the cavities, 0 taken as 1),
// to the thousandth of a second, whether the row is new or not.

#include <QString>

class SaveSession;
struct PlanRecord;

// `itemCode` and `sequence` are the arrangement's as stored; a new row is keyed by the lot's
// rate item and sequence. A row the database keeps refusing is skipped with the plant's
// message; the rest of the save goes on.
void keepMachineCycle(SaveSession &session, const PlanRecord &lot, const QString &itemCode, qint64 sequence);
