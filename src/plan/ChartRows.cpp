#include "plan/ChartRows.h"

MachineRow &ChartRows::append(const QString &code, const QString &caption)
{
    MachineRow row;
    row.index = count() + 1;
    row.top = (row.index - 1) * RowHeight + FirstTop;
    row.code = code;
    row.caption = caption;
    m_rows.push_back(row);
    return m_rows.back();
}

void ChartRows::padToMinimum()
{
    while (count() < MinimumRows)
        append(QString(), QString());
}

void ChartRows::computeBoundaries()
{
    for (MachineRow &row : m_rows)
        row.lowerBoundary = row.top + BarHeight + (RowHeight - BarHeight) / 2;
}

int ChartRows::rowOfCode(const QString &code) const
{
    if (code.isEmpty())
        return 0;
    for (int index = count(); index >= 1; --index)
        if (row(index).code == code)
            return index;
    return 0;
}

double ChartRows::RowLookup(const QString &machineCode, const QString &destinationCode) const
{
    const bool eitherCode = machineCode.trimmed().isEmpty() || destinationCode.trimmed().isEmpty()
                            || machineCode == destinationCode;
    for (int index = count(); index >= 1; --index) {
        const QString &code = row(index).code;
        if (code.isEmpty())
            continue;
        if (code == machineCode || (eitherCode && code == destinationCode))
            return row(index).top;
    }
    return 0;
}
