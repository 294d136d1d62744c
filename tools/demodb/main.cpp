// kalvuner-demodb: writes the demo molding plant into a new SQLite file or an empty
// PostgreSQL database, and says what it wrote.

#include "DemoFigures.h"
#include "DemoPlant.h"
#include "common/PlantValues.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "kalvuner-demodb: " << message << Qt::endl;
    return 1;
}

void printSummary(const demo::PlantSummary &s, const QString &target, const demo::PlantOptions &options, qint64 ms)
{
    out() << "デモ工場を書き込みました: " << target << Qt::endl;
    out() << "  期間開始 " << plant::dateText(options.start) << "  シード " << options.seed << Qt::endl;
    for (const auto &r : s.rows)
        out() << "  " << r.first << "  " << plant::thousands(r.second).rightJustified(10) << " 行" << Qt::endl;
    out() << "  手配番号 " << s.firstLot << " ～ " << s.lastLot << Qt::endl;
    out() << "  工程分類: 成形 " << s.moldingClass << "、二次加工 " << s.smallClass << "、検査 " << s.inspectionClass
          << Qt::endl;
    out() << "  担当者: " << s.adminOperator << " (権限 1)、" << s.inquiryOperator << " (照会 0)、"
          << s.operatorWithoutRow << " (行なし)" << Qt::endl;
    out() << "  所要時間 " << QString::number(ms / 1000.0, 'f', 2) << " 秒" << Qt::endl;
}

QString percent(double value) { return QString::number(value, 'f', 1) + u'%'; }

// What the planner will see of each class: placed and waiting lots, bar colours, run lengths.
void printFigures(const QList<demo::ClassFigures> &figures)
{
    for (const demo::ClassFigures &f : figures) {
        out() << "  " << f.classCode << " " << f.className << ": 配置 " << plant::thousands(f.placed) << "、未配置 "
              << plant::thousands(f.waiting) << " (" << percent(f.waitingShare()) << ")" << Qt::endl;
        out() << "    赤 " << percent(f.share(f.red)) << "  黄 " << percent(f.share(f.yellow)) << "  水色 "
              << percent(f.share(f.cyan)) << "  灰 " << percent(f.share(f.grey)) << Qt::endl;
        out() << "    稼働時間 中央値 " << QString::number(f.medianHours, 'f', 1) << " 時間、97% 点 "
              << QString::number(f.p97Hours, 'f', 1) << " 時間、5日を超える計画 " << percent(f.share(f.overFiveDays))
              << Qt::endl;
        out() << "    重なり " << f.overlaps << "、金型の重複 " << f.moldDoubleBookings << "、合体できる計画 "
              << f.mergeableLots << Qt::endl;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalvuner-demodb"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a demo molding plant into a plant database."));
    parser.addHelpOption();
    const QCommandLineOption lotsOption(QStringLiteral("lots"), QStringLiteral("Number of lots (default 2000)."),
                                        QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed (default 1)."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption startOption(QStringLiteral("start"), QStringLiteral("Period start yyyymmdd (default today)."),
                                         QStringLiteral("yyyymmdd"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("SQLite file to create (default plant.db)."),
                                       QStringLiteral("FILE"), QStringLiteral("plant.db"));
    const QCommandLineOption forceOption(QStringLiteral("force"),
                                         QStringLiteral("Replace an existing file or existing plant tables."));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("Data source instead of --out, e.g. postgresql://host:port/db."),
                                      QStringLiteral("DATASOURCE"));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Database user."), QStringLiteral("U"));
    const QCommandLineOption passwordOption(QStringLiteral("password"), QStringLiteral("Database password."),
                                            QStringLiteral("P"));
    parser.addOptions({lotsOption, seedOption, startOption, outOption, forceOption, dbOption, userOption, passwordOption});
    parser.process(app);

    demo::PlantOptions options;
    bool ok = false;
    options.lots = parser.value(lotsOption).toInt(&ok);
    if (!ok || options.lots < 0)
        return fail(QStringLiteral("--lots には 0 以上の整数を指定してください: %1").arg(parser.value(lotsOption)));
    options.seed = parser.value(seedOption).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("--seed には 0 以上の整数を指定してください: %1").arg(parser.value(seedOption)));
    options.start = parser.isSet(startOption) ? plant::dateFromDb(parser.value(startOption)) : QDate::currentDate();
    if (!options.start.isValid() || (parser.isSet(startOption) && parser.value(startOption).size() != 8))
        return fail(QStringLiteral("--start は yyyymmdd の形で正しい日付を指定してください: %1").arg(parser.value(startOption)));

    QElapsedTimer timer;
    timer.start();
    try {
        if (parser.isSet(dbOption)) {
            const QString source = parser.value(dbOption);
            auto db = Database::open(source, parser.value(userOption), parser.value(passwordOption),
                                     QStringLiteral("demo"), true);
            const demo::PlantSummary summary = demo::writePlant(*db, options, parser.isSet(forceOption));
            printSummary(summary, source, options, timer.elapsed());
            printFigures(demo::measurePlant(*db, options.start));
        } else {
            const QString path = parser.value(outOption);
            const demo::PlantSummary summary = demo::writeSqlitePlant(path, options, parser.isSet(forceOption));
            printSummary(summary, path, options, timer.elapsed());
            auto db = Database::open(QStringLiteral("sqlite:") + path, QString(), QString(), QStringLiteral("demo"));
            printFigures(demo::measurePlant(*db, options.start));
        }
    } catch (const DbError &e) {
        return fail(e.text);
    }
    return 0;
}
