#pragma once
// The rows of a statement on a SQLite plant file, read from the SQLite library itself on the
// connection Qt's driver opened. Cells keep the types Qt's driver would give them, so that a
// row reads the same on every road; texts are made from the stored UTF-8 only when asked for.

#include "db/ResultCursor.h"

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

class Database;
struct sqlite3_stmt;

class SqliteCursor final : public ResultCursor
{
public:
    // Prepares the statement, binds the values in order and reads the first row, so that a
    // statement that fails, fails here. Throws DbError as Database::run does.
    SqliteCursor(Database &db, const QString &sql, const QVariantList &values);

    bool next() override;
    int columnCount() const override;
    QString columnName(int column) const override;
    bool isNull(int column) const override;
    QVariant value(int column) const override;
    QString text(int column) const override;
    double number(int column) const override;
    bool wholeNumbers(int column) const override;
    void finish() override;
    QString error() const override;

private:
    enum class State { BeforeFirstRow, Reading, Done };
    struct Finalize
    {
        void operator()(sqlite3_stmt *statement) const;
    };
    // Steps to the next row and takes its cells' types; false at the end or on a failure.
    bool step();
    sqlite3_stmt *statement() const { return m_statement.get(); }

    std::unique_ptr<sqlite3_stmt, Finalize> m_statement;
    State m_state = State::Done;
    QStringList m_names;
    std::vector<int> m_types;          // the storage class of each cell of the current row
    // The text last made in each column, with the stored bytes it was made from. Consecutive
    // rows often hold the same text in a column (flags, the machine, the plan's item), and the
    // load asks for many cells more than once: equal bytes give the very same text again, so
    // that no new copy is made and equal texts share one.
    mutable std::vector<std::string> m_lastBytes;
    mutable std::vector<QString> m_lastTexts;
    std::vector<int> m_firstRowTypes;  // for columns that declare no type
    QString m_error;
};
