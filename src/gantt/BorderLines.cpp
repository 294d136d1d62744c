#include "gantt/BorderLines.h"

#include "plan/ChartRows.h"

BorderLines DrawBorderLine(const ChartRows &rows, qint64 left, qint64 right)
{
    BorderLines lines;
    lines.left = left;
    lines.right = right;
    lines.heights.reserve(size_t(rows.count()));
    for (int row = 1; row <= rows.count(); ++row)
        lines.heights.push_back(qint64(rows.row(row).lowerBoundary));
    return lines;
}
