#include "gantt/GridPosition.h"

#include <algorithm>

void GridPositionMemory::rememberIfEmpty(const GridPosition &current)
{
    if (empty())
        m_position = current;
}

GridPosition GridPositionMemory::restoreTarget(int rows, int columns) const
{
    const GridPosition &p = m_position;
    if (p.row == 0 || p.column == 0)
        return {1, 1, 1, 1};
    GridPosition target;
    target.row = std::max(1, std::min(p.row, rows));
    target.column = std::max(1, std::min(p.column, columns));
    target.topRow = std::max(1, std::min(p.row, p.topRow));
    target.leftColumn = std::max(1, std::min(p.column, p.leftColumn));
    return target;
}
