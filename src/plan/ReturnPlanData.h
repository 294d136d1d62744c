#pragma once
// Plan loading: fills the plan store with every open arrangement of the run's plant and
// process class (placed on its machine or waiting unplaced, with dates, setup time,
// production rate, production time, mold short name and requirement rows). The main window
// lays out the bars and refreshes the grid afterwards.

#include "plan/PlanRecord.h"

#include <QtGlobal>
#include <optional>
#include <vector>

class ArrangementFingerprints;
class Database;
class PlanStore;
class Prompter;
class ProgressText;
struct RunContext;

// Appends the lots after the store's last index (the caller resets the store first); each
// lot's BarIndex is its index. Reports "計画データを読み込んでいます。…" with the count every
// 100 lots and "計画データ読込完了。…" with the count at the end. Returns the number of lots.
// Throws DbError naming what failed when a statement fails; the store is then left as it was
// before the call. `fingerprints` (may be null) takes each
// loaded arrangement's fingerprint, which the save compares before writing the row back.
// A row without a valid arrangement number, and every row of a number that several rows of the
// class carry, gives no lot (RefusedLots), nor does a row with a value that cannot be read
// (UnreadableLots). `prompter` (may be null) is then told of each kind in one message, and warned of the lots the statement could not take for a null key (NullKeyLots).
qint64 ReturnPlanData(Database &db, const RunContext &context, PlanStore &store, ProgressText *progress,
                      ArrangementFingerprints *fingerprints = nullptr, Prompter *prompter = nullptr);

// The lots of `arrangementNos` read again as the load reads them, in the same order (without
// bar index); nothing for an arrangement that is no longer an open lot of the class (completed,
// deleted or moved elsewhere). `fingerprints` takes the fingerprints of what was read. A value
// that cannot be read throws DbError naming the lot, the column and the value.
std::vector<std::optional<PlanRecord>> ReloadPlanLots(Database &db, const RunContext &context,
                                                      const std::vector<qint64> &arrangementNos,
                                                      ArrangementFingerprints *fingerprints);
