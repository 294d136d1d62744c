#include "DemoPlant.h"

#include "DemoLots.h"
#include "DemoMasters.h"
#include "DemoRandom.h"
#include "DemoRows.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QUuid>
#include <algorithm>
#include <filesystem>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace demo {

namespace {

bool syncFile(int handle)
{
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return fsync(handle) == 0;
#endif
}

// A plant of N lots has about one item for every twenty lots, within reason.
int productCountFor(int lots) { return std::clamp(lots / 20, 40, 5000); }

// A SQLite file and the journal files SQLite keeps beside it.
void removeSqliteFiles(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

// The written file's contents reach the disk before it takes the old plant's name.
void flushToDisk(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !syncFile(file.handle()))
        throw DbError(QStringLiteral("%1 をディスクに書き出せません。").arg(path));
}

// Folds a write-ahead log the old plant may still have into the plant itself, so that no log
// of the old plant is left to be read into the new one. A plant that a program still has
// open keeps its log: it is not replaced.
void settleOldPlant(const QString &path)
{
    const QString wal = path + QStringLiteral("-wal");
    if (!QFileInfo::exists(wal))
        return;
    {
        const QString connection = QStringLiteral("demo-old-plant-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        auto old = Database::open(QStringLiteral("sqlite:") + path, QString(), QString(), connection);
        old->run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    if (QFileInfo::exists(wal))
        throw DbError(QStringLiteral("%1 は使用中です。開いているプログラムを閉じてから置き換えてください。").arg(path));
}

void replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()),
                            error);
    if (error)
        throw DbError(QStringLiteral("%1 を置き換えられません: %2").arg(to, QString::fromLocal8Bit(error.message())));
}

} // namespace

qint64 PlantSummary::rowsOf(const QString &table) const
{
    for (const auto &r : rows)
        if (r.first == table)
            return r.second;
    return 0;
}

QString schemaText()
{
    QFile file(QStringLiteral(KALVUNER_SCHEMA_FILE));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("スキーマファイルを読めません: %1").arg(file.fileName()));
    return QString::fromUtf8(file.readAll());
}

QStringList schemaTables()
{
    static const QRegularExpression create(QStringLiteral("CREATE\\s+TABLE\\s+(\\w+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList tables;
    auto it = create.globalMatch(schemaText());
    while (it.hasNext())
        tables << it.next().captured(1);
    return tables;
}

bool hasPlantTables(Database &db)
{
    const QStringList existing = db.connection().tables();
    for (const QString &table : schemaTables())
        if (existing.contains(table, Qt::CaseInsensitive))
            return true;
    return false;
}

PlantSummary writePlant(Database &db, const PlantOptions &options, bool replace)
{
    const bool existing = hasPlantTables(db);
    if (existing && !replace)
        throw DbError(QStringLiteral("%1 には既に工場のテーブルがあります。置き換えるときは --force を付けてください。")
                          .arg(db.source().original));

    const QDate start = options.start.isValid() ? options.start : QDate::currentDate();
    DemoRandom random(options.seed);
    const PlantScale scale = scaleFor(options.lots);
    const Masters masters = buildMasters(random, productCountFor(options.lots), scale.halls);
    const Book book = buildBook(masters, random, start, std::max(0, options.lots), scale);

    PlantSummary summary;
    summary.moldingClass = MoldingClass;
    summary.smallClass = SecondaryClass;
    summary.inspectionClass = InspectionClass;
    summary.adminOperator = AdminOperator;
    summary.inquiryOperator = InquiryOperator;
    summary.operatorWithoutRow = UnknownOperator;
    if (!book.lots.isEmpty()) {
        summary.firstLot = book.lots.first().number;
        summary.lastLot = book.lots.last().number;
    }

    db.begin();
    try {
        if (existing) {
            const QStringList tables = db.connection().tables();
            for (const QString &table : schemaTables())
                if (tables.contains(table, Qt::CaseInsensitive))
                    db.run(QStringLiteral("DROP TABLE %1").arg(table));
        }
        db.runScript(schemaText());
        writeMasterRows(db, masters, book, start, summary.rows);
        writeLotRows(db, masters, book, start, summary.rows);
        // The server plans its statements by these figures: without them the first loads of
        // a new plant read it the slow way until the server gathers them on its own.
        db.run(QStringLiteral("ANALYZE"));
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
    return summary;
}

PlantSummary writeSqlitePlant(const QString &path, const PlantOptions &options, bool replace)
{
    if (QFileInfo::exists(path) && !replace)
        throw DbError(QStringLiteral("%1 は既にあります。置き換えるときは --force を付けてください。").arg(path));
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(0))
        throw DbError(QStringLiteral("%1 には別の書き込みが進んでいます。").arg(path));

    // The new plant is written beside the old one and takes its place only when complete, so
    // that an interrupted run leaves the old plant or the new one, never half of one.
    const QString next = path + QStringLiteral(".new");
    removeSqliteFiles(next);
    PlantSummary summary;
    try {
        const QString connection = QStringLiteral("demo-plant-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        auto db = Database::open(QStringLiteral("sqlite:") + next, QString(), QString(), connection, true);
        // A file written once and thrown away on failure needs no journal while it is written;
        // the finished plant keeps a write-ahead log, so the planner's saves stay quick.
        db->run(QStringLiteral("PRAGMA journal_mode = OFF"));
        db->run(QStringLiteral("PRAGMA synchronous = OFF"));
        summary = writePlant(*db, options, false);
        db->run(QStringLiteral("PRAGMA journal_mode = WAL"));
        db.reset();
        flushToDisk(next);
        if (QFileInfo::exists(path))
            settleOldPlant(path);
        replaceFile(next, path);
    } catch (...) {
        removeSqliteFiles(next);
        throw;
    }
    return summary;
}

} // namespace demo
