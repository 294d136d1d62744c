#include "editing/RowCodes.h"

namespace rowcodes {

bool isMachineRowCode(const ChartRows &rows, const QString &code)
{
    const int last = std::min(rows.lastMachineRow(), rows.count());
    for (int i = 1; i <= last; ++i)
        if (rows.row(i).code == code)
            return true;
    return false;
}

int firstRowOfTrimmed(const ChartRows &rows, const QString &code)
{
    const QStringView wanted = QStringView(code).trimmed();
    for (int i = 1; i <= rows.count(); ++i)
        if (QStringView(rows.row(i).code).trimmed() == wanted)
            return i;
    return 1;
}

bool isRowCode(const ChartRows &rows, const QString &code)
{
    return !code.trimmed().isEmpty() && rows.rowOfCode(code) > 0;
}

} // namespace rowcodes
