#pragma once
// How full each press is over the whole period: the working minutes its lots run inside the
// period against the press's working minutes in the period, as the load strip counts them
// day by day.

#include "editing/MachineLoad.h"

#include <QString>
#include <vector>

struct RowPeriodLoad
{
    int row = 0;
    QString code;
    qint64 plannedMinutes = 0;
    qint64 workingMinutes = 0;

    // Planned against working minutes in percent, rounded; 0 for a press without working
    // time and nothing planned, 999 when something is planned on such a press.
    int percent() const;
};

// One entry for each machine row of the chart, in row order.
std::vector<RowPeriodLoad> periodLoads(const MachineLoad &load, const ChartRows &rows, const WorkCalendar &calendar);

// Every press together: the planned minutes of all against the working minutes of all.
RowPeriodLoad allPresses(const std::vector<RowPeriodLoad> &loads);
