#include "calendar/GridRounding.h"

#include "common/PlantValues.h"

#include <algorithm>

QDateTime RoundToGrid(const QDateTime &moment, int gridUnitMinutes)
{
    const qint64 grid = qint64(std::max(gridUnitMinutes, 1)) * 60;
    qint64 seconds = moment.time().msecsSinceStartOfDay() / 1000;
    if (seconds % grid != 0)
        seconds = (seconds / grid + 1) * grid;
    return plant::naiveDateTime(moment.date(), QTime(0, 0)).addSecs(seconds);
}

void RoundDateTimeToGrid(QDate &date, QTime &time, int gridUnitMinutes)
{
    const QDateTime rounded = RoundToGrid(plant::naiveDateTime(date, time), gridUnitMinutes);
    date = rounded.date();
    time = rounded.time();
}
