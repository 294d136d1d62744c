#include "db/Rows.h"

#include "db/RowWriter.h"

#include <QSqlError>
#include <QSqlRecord>

Rows::Rows(QSqlQuery query)
    : m_query(std::make_unique<QSqlQuery>(std::move(query))), m_reader(std::make_unique<RowReader>(*m_query))
{
}

Rows::Rows(Rows &&) noexcept = default;
Rows &Rows::operator=(Rows &&) noexcept = default;
Rows::~Rows() = default;

bool Rows::next()
{
    return m_query->next();
}

QVariant Rows::valueAt(int column) const
{
    return column < 0 ? QVariant() : m_query->value(column);
}

QString Rows::columnName(int column) const
{
    return m_query->record().fieldName(column);
}

QVariantMap Rows::values() const
{
    return rowValues(*m_query);
}

void Rows::finish()
{
    m_query->finish();
}

QString Rows::error() const
{
    return m_query->lastError().isValid() ? m_query->lastError().text() : QString();
}

Rows select(Database &db, const QString &sql, const QVariantList &values)
{
    return Rows(db.run(sql, values));
}

qint64 write(Database &db, const QString &sql, const QVariantList &values)
{
    return db.run(sql, values).numRowsAffected();
}
