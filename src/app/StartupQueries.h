#pragma once
// The two look-ups of start-up: the operator's authority and the plant's display settings.

#include <QString>

class Database;

namespace startup {

// The operator's Kalvuner authority ("0" inquiry only, "1" may skip the class window);
// empty when the operator has no row. Throws DbError when the query fails.
QString readAuthority(Database &db, const QString &operatorCode);

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
