#pragma once
// The one connection to the plant's production database: opening it, running statements and
// transactions, and the failures they end in.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>

// A statement or connection that failed. The text names what failed and carries the
// database driver's own error text; windows show it in a message box. A transient failure
// (busy, locked, serialization failure, deadlock) may pass when tried again; any other
// (permission, constraint, missing column) will not.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message, bool isTransient = false)
        : std::runtime_error(message.toStdString()), text(message), transient(isTransient)
    {
    }
    QString text;
    bool transient = false;
};

// The settings file's data-source field: "sqlite:PATH" or a path ending in .db/.sqlite,
// "postgresql://host:port/dbname", or "odbc:DSN".
struct DataSource
{
    enum class Kind { Invalid, Sqlite, Postgres, Odbc };
    Kind kind = Kind::Invalid;
    QString path;       // SQLite file
    QString host;       // PostgreSQL
    int port = 5432;    // PostgreSQL
    QString database;   // PostgreSQL database name or ODBC DSN
    QString original;   // the field as written, for messages

    static DataSource parse(const QString &field);
    QString driverName() const;
};

class Database
{
public:
    // How long a statement waits for a lock another program holds before it fails.
    static constexpr int LockWaitSeconds = 5;

    // Opens the connection; throws DbError naming the data source and the driver's error.
    // A SQLite file must exist already and be a SQLite database: the program never creates an
    // empty plant database, and opening never changes the file. A file the user may only
    // read opens read-only (for viewing; a save is refused).
    static std::unique_ptr<Database> open(const QString &dataSourceField, const QString &user,
                                          const QString &password,
                                          const QString &connectionName = QStringLiteral("kalvuner"),
                                          bool createSqliteFile = false);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QSqlDatabase &connection() { return m_db; }
    DataSource::Kind kind() const { return m_source.kind; }
    const DataSource &source() const { return m_source; }
    // A SQLite plant file the user may only read.
    bool isReadOnly() const { return m_readOnly; }

    // Prepares a statement of the catalogue, binds the values in order and runs it (a
    // statement without placeholders runs directly, so that transaction statements such as
    // SAVEPOINT work on every backend). Throws DbError with the statement and the driver's
    // error text when it fails.
    QSqlQuery run(const QString &sql, const QVariantList &values = {});
    // The same for statements whose placeholders are named (":name").
    QSqlQuery runNamed(const QString &sql, const QVariantMap &values);
    // Runs a script of statements separated by ";" at line ends (the schema file).
    void runScript(const QString &script);

    // Starts a transaction. On SQLite it takes the write lock at once, so that a lock held
    // by another program is waited for (LockWaitSeconds) instead of failing half-way.
    void begin();
    void commit();
    void rollback();

    // Throws DbError for a statement `what` that failed with the driver's error; transient
    // when another program held a lock.
    [[noreturn]] void fail(const QSqlError &error, const QString &what) const;

private:
    Database(QSqlDatabase db, DataSource source, QString name);
    bool isTransient(const QSqlError &error) const;
    QSqlDatabase m_db;
    DataSource m_source;
    QString m_name;
    bool m_readOnly = false;
};
