#include "DemoPlant.h"

#include "DemoLots.h"
#include "DemoMasters.h"
#include "DemoRandom.h"
#include "DemoRows.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QUuid>
#include <algorithm>

namespace demo {

namespace {

// A plant of N lots has about one item for every twenty lots, within reason.
int productCountFor(int lots) { return std::clamp(lots / 20, 40, 5000); }

void summarizeLots(const Book &book, PlantSummary &summary)
{
    QHash<QString, QList<const Lot *>> byRow;
    for (const Lot &lot : book.lots) {
        if (lot.complete == QStringLiteral("2"))
            continue;
        if (lot.placed() && lot.confirm == QStringLiteral("2")) {
            ++summary.placedLots;
            byRow[lot.machine >= 0 ? lot.machineCode : lot.destination].append(&lot);
        } else {
            ++summary.waitingLots;
        }
    }
    for (QList<const Lot *> &row : byRow) {
        std::sort(row.begin(), row.end(), [](const Lot *a, const Lot *b) { return a->start < b->start; });
        for (qsizetype i = 1; i < row.size(); ++i)
            if (row[i]->start < row[i - 1]->end)
                ++summary.overlaps;
    }
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
    const Masters masters = buildMasters(random, productCountFor(options.lots));
    const Book book = buildBook(masters, random, start, std::max(0, options.lots));

    PlantSummary summary;
    summary.moldingClass = MoldingClass;
    summary.smallClass = SecondaryClass;
    summary.adminOperator = AdminOperator;
    summary.inquiryOperator = InquiryOperator;
    summary.operatorWithoutRow = UnknownOperator;
    if (!book.lots.isEmpty()) {
        summary.firstLot = book.lots.first().number;
        summary.lastLot = book.lots.last().number;
    }
    summarizeLots(book, summary);

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
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
    return summary;
}

PlantSummary writeSqlitePlant(const QString &path, const PlantOptions &options, bool replace)
{
    if (QFileInfo::exists(path)) {
        if (!replace)
            throw DbError(QStringLiteral("%1 は既にあります。置き換えるときは --force を付けてください。").arg(path));
        if (!QFile::remove(path))
            throw DbError(QStringLiteral("%1 を置き換えられません。").arg(path));
    }
    const QString connection = QStringLiteral("demo-plant-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    PlantSummary summary;
    {
        auto db = Database::open(QStringLiteral("sqlite:") + path, QString(), QString(), connection, true);
        // A new file written once: the journal would only double the writing.
        db->run(QStringLiteral("PRAGMA journal_mode = OFF"));
        db->run(QStringLiteral("PRAGMA synchronous = OFF"));
        try {
            summary = writePlant(*db, options, false);
        } catch (...) {
            db.reset();
            QFile::remove(path);
            throw;
        }
    }
    return summary;
}

} // namespace demo
