#include "db/RowReader.h"

#include "common/PlantValues.h"

RowReader::RowReader(const ResultCursor &cursor) : m_cursor(cursor)
{
    for (int i = 0; i < cursor.columnCount(); ++i) {
        const QString key = cursor.columnName(i).toLower();
        if (!m_columns.contains(key))
            m_columns.insert(key, i);
    }
}

int RowReader::column(const QString &name) const
{
    return m_columns.value(name.toLower(), -1);
}

bool RowReader::isNullAt(int column) const { return column < 0 || m_cursor.isNull(column); }
QVariant RowReader::valueAt(int column) const { return column < 0 ? QVariant() : m_cursor.value(column); }
QString RowReader::textAt(int column) const { return column < 0 ? QString() : m_cursor.text(column); }
double RowReader::numberAt(int column) const { return column < 0 ? 0.0 : m_cursor.number(column); }
bool RowReader::wholeNumbersAt(int column) const { return column >= 0 && m_cursor.wholeNumbers(column); }

bool RowReader::isNull(const QString &name) const { return isNullAt(column(name)); }
QVariant RowReader::value(const QString &name) const { return valueAt(column(name)); }
QString RowReader::text(const QString &name) const { return textAt(column(name)); }
double RowReader::number(const QString &name) const { return numberAt(column(name)); }
qint64 RowReader::integer(const QString &name) const { return plant::roundHalfEven(number(name)); }
QDate RowReader::date(const QString &name) const { return plant::dateFromDb(text(name)); }
QTime RowReader::time(const QString &name) const { return plant::timeFromDb(plant::intFloor(number(name))); }
