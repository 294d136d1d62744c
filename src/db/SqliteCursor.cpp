#include "db/SqliteCursor.h"

#include "db/Database.h"
#include "common/PlantValues.h"

#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace {

// The SQLite connection behind Qt's driver. The driver links the same SQLite library as this
// program (the system's), so that its connection is one this library may use.
sqlite3 *handleOf(Database &db)
{
    const QVariant handle = db.connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

QSqlError sqliteError(sqlite3 *handle, const char *what, int code)
{
    return QSqlError(QString::fromLatin1(what), QString::fromUtf8(sqlite3_errmsg(handle)),
                     QSqlError::StatementError, QString::number(code));
}

// What the driver binds as null: no value, or a null text or byte array (Qt 6 holds either
// as a value that is not null itself).
bool boundAsNull(const QVariant &value)
{
    if (value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString().isNull();
    case QMetaType::QByteArray: return value.toByteArray().isNull();
    default: return false;
    }
}

int bind(sqlite3_stmt *statement, int position, const QVariant &value)
{
    if (boundAsNull(value))
        return sqlite3_bind_null(statement, position);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, position, value.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return sqlite3_bind_double(statement, position, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(statement, position, bytes.constData(), sqlite3_uint64(bytes.size()),
                                   SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text64(statement, position, text.constData(), sqlite3_uint64(text.size()),
                                   SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
}

} // namespace

void SqliteCursor::Finalize::operator()(sqlite3_stmt *statement) const
{
    sqlite3_finalize(statement);
}

SqliteCursor::SqliteCursor(Database &db, const QString &sql, const QVariantList &values)
{
    sqlite3 *handle = handleOf(db);
    if (!handle)
        db.fail(QSqlError(QStringLiteral("No SQLite connection"), QString(), QSqlError::ConnectionError), sql);
    const QByteArray text = sql.toUtf8();
    const char *tail = nullptr;
    sqlite3_stmt *prepared = nullptr;
    const int result = sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &prepared, &tail);
    m_statement.reset(prepared);
    if (result != SQLITE_OK || !prepared)
        db.fail(sqliteError(handle, "Unable to execute statement", result), sql);
    if (!QByteArrayView(tail, text.constData() + text.size() - tail).trimmed().isEmpty())
        db.fail(QSqlError(QStringLiteral("Unable to execute multiple statements at a time"), QString(),
                          QSqlError::StatementError),
                sql);
    if (sqlite3_bind_parameter_count(prepared) != values.size())
        db.fail(QSqlError(QStringLiteral("Parameter count mismatch"), QString(), QSqlError::StatementError), sql);
    for (int i = 0; i < values.size(); ++i)
        if (const int bound = bind(prepared, i + 1, values[i]); bound != SQLITE_OK)
            db.fail(sqliteError(handle, "Unable to bind parameters", bound), sql);

    const int columns = sqlite3_column_count(prepared);
    for (int i = 0; i < columns; ++i)
        m_names << QString::fromUtf8(sqlite3_column_name(prepared, i)).remove(u'"');
    m_types.assign(size_t(columns), SQLITE_NULL);
    m_lastBytes.resize(size_t(columns));
    m_lastTexts.resize(size_t(columns));
    m_state = State::Reading;
    if (step()) {
        m_state = State::BeforeFirstRow;
        m_firstRowTypes = m_types;
    } else if (!m_error.isEmpty()) {
        db.fail(sqliteError(handle, "Unable to fetch row", sqlite3_errcode(handle)), sql);
    }
}

bool SqliteCursor::step()
{
    const int result = sqlite3_step(statement());
    if (result == SQLITE_ROW) {
        for (size_t i = 0; i < m_types.size(); ++i)
            m_types[i] = sqlite3_column_type(statement(), int(i));
        return true;
    }
    if (result != SQLITE_DONE) {
        sqlite3 *handle = sqlite3_db_handle(statement());
        m_error = QString::fromUtf8(sqlite3_errmsg(handle)) + QStringLiteral(" Unable to fetch row");
    }
    m_state = State::Done;
    return false;
}

bool SqliteCursor::next()
{
    switch (m_state) {
    case State::BeforeFirstRow:
        m_state = State::Reading;
        return true;
    case State::Reading:
        return step();
    case State::Done:
        break;
    }
    return false;
}

int SqliteCursor::columnCount() const { return int(m_names.size()); }
QString SqliteCursor::columnName(int column) const { return m_names.value(column); }
bool SqliteCursor::isNull(int column) const { return m_types[size_t(column)] == SQLITE_NULL; }

QVariant SqliteCursor::value(int column) const
{
    switch (m_types[size_t(column)]) {
    case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(statement(), column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(statement(), column));
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(statement(), column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(statement(), column)));
    }
    default: return QVariant(text(column));
    }
}

QString SqliteCursor::text(int column) const
{
    switch (m_types[size_t(column)]) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QString::number(sqlite3_column_int64(statement(), column));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(statement(), column)).toString();
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(statement(), column));
        return QString::fromUtf8(bytes, sqlite3_column_bytes(statement(), column));
    }
    default: {
        const auto *stored = reinterpret_cast<const char *>(sqlite3_column_text(statement(), column));
        const std::string_view bytes(stored ? stored : "", size_t(sqlite3_column_bytes(statement(), column)));
        QString &text = m_lastTexts[size_t(column)];
        std::string &madeFrom = m_lastBytes[size_t(column)];
        if (text.isNull() || bytes != madeFrom) {
            madeFrom.assign(bytes);
            text = QString::fromUtf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        }
        return text;
    }
    }
}

double SqliteCursor::number(int column) const
{
    switch (m_types[size_t(column)]) {
    case SQLITE_NULL: return 0.0;
    case SQLITE_INTEGER: return double(sqlite3_column_int64(statement(), column));
    case SQLITE_FLOAT: return sqlite3_column_double(statement(), column);
    default: return plant::leadingNumber(text(column));
    }
}

// As Qt's driver types a column: by the type the table declares (INTEGER or INT hold whole
// numbers), and for a column without one (an expression) by the first row's cell.
bool SqliteCursor::wholeNumbers(int column) const
{
    if (const char *declared = sqlite3_column_decltype(statement(), column)) {
        const QByteArray type = QByteArray(declared).toLower();
        return type == "integer" || type == "int";
    }
    return size_t(column) < m_firstRowTypes.size() && m_firstRowTypes[size_t(column)] == SQLITE_INTEGER;
}

void SqliteCursor::finish()
{
    sqlite3_reset(statement());
    m_state = State::Done;
}

QString SqliteCursor::error() const { return m_error; }
