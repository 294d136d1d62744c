#include "TestPlant.h"

#include "db/RowWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QUrl>
#include <QUuid>
#include <atomic>

namespace {

QString serverField() { return qEnvironmentVariable("KALVUNER_TEST_POSTGRES"); }

QString uniqueSuffix()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

// Test databases live in memory-backed storage where there is one: every statement of a
// test commits on its own, and waiting for the disk on each would make the suites crawl.
QString scratchTemplate()
{
    const QString shm = QStringLiteral("/dev/shm");
    if (QFileInfo(shm).isDir() && QFileInfo(shm).isWritable())
        return shm + QStringLiteral("/kalvuner-test-XXXXXX");
    return QDir::tempPath() + QStringLiteral("/kalvuner-test-XXXXXX");
}

QString readSchema()
{
    QFile file(QStringLiteral(KALVUNER_SCHEMA_FILE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DbError(QStringLiteral("スキーマファイルを読めません: ") + file.fileName());
    return QString::fromUtf8(file.readAll());
}

} // namespace

std::vector<TestPlant::Backend> TestPlant::backends()
{
    std::vector<Backend> list{Backend::Sqlite};
    if (!serverField().isEmpty())
        list.push_back(Backend::Postgres);
    return list;
}

std::string TestPlant::name(Backend backend)
{
    return backend == Backend::Sqlite ? "SQLite" : "PostgreSQL";
}

std::string TestPlant::backendName(const testing::TestParamInfo<Backend> &info)
{
    return name(info.param);
}

void PrintTo(TestPlant::Backend backend, std::ostream *os)
{
    *os << TestPlant::name(backend);
}

TestPlant::TestPlant(Backend backend, Contents contents) : m_backend(backend), m_dir(scratchTemplate())
{
    const QString suffix = uniqueSuffix();
    if (backend == Backend::Sqlite) {
        if (!m_dir.isValid())
            throw DbError(QStringLiteral("一時フォルダを作れません。"));
        m_field = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("plant.db"));
        m_db = Database::open(m_field, {}, {}, QStringLiteral("testplant_") + suffix, true);
    } else {
        const QString server = serverField();
        if (server.isEmpty())
            throw DbError(QStringLiteral("KALVUNER_TEST_POSTGRES が設定されていません。"));
        m_user = qEnvironmentVariable("KALVUNER_TEST_POSTGRES_USER");
        m_admin = Database::open(server, m_user, {}, QStringLiteral("testplant_admin_") + suffix);
        // A database per fixture, so that tests in parallel processes never meet.
        m_pgName = QStringLiteral("kt_") + suffix + u'_'
                   + QUuid::createUuid().toString(QUuid::Id128).left(8);
        // CREATE/DROP DATABASE cannot be prepared statements, so they go as a script.
        m_admin->runScript(QStringLiteral("CREATE DATABASE %1;").arg(m_pgName));
        QUrl url(server);
        url.setPath(u'/' + m_pgName);
        m_field = url.toString();
    }
    try {
        if (!m_db)
            m_db = Database::open(m_field, m_user, {}, QStringLiteral("testplant_") + suffix);
        if (contents == Contents::Schema)
            m_db->runScript(readSchema());
    } catch (...) {
        dropServerDatabase();
        throw;
    }
}

TestPlant::~TestPlant()
{
    try {
        dropServerDatabase();
    } catch (const DbError &error) {
        ADD_FAILURE() << "test database not dropped: " << error.text.toStdString();
    }
}

void TestPlant::dropServerDatabase()
{
    m_db.reset();
    if (m_admin && !m_pgName.isEmpty())
        m_admin->runScript(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE);").arg(m_pgName));
}

void TestPlant::insert(const QString &table, const QVariantMap &columns)
{
    insertRow(*m_db, table, columns);
}
