#pragma once
// The two look-ups of start-up: the operator's authority and the plant's display settings.

#include <QString>
#include <optional>

class Database;
class Prompter;

namespace startup {

// The operator's Kalvuner authority ("0" inquiry only, "1" may skip the class window); none
// when DB0003 has no row for the code. Throws DbError when the query fails.
std::optional<QString> readAuthority(Database &db, const QString &operatorCode);

// The message naming an operator code that DB0003 does not know.
QString unknownOperatorText(const QString &operatorCode);

// The run's authority for the operator code of the command line. Without a code it is empty:
// full rights, as ever. A code DB0003 does not know is named to the planner, and the run is
// inquiry only ("0"): someone the plant does not know may look at the plan, never write it.
// Throws DbError when the query fails.
QString operatorAuthority(Database &db, const QString &operatorCode, Prompter &prompter);

struct DisplaySettings
{
    int displayMonths = 1;    // default period length, 1..3 months
    int gridUnitMinutes = 1;  // time grid, at least 1 minute
};

// The first row of the system settings, clamped; without a row both are 1.
DisplaySettings readDisplaySettings(Database &db);

// 0 (or less) becomes 1, more than 3 becomes 3.
int clampDisplayMonths(qint64 stored);
// 0 (or less) becomes 1.
int clampGridUnitMinutes(qint64 stored);

} // namespace startup
