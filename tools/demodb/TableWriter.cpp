#include "TableWriter.h"

#include <QSqlError>
#include <algorithm>

namespace {
// Both backends take tens of thousands of placeholders per statement; a few thousand keep
// the statement text small while saving nearly all round trips.
constexpr int PlaceholdersPerStatement = 4000;
constexpr int MaxRowsPerStatement = 200;
} // namespace

TableWriter::TableWriter(Database &db, const QString &table, const QStringList &columns)
    : m_db(db), m_table(table), m_columns(columns)
{
    m_batchRows = std::clamp(PlaceholdersPerStatement / int(std::max<qsizetype>(1, columns.size())), 1,
                             MaxRowsPerStatement);
    m_buffer.reserve(m_batchRows * columns.size());
}

TableWriter::~TableWriter() = default;

QString TableWriter::insertText(int rows) const
{
    QString one = QStringLiteral("(?");
    for (qsizetype c = 1; c < m_columns.size(); ++c)
        one += QStringLiteral(",?");
    one += u')';
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(m_table, m_columns.join(u','));
    for (int r = 0; r < rows; ++r)
        sql += (r == 0 ? QString() : QStringLiteral(",")) + one;
    return sql;
}

void TableWriter::add(const QVariantList &values)
{
    if (values.size() != m_columns.size())
        throw DbError(QStringLiteral("%1 に書き込めません。列の数 %2 に対して値が %3 個あります。")
                          .arg(m_table).arg(m_columns.size()).arg(values.size()));
    m_buffer.append(values);
    if (m_buffer.size() >= m_batchRows * m_columns.size())
        write(m_batchRows);
}

void TableWriter::finish()
{
    if (!m_buffer.isEmpty())
        write(int(m_buffer.size() / m_columns.size()));
}

void TableWriter::write(int rows)
{
    std::unique_ptr<QSqlQuery> partial;
    QSqlQuery *query = nullptr;
    if (rows == m_batchRows) {
        if (!m_fullBatch) {
            m_fullBatch = std::make_unique<QSqlQuery>(m_db.connection());
            if (!m_fullBatch->prepare(insertText(rows)))
                throw DbError(QStringLiteral("%1 に書き込めません。\n%2").arg(m_table, m_fullBatch->lastError().text()));
        }
        query = m_fullBatch.get();
    } else {
        partial = std::make_unique<QSqlQuery>(m_db.connection());
        if (!partial->prepare(insertText(rows)))
            throw DbError(QStringLiteral("%1 に書き込めません。\n%2").arg(m_table, partial->lastError().text()));
        query = partial.get();
    }
    for (qsizetype i = 0; i < m_buffer.size(); ++i)
        query->bindValue(int(i), m_buffer[i]);
    if (!query->exec())
        throw DbError(QStringLiteral("%1 に書き込めません。\n%2").arg(m_table, query->lastError().text()));
    m_written += rows;
    m_buffer.clear();
}
