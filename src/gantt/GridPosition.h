#pragma once
// Where the plan list's cursor and scroll stand, in the list's own numbering: rows and
// columns count from 1 (row 1 the first lot, column 1 the first column after the fixed one),
// 0 meaning "not set". The list remembers one position across rebuilds: a rebuild remembers
// the current one only when nothing is remembered yet, an edit that re-places a lot
// remembers the position it was made at, and a machine change forgets it so that the next
// rebuild starts from wherever the cursor then is.

struct GridPosition
{
    int row = 0;
    int column = 0;
    int topRow = 0;
    int leftColumn = 0;

    bool operator==(const GridPosition &) const = default;
};

class GridPositionMemory
{
public:
    const GridPosition &remembered() const { return m_position; }
    bool empty() const { return m_position.topRow == 0 && m_position.leftColumn == 0; }

    // At the start of a rebuild.
    void rememberIfEmpty(const GridPosition &current);
    // Before an edit re-places a lot.
    void remember(const GridPosition &current) { m_position = current; }
    void forget() { m_position = {}; }

    // Where the cursor and scroll go after a rebuild that left `rows` rows and `columns`
    // columns: row 1, column 1 at the top left when no row or column is remembered; otherwise
    // the remembered cell clamped to the list, scrolled to no further than it.
    GridPosition restoreTarget(int rows, int columns) const;

private:
    GridPosition m_position;
};
