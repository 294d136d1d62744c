#pragma once
// A field of comma-separated text as spreadsheets read it: a field holding a comma, a double
// quote or a line end is put in double quotes, with each double quote inside doubled. Any
// other field stands as it is, so "24/05/01" and "A-01" read back unchanged. (Fields are
// separated by commas and records end with CR LF.)
//
// A spreadsheet runs a cell that begins with "=", "+", "-" or "@" (or a tab or carriage
// return before them) as a formula, so a remark or an item name such as "=HYPERLINK(…)"
// would run on the planner's machine. Such a cell is written as text: with an apostrophe in
// front, which spreadsheets show as nothing and keep the cell as typed. A plain number
// ("-1,200", "+3.5") is no formula and stands as it is.

#include <QString>

namespace csv {

enum class Formulas {
    AsText,   // cells a spreadsheet would run are written with a leading apostrophe
    AsStored, // every cell byte for byte, for systems that read the file themselves
};

// Appends one field to `out`, quoted when it needs to be.
void appendField(QString &out, QStringView field, Formulas formulas = Formulas::AsText);

// The cell would be run as a formula by a spreadsheet.
bool readsAsFormula(QStringView field);

} // namespace csv
