#pragma once
// The production plan's arranged totals (DB0251): how much of the plan's item is arranged
// in confirmed last-process arrangements, and when the last of them is due.

#include <QString>

class SaveSession;

// `itemCode` and `sequence` are the arrangement's as stored; the totals are refreshed only
// for the plan's own item at its last process (順序 999). The plan's confirmation always
// follows the lot's.
void refreshPlanTotals(SaveSession &session, qint64 planNo, const QString &itemCode, qint64 sequence,
                       const QString &confirmState);
