#pragma once
// Edited start times are rounded up to the plant's time grid (GridUnitMinutes).

#include <QDate>
#include <QDateTime>
#include <QTime>

// The moment with its time of day rounded up to the next multiple of the grid unit; a time
// already on the grid stays. Rounding past the last multiple of the day gives the next date.
// A grid unit below 1 counts as 1.
QDateTime RoundToGrid(const QDateTime &moment, int gridUnitMinutes);

// The date and time rounded together (23:50 on a 15-minute grid becomes 00:00 of the next date).
void RoundDateTimeToGrid(QDate &date, QTime &time, int gridUnitMinutes);
