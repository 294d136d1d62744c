#pragma once
// Twip2DateTime: turns a bar's left edge back into its lot's start and end.

#include "gantt/BarGeometry.h"

#include <QDateTime>
#include <QString>

struct PlanRecord;
class ChartRows;
class WorkingTime;

// The first working moment of the row at or after `moment`; the moment itself on rows without
// calendar and after the calendar's last day.
QDateTime nextWorkingMoment(const QDateTime &moment, int row, const WorkingTime &workingTime, int calendarDays);

struct LotTimes
{
    QDateTime start;
    QDateTime end;
};

// The lot's start and end when its bar is let go at `moment`: the start moved to the next
// working moment of the row of `machineCode`, rounded up to the time grid and moved to a
// working moment again; the end after the lot's setup and work minutes over that row's working
// time. A drop by the mouse and a move from a script both snap their start here.
LotTimes lotTimesFrom(const PlanRecord &record, const QDateTime &moment, const QString &machineCode,
                      const ChartRows &rows, const WorkingTime &workingTime, int gridUnitMinutes, int calendarDays);

// Twip2DateTime: the lot's times from the bar's left edge (a bar above 300 twips lies on the
// strip and uses its scale), snapped as lotTimesFrom does.
LotTimes timesAtBarLeft(const PlanRecord &record, const BarGeometry &bar, const QString &machineCode,
                        const TimeScale &scale, const ChartRows &rows, const WorkingTime &workingTime,
                        int gridUnitMinutes);
