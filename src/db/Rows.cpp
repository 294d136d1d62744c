#include "db/Rows.h"

#include "db/QueryCursor.h"
#include "db/SqliteCursor.h"

Rows::Rows(std::unique_ptr<ResultCursor> cursor)
    : m_cursor(std::move(cursor)), m_reader(std::make_unique<RowReader>(*m_cursor))
{
}

Rows::Rows(Rows &&) noexcept = default;
Rows &Rows::operator=(Rows &&) noexcept = default;
Rows::~Rows() = default;

bool Rows::next() { return m_cursor->next(); }
QVariant Rows::valueAt(int column) const { return m_reader->valueAt(column); }
QString Rows::columnName(int column) const { return m_cursor->columnName(column); }
void Rows::finish() { m_cursor->finish(); }
QString Rows::error() const { return m_cursor->error(); }

QVariantMap Rows::values() const
{
    QVariantMap row;
    for (int i = 0; i < m_cursor->columnCount(); ++i) {
        const QString name = m_cursor->columnName(i);
        if (!row.contains(name))
            row.insert(name, m_cursor->value(i));
    }
    return row;
}

Rows select(Database &db, const QString &sql, const QVariantList &values)
{
    if (db.kind() == DataSource::Kind::Sqlite)
        return Rows(std::make_unique<SqliteCursor>(db, sql, values));
    return Rows(std::make_unique<QueryCursor>(db.run(sql, values)));
}

qint64 write(Database &db, const QString &sql, const QVariantList &values)
{
    return db.run(sql, values).numRowsAffected();
}
