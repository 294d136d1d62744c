// kalvuner-bench: writes a demo plant of the asked size, runs every registered bench row on
// it several times and prints the median, minimum and maximum of each.

#include "BenchRegistry.h"
#include "DemoPlant.h"
#include "common/PlantValues.h"

#include <QCommandLineParser>
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "kalvuner-bench: " << message << Qt::endl;
    return 1;
}

QString millis(qint64 nanos) { return QString::number(double(nanos) / 1e6, 'f', 1); }

qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<qint64> timeRow(const BenchRow &row, const BenchPlant &plant, int runs)
{
    std::vector<qint64> figures;
    for (int r = 0; r < runs; ++r) {
        BenchWatch watch;
        BenchWatch whole;
        whole.measure([&] { row.run(plant, watch); });
        figures.push_back(watch.used() ? watch.nanos() : whole.nanos());
    }
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    // Rows that paint the chart need fonts and images, and rows that open a window need
    // widgets: a widget application serves both. The off-screen platform, with a screen of a
    // desktop's size, serves when none is chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", KALVUNER_OFFSCREEN_PLATFORM);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalvuner-bench"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the registered bench rows on a demo plant."));
    parser.addHelpOption();
    const QCommandLineOption lotsOption(QStringLiteral("lots"), QStringLiteral("Lots of the demo plant (default 10000)."),
                                        QStringLiteral("N"), QStringLiteral("10000"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs per row (default 5)."),
                                        QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption filterOption(QStringLiteral("filter"), QStringLiteral("Only rows whose name matches."),
                                          QStringLiteral("REGEX"));
    const QCommandLineOption postgresOption(QStringLiteral("postgres"),
                                            QStringLiteral("Write the plant into this PostgreSQL database instead of SQLite."),
                                            QStringLiteral("DATASOURCE"));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Database user."), QStringLiteral("U"));
    const QCommandLineOption passwordOption(QStringLiteral("password"), QStringLiteral("Database password."),
                                            QStringLiteral("P"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Demo plant seed (default 1)."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    parser.addOptions({lotsOption, runsOption, filterOption, postgresOption, userOption, passwordOption, seedOption});
    parser.process(app);

    bool lotsOk = false, runsOk = false, seedOk = false;
    BenchPlant plant;
    plant.lots = parser.value(lotsOption).toInt(&lotsOk);
    const int runs = parser.value(runsOption).toInt(&runsOk);
    plant.seed = parser.value(seedOption).toUInt(&seedOk);
    plant.start = QDate::currentDate();
    if (!lotsOk || plant.lots < 0 || !runsOk || runs < 1 || !seedOk)
        return fail(QStringLiteral("--lots、--seed は 0 以上、--runs は 1 以上の整数で指定してください。"));
    const QRegularExpression filter(parser.value(filterOption));
    if (!filter.isValid())
        return fail(QStringLiteral("--filter の正規表現が正しくありません: %1").arg(filter.errorString()));

    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("作業用ディレクトリを作れません。"));
    plant.workDir = scratch.path();
    plant.user = parser.value(userOption);
    plant.password = parser.value(passwordOption);

    std::vector<const BenchRow *> rows;
    for (const BenchRow &row : benchRows())
        if (row.name.contains(filter))
            rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](const BenchRow *a, const BenchRow *b) { return a->name < b->name; });

    if (rows.empty()) {
        out() << "kalvuner-bench: no row matches the filter" << Qt::endl;
        return 0;
    }
    try {
        const demo::PlantOptions options{plant.lots, plant.seed, plant.start};
        if (parser.isSet(postgresOption)) {
            plant.dataSource = parser.value(postgresOption);
            auto db = plant.open(QStringLiteral("bench-prepare"));
            demo::writePlant(*db, options, true);
        } else {
            const QString path = QDir(plant.workDir).filePath(QStringLiteral("plant.db"));
            demo::writeSqlitePlant(path, options, true);
            plant.dataSource = QStringLiteral("sqlite:") + path;
        }

        out() << "kalvuner-bench: " << plant::thousands(plant.lots) << " lots, " << runs << " runs, "
              << (parser.isSet(postgresOption) ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")) << Qt::endl;
        out() << QStringLiteral("row").leftJustified(32) << QStringLiteral("median ms").rightJustified(12)
              << QStringLiteral("min ms").rightJustified(12) << QStringLiteral("max ms").rightJustified(12)
              << "  what it measures" << Qt::endl;
        for (const BenchRow *row : rows) {
            const std::vector<qint64> figures = timeRow(*row, plant, runs);
            const auto [low, high] = std::minmax_element(figures.begin(), figures.end());
            out() << row->name.leftJustified(32) << millis(median(figures)).rightJustified(12)
                  << millis(*low).rightJustified(12) << millis(*high).rightJustified(12) << "  " << row->measures
                  << Qt::endl;
        }
    } catch (const DbError &e) {
        return fail(e.text);
    }
    return 0;
}
