// Plan loading on the demo plant's molding class: the load itself, the same plan and
// requirement statements run by the database's own shell to /dev/null (the load should take
// no longer than the shell), and the memory the loaded store holds per lot.
// CPU times and the memory figure go to stderr beside the table, one line per run.

#include "AlwaysYes.h"
#include "BenchRegistry.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "plan/PlanStore.h"
#include "plan/ArrangementFingerprint.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"
#include "db/Statements.h"
#include "common/PlantValues.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <ctime>
#include <malloc.h>
#include <sys/resource.h>

namespace {

RunContext moldingClassRun(const BenchPlant &plant)
{
    RunContext context;
    context.PlantCode = demo::PlantCode;
    context.ProcessClassCode = demo::MoldingClass;
    context.PeriodStart = plant::dateText(plant.start);
    return context;
}

void note(const QString &text)
{
    QTextStream(stderr) << "  " << text << Qt::endl;
}

double processCpuMillis()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double childrenCpuMillis()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto millis = [](const timeval &tv) { return double(tv.tv_sec) * 1e3 + double(tv.tv_usec) / 1e3; };
    return millis(usage.ru_utime) + millis(usage.ru_stime);
}

// Bytes the program holds on the heap, small blocks and mapped ones.
qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

// A catalogue statement with its values written in, for a shell that cannot bind them.
QString withValues(const QString &statement, const QStringList &literals)
{
    QString text;
    qsizetype next = 0;
    for (const QChar ch : statement) {
        if (ch == u'?' && next < literals.size())
            text += literals[next++];
        else
            text += ch;
    }
    return text;
}

QString classStatementsFile(const BenchPlant &plant)
{
    const QString classLiteral = u'\'' + QString(demo::MoldingClass).replace(u'\'', QStringLiteral("''")) + u'\'';
    const QStringList values{classLiteral, QString::number(demo::PlantCode)};
    const QString path = QDir(plant.workDir).filePath(QStringLiteral("plan-statements.sql"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw DbError(QStringLiteral("ファイルを書けません: ") + path);
    file.write((withValues(sql::PlanMain, values) + QStringLiteral(";\n") + withValues(sql::ClassLotRequirements, values)
                + QStringLiteral(";\n"))
                   .toUtf8());
    return path;
}

// The shell of the plant's database with its arguments: sqlite3 on the file, psql on the server.
QProcess *shellFor(const BenchPlant &plant, const QString &statements, QObject *parent)
{
    auto *process = new QProcess(parent);
    process->setStandardOutputFile(QProcess::nullDevice());
    if (plant.onPostgres()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PGPASSWORD"), plant.password);
        process->setProcessEnvironment(environment);
        QStringList arguments{QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-f"), statements,
                              plant.dataSource};
        if (!plant.user.isEmpty())
            arguments << QStringLiteral("-U") << plant.user;
        process->setProgram(QStringLiteral("psql"));
        process->setArguments(arguments);
    } else {
        process->setStandardInputFile(statements);
        process->setProgram(QStringLiteral("sqlite3"));
        process->setArguments({plant.dataSource.mid(QStringLiteral("sqlite:").size())});
    }
    return process;
}

} // namespace

KALVUNER_BENCH_ROW("plan loading", "ReturnPlanData of the molding class with the arrangements' fingerprints and the null-key count, as the plan session loads (lots, CPU and store bytes per lot on stderr)",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       auto db = plant.open(QStringLiteral("bench-plan-loading"));
                       const RunContext context = moldingClassRun(plant);
                       auto store = std::make_unique<PlanStore>();
                       auto fingerprints = std::make_unique<ArrangementFingerprints>();
                       AlwaysYes planner;
                       qint64 lots = 0;
                       const double cpuBefore = processCpuMillis();
                       watch.measure([&] { lots = ReturnPlanData(*db, context, *store, nullptr, fingerprints.get(), &planner); });
                       const double cpu = processCpuMillis() - cpuBefore;
                       const qint64 loaded = heapInUse();
                       store.reset();
                       fingerprints.reset();
                       const qint64 perLot = lots > 0 ? (loaded - heapInUse()) / lots : 0;
                       note(QStringLiteral("plan loading: %1 lots, CPU %2 ms, store %3 bytes per lot")
                                .arg(plant::thousands(lots), QString::number(cpu, 'f', 1), plant::thousands(perLot)));
                   });

KALVUNER_BENCH_ROW("plan loading, database shell", "the plan and requirement statements in sqlite3/psql to /dev/null",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       const QString statements = classStatementsFile(plant);
                       QObject owner;
                       QProcess *shell = shellFor(plant, statements, &owner);
                       const double cpuBefore = childrenCpuMillis();
                       watch.measure([&] {
                           shell->start();
                           shell->waitForFinished(-1);
                       });
                       if (shell->error() == QProcess::FailedToStart || shell->exitStatus() != QProcess::NormalExit
                           || shell->exitCode() != 0)
                           throw DbError(QStringLiteral("%1 が失敗しました: %2")
                                             .arg(shell->program(), QString::fromLocal8Bit(shell->readAllStandardError())));
                       note(QStringLiteral("database shell: CPU %1 ms")
                                .arg(QString::number(childrenCpuMillis() - cpuBefore, 'f', 1)));
                   });

KALVUNER_BENCH_ROW("plan loading, fresh plant", "ReturnPlanData of the molding class right after the plant is written anew",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       // The rows after this one find the plant they expect: same size and seed.
                       const demo::PlantOptions options{plant.lots, plant.seed, plant.start};
                       if (plant.onPostgres()) {
                           auto writer = plant.open(QStringLiteral("bench-fresh-writer"));
                           demo::writePlant(*writer, options, true);
                       } else {
                           demo::writeSqlitePlant(plant.dataSource.mid(QStringLiteral("sqlite:").size()), options, true);
                       }
                       auto db = plant.open(QStringLiteral("bench-fresh-loading"));
                       PlanStore store;
                       ArrangementFingerprints fingerprints;
                       AlwaysYes planner;
                       watch.measure([&] { ReturnPlanData(*db, moldingClassRun(plant), store, nullptr, &fingerprints, &planner); });
                   });
