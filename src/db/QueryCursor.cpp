#include "db/QueryCursor.h"

#include "common/PlantValues.h"

#include <QSqlError>
#include <QSqlField>

QueryCursor::QueryCursor(QSqlQuery query) : m_query(std::move(query)), m_record(m_query.record())
{
}

bool QueryCursor::next() { return m_query.next(); }
int QueryCursor::columnCount() const { return m_record.count(); }
QString QueryCursor::columnName(int column) const { return m_record.fieldName(column); }
bool QueryCursor::isNull(int column) const { return m_query.isNull(column); }
QVariant QueryCursor::value(int column) const { return m_query.value(column); }

QString QueryCursor::text(int column) const
{
    const QVariant v = m_query.value(column);
    return v.isNull() ? QString() : v.toString();
}

double QueryCursor::number(int column) const
{
    const QVariant v = m_query.value(column);
    if (v.isNull())
        return 0.0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return double(v.toLongLong());
    case QMetaType::Double:
        return v.toDouble();
    default:
        return plant::leadingNumber(v.toString());
    }
}

bool QueryCursor::wholeNumbers(int column) const
{
    const QSqlField field = m_record.field(column);
    switch (field.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return field.length() > 0 && field.precision() == 0;
    }
}

void QueryCursor::finish() { m_query.finish(); }

QString QueryCursor::error() const
{
    return m_query.lastError().isValid() ? m_query.lastError().text() : QString();
}
