#include "editing/PeriodLoad.h"

#include <cmath>

int RowPeriodLoad::percent() const
{
    if (workingMinutes <= 0)
        return plannedMinutes > 0 ? 999 : 0;
    return int(std::lround(100.0 * double(plannedMinutes) / double(workingMinutes)));
}

std::vector<RowPeriodLoad> periodLoads(const MachineLoad &load, const ChartRows &rows, const WorkCalendar &calendar)
{
    std::vector<RowPeriodLoad> loads;
    for (int row = 2; row <= rows.lastMachineRow(); ++row) {
        RowPeriodLoad press{row, rows.row(row).code.trimmed()};
        for (qint64 day = 0; day <= calendar.periodDays(); ++day) {
            press.plannedMinutes += load.plannedMinutes(row, day);
            press.workingMinutes += load.workingMinutes(row, day);
        }
        loads.push_back(press);
    }
    return loads;
}

RowPeriodLoad allPresses(const std::vector<RowPeriodLoad> &loads)
{
    RowPeriodLoad all;
    for (const RowPeriodLoad &press : loads) {
        all.plannedMinutes += press.plannedMinutes;
        all.workingMinutes += press.workingMinutes;
    }
    return all;
}
