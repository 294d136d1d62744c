#include "gantt/Twip2DateTime.h"

#include "plan/PlanRecord.h"
#include "calendar/GridRounding.h"
#include "calendar/WorkingTime.h"
#include "gantt/BarLayout.h"

QDateTime nextWorkingMoment(const QDateTime &moment, int row, const WorkingTime &workingTime, int calendarDays)
{
    // A working day with time left gives its first working moment; a day without gives way to
    // the next one. After the calendar every day has working time, so this ends.
    QDateTime at = moment;
    for (int day = 0; day <= calendarDays + 2; ++day) {
        const RemainingWork today = workingTime.RemainingWorkMinutes(at, row);
        if (today.minutes > 0)
            return workingTime.AdvanceWithinDay(at, row, 0);
        at = today.nextDayStart;
    }
    return at;
}

LotTimes lotTimesFrom(const PlanRecord &record, const QDateTime &moment, const QString &machineCode,
                      const ChartRows &rows, const WorkingTime &workingTime, int gridUnitMinutes, int calendarDays)
{
    const int row = rows.rowOfCode(machineCode);
    LotTimes times;
    times.start = nextWorkingMoment(moment, row, workingTime, calendarDays);
    times.start = nextWorkingMoment(RoundToGrid(times.start, gridUnitMinutes), row, workingTime, calendarDays);
    times.end = workingTime.AddWorkMinutes(times.start, record.SetupMinutes + record.WorkMinutes, record, machineCode);
    return times;
}

LotTimes timesAtBarLeft(const PlanRecord &record, const BarGeometry &bar, const QString &machineCode,
                        const TimeScale &scale, const ChartRows &rows, const WorkingTime &workingTime,
                        int gridUnitMinutes)
{
    const ChartSurface surface = double(bar.top) > StripRowLimit ? ChartSurface::Main : ChartSurface::Strip;
    return lotTimesFrom(record, scale.dateTimeAtX(double(bar.left), surface), machineCode, rows, workingTime,
                        gridUnitMinutes, scale.periodDays());
}
