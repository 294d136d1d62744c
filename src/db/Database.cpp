#include "db/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

DataSource DataSource::parse(const QString &field)
{
    DataSource ds;
    ds.original = field;
    const QString f = field.trimmed();
    if (f.startsWith(QStringLiteral("sqlite:"), Qt::CaseInsensitive)) {
        ds.kind = Kind::Sqlite;
        ds.path = f.mid(7);
    } else if (f.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive)
               || f.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive)) {
        const QUrl url(f);
        if (url.isValid() && !url.host().isEmpty()) {
            ds.kind = Kind::Postgres;
            ds.host = url.host();
            ds.port = url.port(5432);
            ds.database = url.path().mid(1);
        }
    } else if (f.startsWith(QStringLiteral("odbc:"), Qt::CaseInsensitive)) {
        ds.kind = Kind::Odbc;
        ds.database = f.mid(5);
    } else if (f.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive)
               || f.endsWith(QStringLiteral(".sqlite"), Qt::CaseInsensitive)) {
        ds.kind = Kind::Sqlite;
        ds.path = f;
    }
    if ((ds.kind == Kind::Sqlite && ds.path.isEmpty()) || (ds.kind == Kind::Odbc && ds.database.isEmpty()))
        ds.kind = Kind::Invalid;
    return ds;
}

QString DataSource::driverName() const
{
    switch (kind) {
    case Kind::Sqlite: return QStringLiteral("QSQLITE");
    case Kind::Postgres: return QStringLiteral("QPSQL");
    case Kind::Odbc: return QStringLiteral("QODBC");
    case Kind::Invalid: break;
    }
    return {};
}

Database::Database(QSqlDatabase db, DataSource source, QString name)
    : m_db(std::move(db)), m_source(std::move(source)), m_name(std::move(name))
{
}

Database::~Database()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

namespace {

// An existing SQLite plant file is checked before the driver sees it, because the driver
// would turn an empty file into a new database. True when the file may only be read.
bool opensReadOnly(const QString &where, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(where + QStringLiteral("に接続できません。ファイルがありません: %1").arg(path));
    if (!info.isFile())
        throw DbError(where + QStringLiteral("に接続できません。通常のファイルではありません: %1").arg(path));
    if (info.size() == 0)
        throw DbError(where + QStringLiteral("に接続できません。ファイルが空です: %1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(where + QStringLiteral("に接続できません。ファイルを読めません: %1").arg(path));
    static const QByteArray header("SQLite format 3\0", 16);
    if (file.read(header.size()) != header)
        throw DbError(where + QStringLiteral("に接続できません。SQLite のデータベースではありません: %1").arg(path));
    // A file marked read-only for everyone counts as read-only even for an administrator.
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

} // namespace

std::unique_ptr<Database> Database::open(const QString &field, const QString &user, const QString &password,
                                         const QString &connectionName, bool createSqliteFile)
{
    const DataSource ds = DataSource::parse(field);
    const QString where = QStringLiteral("データソース「%1」").arg(field);
    if (ds.kind == DataSource::Kind::Invalid)
        throw DbError(where + QStringLiteral("の形式が正しくありません。"
                                             "sqlite:ファイル、postgresql://ホスト:ポート/データベース名、odbc:DSN のいずれかを指定してください。"));
    if (!QSqlDatabase::isDriverAvailable(ds.driverName()))
        throw DbError(where + QStringLiteral("に接続できません。ドライバ %1 がありません。").arg(ds.driverName()));
    const bool readOnly = ds.kind == DataSource::Kind::Sqlite && !createSqliteFile && opensReadOnly(where, ds.path);

    // Adding a connection under a name in use would silently cut off the open one.
    if (QSqlDatabase::contains(connectionName))
        throw DbError(where + QStringLiteral("に接続できません。接続名「%1」は既に使われています。").arg(connectionName));

    QSqlDatabase db = QSqlDatabase::addDatabase(ds.driverName(), connectionName);
    switch (ds.kind) {
    case DataSource::Kind::Sqlite:
        db.setDatabaseName(ds.path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        break;
    case DataSource::Kind::Postgres:
        db.setHostName(ds.host);
        db.setPort(ds.port);
        db.setDatabaseName(ds.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        break;
    case DataSource::Kind::Odbc:
        db.setDatabaseName(ds.database);
        break;
    case DataSource::Kind::Invalid:
        break;
    }
    db.setUserName(user);
    db.setPassword(password);
    if (!db.open()) {
        const QString error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw DbError(where + QStringLiteral("に接続できません。\n") + error);
    }
    auto database = std::unique_ptr<Database>(new Database(db, ds, connectionName));
    database->m_readOnly = readOnly;
    if (ds.kind == DataSource::Kind::Sqlite) {
        // Settings of this connection only: opening never changes the plant file. Its journal
        // mode stays as the file has it (the demo plant is written with a write-ahead log, so
        // that a commit per lot needs no flush of its own).
        database->run(QStringLiteral("PRAGMA foreign_keys = ON"));
        database->run(QStringLiteral("PRAGMA busy_timeout = %1").arg(LockWaitSeconds * 1000));
        database->run(QStringLiteral("PRAGMA synchronous = NORMAL"));
    } else if (ds.kind == DataSource::Kind::Postgres) {
        // A lock another program holds is waited for as long as on SQLite, not for ever.
        database->run(QStringLiteral("SET lock_timeout = '%1s'").arg(LockWaitSeconds));
    }
    return database;
}

bool Database::isTransient(const QSqlError &error) const
{
    const QString code = error.nativeErrorCode();
    if (m_source.kind == DataSource::Kind::Sqlite) {
        const int primary = code.toInt() & 0xff; // the primary code of an extended one
        return primary == 5 || primary == 6;     // SQLITE_BUSY, SQLITE_LOCKED
    }
    // SQLSTATE: serialization failure, deadlock detected, lock not available.
    return code == QStringLiteral("40001") || code == QStringLiteral("40P01") || code == QStringLiteral("55P03");
}

void Database::fail(const QSqlError &error, const QString &what) const
{
    const bool transient = isTransient(error);
    QString text = QStringLiteral("データベースの処理に失敗しました。\n%1\n%2").arg(error.text(), what.simplified().left(400));
    if (transient)
        text += QStringLiteral("\n他のプログラムがデータベースを使用中です（%1 秒待ちました）。").arg(LockWaitSeconds);
    throw DbError(text, transient);
}

QSqlQuery Database::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    // A statement with nothing to bind runs as it is: PostgreSQL cannot prepare statements
    // such as SAVEPOINT, and there is no value that could need binding.
    if (values.isEmpty() && !sql.contains(u'?')) {
        if (!query.exec(sql))
            fail(query.lastError(), sql);
        return query;
    }
    if (!query.prepare(sql))
        fail(query.lastError(), sql);
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        fail(query.lastError(), sql);
    return query;
}

QSqlQuery Database::runNamed(const QString &sql, const QVariantMap &values)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query.lastError(), sql);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.bindValue(u':' + it.key(), it.value());
    if (!query.exec())
        fail(query.lastError(), sql);
    return query;
}

void Database::runScript(const QString &script)
{
    QString statement;
    for (const QString &line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QStringLiteral("--")))
            continue;
        statement += line + u'\n';
        if (trimmed.endsWith(u';')) {
            QSqlQuery query(m_db);
            if (!query.exec(statement))
                fail(query.lastError(), statement);
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty()) {
        QSqlQuery query(m_db);
        if (!query.exec(statement))
            fail(query.lastError(), statement);
    }
}

void Database::begin()
{
    if (m_source.kind == DataSource::Kind::Sqlite) {
        run(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    if (!m_db.transaction())
        fail(m_db.lastError(), QStringLiteral("BEGIN"));
}

void Database::commit()
{
    if (!m_db.commit())
        fail(m_db.lastError(), QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    m_db.rollback();
}
