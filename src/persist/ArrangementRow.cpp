#include "persist/ArrangementRow.h"

#include "db/Rows.h"
#include "db/RowWriter.h"
#include "db/Statements.h"
#include "common/PlantValues.h"
#include "persist/ChangedElsewhere.h"
#include "persist/SaveSession.h"


namespace {

// A row's values by column names in lower case, as PostgreSQL folds them.
QVariantMap lowerCased(const QVariantMap &read)
{
    QVariantMap row;
    for (auto it = read.cbegin(); it != read.cend(); ++it)
        row.insert(it.key().toLower(), it.value());
    return row;
}

} // namespace

std::optional<QVariantMap> ArrangementRow::readRowIfThere(SaveSession &session, qint64 number, const QString &statement)
{
    Rows rows = session.query(statement, {number});
    if (!rows.next())
        return std::nullopt;
    return lowerCased(rows.values());
}

QVariantMap ArrangementRow::readRow(SaveSession &session, qint64 number, const QString &statement)
{
    std::optional<QVariantMap> row = readRowIfThere(session, number, statement);
    if (!row)
        throw DbError(QStringLiteral("手配番号 %1 の手配がデータベースにありません。").arg(number));
    return std::move(*row);
}

ArrangementRow ArrangementRow::readForWriting(SaveSession &session, qint64 number)
{
    const bool locks = session.db().kind() == DataSource::Kind::Postgres;
    ArrangementRow row;
    try {
        row.m_values = readRow(session, number, locks ? sql::ArrangementByNoForUpdate : sql::ArrangementByNo);
    } catch (const DbError &) {
        session.elsewhere().missing(number);
        throw;
    }
    session.elsewhere().compare(number, row);
    return row;
}

std::optional<ArrangementRow> ArrangementRow::readToCompare(SaveSession &session, qint64 number)
{
    std::optional<QVariantMap> values = readRowIfThere(session, number, sql::ArrangementByNo);
    if (!values)
        return std::nullopt;
    ArrangementRow row;
    row.m_values = std::move(*values);
    return row;
}

ArrangementRow ArrangementRow::copyOf(SaveSession &session, qint64 source)
{
    ArrangementRow row;
    row.m_values = readRow(session, source, sql::ArrangementByNo);
    row.m_new = true;
    row.set(QStringLiteral("指示書発行日"), QStringLiteral("00000000"));
    row.set(QStringLiteral("受入実績数"), 0);
    row.set(QStringLiteral("手配実績数"), 0);
    row.set(QStringLiteral("完納区分"), QStringLiteral("0"));
    return row;
}

QVariant ArrangementRow::value(const QString &column) const
{
    return m_values.value(column.toLower());
}

QString ArrangementRow::text(const QString &column) const
{
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

double ArrangementRow::number(const QString &column) const
{
    return plant::leadingNumber(text(column));
}

qint64 ArrangementRow::integer(const QString &column) const
{
    return plant::roundHalfEven(number(column));
}

void ArrangementRow::set(const QString &column, const QVariant &value)
{
    m_values.insert(column.toLower(), value);
    m_assigned.insert(column.toLower(), value);
}

void ArrangementRow::setText(const QString &column, const QString &text)
{
    const QVariant stored = value(column);
    const bool storedBlank = stored.isNull() || stored.toString().trimmed().isEmpty();
    if (text.trimmed().isEmpty() && storedBlank)
        return;
    set(column, text.isNull() ? QStringLiteral("") : text);
}

void ArrangementRow::write(SaveSession &session)
{
    if (m_new) {
        session.insert(QStringLiteral("DB0253"), m_values);
    } else if (!m_assigned.isEmpty()) {
        session.update(QStringLiteral("DB0253"), {{QStringLiteral("手配番号"), m_values.value(QStringLiteral("手配番号"))}},
                       m_assigned);
    }
    m_assigned.clear();
    m_new = false;
}
