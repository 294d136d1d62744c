#pragma once
// Writes many rows into one table fast: one prepared multi-row INSERT with bound values,
// reused for every full batch. Used inside one transaction by the demo plant writer.

#include "db/Database.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <memory>

class TableWriter
{
public:
    TableWriter(Database &db, const QString &table, const QStringList &columns);
    ~TableWriter();

    // One row, its values in the order of the columns. Throws DbError when a batch fails.
    void add(const QVariantList &values);
    // Writes the rows still buffered.
    void finish();
    qint64 rowsWritten() const { return m_written; }
    const QString &table() const { return m_table; }

private:
    void write(int rows);
    QString insertText(int rows) const;

    Database &m_db;
    QString m_table;
    QStringList m_columns;
    int m_batchRows = 1;
    QVariantList m_buffer;
    std::unique_ptr<QSqlQuery> m_fullBatch;
    qint64 m_written = 0;
};
