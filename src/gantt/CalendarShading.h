#pragma once
// Grey boxes over the non-working time of each machine row, from its working calendar.
// In week mode the time after a day's last shift is shaded from that shift's hour to the next
// day's start; in every mode the rest of the non-working time is shaded from the day's working
// spans: time before and between shifts, breaks wide enough to be seen at the mode's scale,
// and whole days without working hours.

#include "gantt/TimeScale.h"

#include <vector>

class ChartRows;
class WorkCalendar;

struct ShadingBox
{
    qint64 left = 0;
    qint64 top = 0;
    qint64 width = 0;
    qint64 height = 0;
    qint64 right() const { return left + width; }
};

// Boxes grouped by row and, within a row, in ascending x without overlap.
struct CalendarShading
{
    std::vector<ShadingBox> boxes;
    // boxes[rowBegin[r] .. rowBegin[r + 1]) belong to row r (index 0 unused).
    std::vector<size_t> rowBegin;

    // The boxes of row r that reach into [x0, x1).
    std::pair<const ShadingBox *, const ShadingBox *> rowBoxesIn(int row, double x0, double x1) const;
};

CalendarShading shadeNonWorkingTime(const TimeScale &scale, const ChartRows &rows, const WorkCalendar &calendar);
