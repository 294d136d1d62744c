#pragma once
// What the detail window shows when it opens on a lot: every box filled from the lot, the
// list lines, the next process from the lot's parent arrangement and the previous process
// from the arrangements that feed it, and the machines and subcontractors to choose from.

#include "dialogs/PlanDetail.h"

class ChartRows;
class Database;
class PlanStore;

// Throws DbError when a look-up fails; nothing is changed then.
DetailTexts fillDetailTexts(const PlanStore &store, qint64 lot, const ChartRows &rows, Database &db);
