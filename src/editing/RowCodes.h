#pragma once
// How the editing rules find a chart row from a code.

#include "plan/ChartRows.h"

namespace rowcodes {

// Whether `code` is exactly the code of row 1 or of one of the machine rows.
bool isMachineRowCode(const ChartRows &rows, const QString &code);
// The first row whose code equals `code` once both are trimmed; 1 when there is none.
int firstRowOfTrimmed(const ChartRows &rows, const QString &code);
// Whether `code` is not blank and exactly the code of a row (machine or subcontractor).
bool isRowCode(const ChartRows &rows, const QString &code);

} // namespace rowcodes
