#pragma once
// StretchBar: a lot dropped onto a row other than the one it was picked up from gets the
// production rate of its new row. On a subcontractor row the rate comes from the item's
// routing (standard machine productivity); on a machine row the lot keeps its rate, cycle and
// work minutes, which stay consistent with each other. The lot's end is left to the insertion
// that follows the drop.

#include "editing/EditPath.h"
#include "plan/ChartRows.h"

class Database;

// Throws DbError when the routing cannot be read; the caller's edit is then rolled back.
void StretchBar(Edit &edit, qint64 bar, const QString &rowCode, const ChartRows &rows, Database &db);
