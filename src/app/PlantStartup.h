#pragma once
// What every run reads of the plant before it loads a class, the same for the window,
// kalvuner-cli (every command), the bench and the test fixtures: the plant's display settings
// in DB0351 (the time grid the planner's edits snap to, the default period length), the
// operator's row in DB0003, and whether the chosen class can be planned at the plant. A run
// that reads the plant here plans on the grid the plant set, whichever way it was started.

#include <QString>
#include <optional>

class Database;
struct RunContext;

namespace startup {

// The operator's Kalvuner authority ("0" inquiry only, "1" may skip the class window); none
// when DB0003 has no row for the code. Throws DbError when the query fails.
std::optional<QString> readAuthority(Database &db, const QString &operatorCode);

// The note naming an operator code that DB0003 does not know.
QString unknownOperatorText(const QString &operatorCode);

struct DisplaySettings
{
    int displayMonths = 1;    // default period length, 1..3 months
    int gridUnitMinutes = 1;  // time grid, at least 1 minute
};

// The first row of the system settings, clamped; without a row both are 1.
DisplaySettings readDisplaySettings(Database &db);

// 0 (or less) becomes 1, more than 3 becomes 3.
int clampDisplayMonths(qint64 stored);
// 0 (or less) becomes 1, more than a day becomes a day.
int clampGridUnitMinutes(qint64 stored);

// Reads the display settings and the authority of the context's operator into `context`
// (DisplayMonths, GridUnitMinutes, Authority); a period with a start and no end gets the
// plant's display months. Without an operator code, and for a code DB0003 does not know, the
// run has full editing rights: not every planner is registered, and plants rely on that. For
// an unknown code the note naming it is returned, for the status bar or the error output.
// Throws DbError when a query fails.
std::optional<QString> readPlant(Database &db, RunContext &context);

// Why the context's class cannot be planned at its plant: the plant database does not list
// the class, or the plant has no machine of it (an empty chart would look like a quiet week).
// None when it can. Throws DbError when a query fails.
std::optional<QString> classProblem(Database &db, const RunContext &context);

} // namespace startup
