#pragma once
// The state of the row scroll bar KScroll: which ten rows the labels MachineName(1..10) show
// and how far the main chart surface is moved up.

#include "plan/ChartRows.h"

class RowScroll
{
public:
    // More than ten rows scroll (maximum rows - 10, large change 9); ten rows do not.
    explicit RowScroll(int rowCount);

    int maximum() const { return m_maximum; }
    int largeChange() const { return m_largeChange; }
    int value() const { return m_value; }
    // Sets the value, kept within 0 .. maximum.
    void setValue(int value);

    // The row label i (1..10) shows row value + i; 0 when there is no such row.
    int rowOfLabel(int label) const;
    QString labelCaption(const ChartRows &rows, int label) const;
    // The row label i as its two lines: the row's code, then its name on one line.
    QString labelCode(const ChartRows &rows, int label) const;
    QString labelName(const ChartRows &rows, int label) const;
    // The top of the main chart surface, twips.
    double surfaceTop() const { return -m_value * ChartRows::RowHeight; }

private:
    int m_maximum = 0;
    int m_largeChange = 1;
    int m_value = 0;
};

// A row's label as its two lines, wherever it is shown (the labels beside the chart, a printed
// page): the row's code, then its name on one line.
QString rowLabelCode(const ChartRows &rows, int row);
QString rowLabelName(const ChartRows &rows, int row);
