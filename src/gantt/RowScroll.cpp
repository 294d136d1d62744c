#include "gantt/RowScroll.h"

#include <algorithm>

RowScroll::RowScroll(int rowCount)
{
    if (rowCount > ChartRows::LabelCount) {
        m_maximum = rowCount - ChartRows::LabelCount;
        m_largeChange = ChartRows::LabelCount - 1;
    }
}

void RowScroll::setValue(int value)
{
    m_value = std::clamp(value, 0, m_maximum);
}

int RowScroll::rowOfLabel(int label) const
{
    return label >= 1 && label <= ChartRows::LabelCount ? m_value + label : 0;
}

QString RowScroll::labelCaption(const ChartRows &rows, int label) const
{
    const int row = rowOfLabel(label);
    return row >= 1 && row <= rows.count() ? rows.row(row).caption : QString();
}

QString RowScroll::labelCode(const ChartRows &rows, int label) const
{
    return rowLabelCode(rows, rowOfLabel(label));
}

QString RowScroll::labelName(const ChartRows &rows, int label) const
{
    return rowLabelName(rows, rowOfLabel(label));
}

QString rowLabelCode(const ChartRows &rows, int row)
{
    return row >= 1 && row <= rows.count() ? rows.row(row).code.trimmed() : QString();
}

QString rowLabelName(const ChartRows &rows, int row)
{
    const QString code = rowLabelCode(rows, row);
    QString name = row >= 1 && row <= rows.count() ? rows.row(row).caption : QString();
    if (!code.isEmpty() && name.startsWith(code))
        name.remove(0, code.size());
    // A subcontractor's caption breaks before its brackets; the label's name line does not.
    return name.simplified();
}
