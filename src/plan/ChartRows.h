#pragma once
// The chart's rows: row 1 is the unassigned row, then one row per machine of the process
// class, then one per subcontractor of the class, and at least ten rows in all. Rows are
// 600 twips high; row 1 starts at 240.

#include <QString>
#include <vector>

struct MachineRow
{
    int index = 0;             // row number, 1 = the unassigned row
    double top = 0;            // twips on the chart surfaces
    QString code;              // 機械コード or 仕入先コード as read; eight blanks for row 1
    QString caption;           // the row label; lines are separated by "\n"
    double lowerBoundary = 0;  // the line between this row and the next
};

class ChartRows
{
public:
    static constexpr double RowHeight = 600;
    static constexpr double FirstTop = 240;
    // Height of the bar template: bars are laid out in the upper half of their row.
    static constexpr double BarHeight = 300;
    static constexpr int MinimumRows = 10;
    static constexpr int LabelCount = 10;

    void clear() { m_rows.clear(); m_lastMachineRow = 0; }

    // Appends a row with the next number and its top; returns it.
    MachineRow &append(const QString &code, const QString &caption);
    // Marks the rows so far as the machine rows (1 .. count()).
    void closeMachineRows() { m_lastMachineRow = count(); }
    // Appends empty rows until there are at least ten.
    void padToMinimum();
    // The lower boundaries of all rows: top + h + (600 - h) / 2 with h the bar height.
    void computeBoundaries();

    int count() const { return int(m_rows.size()); }
    int lastMachineRow() const { return m_lastMachineRow; }
    bool isMachineRow(int row) const { return row >= 2 && row <= m_lastMachineRow; }
    const MachineRow &row(int index) const { return m_rows[size_t(index - 1)]; } // 1 .. count()

    // The highest-numbered row whose code is not empty and equals the code exactly; 0 without.
    int rowOfCode(const QString &code) const;

    // The top of the row a lot belongs to, from its machine code and its instruction-
    // destination code (指示先コード); 0 when no row matches (above the strip). A lot with
    // both codes set and different is placed by its machine code only.
    double RowLookup(const QString &machineCode, const QString &destinationCode) const;
    // Whether a lot with these codes waits on the unassigned strip: its row is row 1 or none.
    bool waitsOnStrip(const QString &machineCode, const QString &destinationCode) const
    {
        return RowLookup(machineCode, destinationCode) <= FirstTop;
    }

private:
    std::vector<MachineRow> m_rows;
    int m_lastMachineRow = 0;
};
