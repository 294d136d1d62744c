#pragma once
// What the floors above this one get of the database: the rows a statement of the catalogue
// returns, read forward with the plant's conventions, and the count of rows a writing
// statement wrote. The driver's query, and with it the running of statements, stays on this
// floor; the values are always bound, never pasted into the statement's text.

#include "db/Database.h"
#include "db/RowReader.h"

#include <QVariantMap>
#include <memory>

class Rows
{
public:
    explicit Rows(std::unique_ptr<ResultCursor> cursor);
    Rows(Rows &&) noexcept;
    Rows &operator=(Rows &&) noexcept;
    ~Rows();

    // Moves to the next row; false after the last one.
    bool next();
    // The current row, read by column name with the plant's conventions; the names are looked
    // up once for all rows of the result.
    const RowReader &row() const { return *m_reader; }
    // The current row's value in a column by position (none for -1), and a column's name as
    // the result gives it, for messages.
    QVariant valueAt(int column) const;
    QString columnName(int column) const;
    // The whole current row as column -> value; a name that occurs twice keeps its first value.
    QVariantMap values() const;
    // Lets the statement go before its last row was read, so that the next one may write.
    void finish();
    // The driver's error text when reading the rows broke off (a lost connection); empty
    // otherwise.
    QString error() const;

private:
    std::unique_ptr<ResultCursor> m_cursor; // on the heap: the reader keeps its address
    std::unique_ptr<RowReader> m_reader;
};

// Runs a statement of the catalogue with its values bound in order and returns its rows.
// Throws DbError with the statement and the driver's error text when it fails.
Rows select(Database &db, const QString &sql, const QVariantList &values = {});

// Runs a writing statement of the catalogue (or a savepoint statement); returns the number of
// rows it wrote. Throws DbError as above.
qint64 write(Database &db, const QString &sql, const QVariantList &values = {});
