#pragma once
// The rows of the bench table. Each row lives in its own file under rows/ and registers
// itself with KALVUNER_BENCH_ROW; the runner times every registered row on a prepared demo
// plant, so adding a figure never touches the runner.

#include "db/Database.h"

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// The demo plant the rows measure against, written once before the rows run.
struct BenchPlant
{
    QString dataSource; // "sqlite:..." or "postgresql://..."
    QString user;
    QString password;
    int lots = 0;
    quint32 seed = 1;
    QDate start;
    QString workDir;    // a private scratch directory for files a row writes

    bool onPostgres() const { return dataSource.startsWith(QStringLiteral("postgresql:")); }
    // A connection of the row's own to the plant.
    std::unique_ptr<Database> open(const QString &connectionName) const;
};

// Times what a row measures. A row that calls measure() is timed only inside those calls
// (its set-up stays out of the figure); a row that never calls it is timed as a whole.
class BenchWatch
{
public:
    template <typename Work>
    void measure(Work &&work)
    {
        QElapsedTimer timer;
        timer.start();
        work();
        m_nanos += timer.nsecsElapsed();
        m_used = true;
    }
    bool used() const { return m_used; }
    qint64 nanos() const { return m_nanos; }

private:
    qint64 m_nanos = 0;
    bool m_used = false;
};

struct BenchRow
{
    QString name;
    QString measures; // one line: what the figure is
    std::function<void(const BenchPlant &, BenchWatch &)> run;
};

// Every registered row, in registration order (rows are sorted by name before printing).
std::vector<BenchRow> &benchRows();
bool registerBenchRow(BenchRow row);

#define KALVUNER_BENCH_CONCAT_(a, b) a##b
#define KALVUNER_BENCH_CONCAT(a, b) KALVUNER_BENCH_CONCAT_(a, b)
// KALVUNER_BENCH_ROW("name", "what it measures", [](const BenchPlant &, BenchWatch &) { ... });
#define KALVUNER_BENCH_ROW(name, measures, ...)                                                    \
    static const bool KALVUNER_BENCH_CONCAT(benchRowRegistered_, __COUNTER__) =                        \
        registerBenchRow(BenchRow{QStringLiteral(name), QStringLiteral(measures), __VA_ARGS__})
