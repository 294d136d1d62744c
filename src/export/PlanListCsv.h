#pragma once
// The plan list as a CSV file: the columns the list shows (all but the drag handle) under
// their headers, one record per listed lot in the list's order, each cell the very text the
// list shows ("24/05/01", "1,200", "レ"). Whatever search the list was rebuilt with holds for
// the file too.

#include "export/CsvText.h"
#include "export/TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

class PlanGridModel;
class Prompter;

// One character the chosen encoding cannot hold: in which list row (1-based), which lot and
// which column.
struct UnmappableCharacter
{
    int listRow = 0;
    QString arrangement; // the lot's 手配番号 as the list shows it
    QString column;      // the column's header
    char32_t character = 0;
};

struct PlanListCsv
{
    QByteArray bytes; // the whole file; an unmappable character stands as "?"
    QList<UnmappableCharacter> unmappable;
};

// The file of the list as `model` holds it, in the encoder's encoding (which must be valid);
// cells a spreadsheet would run as formulas are written as text unless asked for as stored.
PlanListCsv planListCsv(const PlanGridModel &model, TextEncoder &encoder,
                        csv::Formulas formulas = csv::Formulas::AsText);

// The characters that cannot be written, for a message: the first `shown` of them one a line
// (row, lot, column, character and its code point), then how many more there are.
QString unmappableReport(const QList<UnmappableCharacter> &unmappable, TextEncoding encoding, int shown = 10);

// The plan list saved to `path` as a planner asks for it in the window: when a character
// cannot be written the planner is asked whether to save with "?" in its place (No writes
// nothing); a file that cannot be written is told. The file is replaced whole or not at all.
// Returns true when the file was written.
bool savePlanListCsv(const PlanGridModel &model, const QString &path, TextEncoding encoding, Prompter &prompter);
