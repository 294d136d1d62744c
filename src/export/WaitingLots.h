#pragma once
// The lots waiting on 未割付 as the printed chart lists them on pages after the chart: they
// have no machine row, and the strip's own scale has no place on paper.

#include <QStringList>
#include <vector>

class GanttChart;
struct PlanRecord;

// The lots whose bars lie on the strip, earliest due date first, then by arrangement number.
std::vector<qint64> waitingLots(const GanttChart &chart);

// The captions of the list's columns, and one lot's line under them.
const QStringList &waitingListCaptions();
QStringList waitingListLine(const PlanRecord &lot);
