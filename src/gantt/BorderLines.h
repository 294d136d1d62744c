#pragma once
// DrawBorderLine: the horizontal lines between the chart's rows on the main surface.

#include <QtGlobal>
#include <vector>

class ChartRows;

struct BorderLines
{
    qint64 left = 0;
    qint64 right = 0;
    std::vector<qint64> heights; // one per row, at its lower boundary
};

BorderLines DrawBorderLine(const ChartRows &rows, qint64 left, qint64 right);
