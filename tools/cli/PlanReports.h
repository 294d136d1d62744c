#pragma once
// What "kalvuner-cli plan --conflicts" and "--load" print: the plan's conflicts one per line,
// and the machines' load as a table of machine rows by days.

#include <QTextStream>

class PlanSession;

// Kind, then for each of the two lots its arrangement, item, mold, machine (or
// subcontractor), start and end, then the overlap in minutes; tab-separated.
void printConflicts(const PlanSession &session, QTextStream &out);
// A header line "機械" and the period's dates, then one line per machine row: its code and,
// for each day, planned/working minutes; tab-separated.
void printLoad(const PlanSession &session, QTextStream &out);
