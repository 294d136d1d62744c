// Opening the process add and process show windows on the demo plant: the chain read along
// 上位手配番号 for the first 100 lots that have a next process, as the detail window's
// Command4 and Command5 read it.

#include "BenchRegistry.h"
#include "dialogs/ProcessChain.h"

#include <QSqlQuery>

namespace {

QList<qint64> lotsWithANextProcess(Database &db)
{
    QList<qint64> numbers;
    QSqlQuery query = db.run(QStringLiteral("SELECT 手配番号 FROM DB0253 WHERE 上位手配番号<>0 ORDER BY 手配番号"));
    while (query.next() && numbers.size() < 100)
        numbers << query.value(0).toLongLong();
    return numbers;
}

KALVUNER_BENCH_ROW("process chain: add list, 100 lots", "AddPlan's chain of 100 lots with a next process",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       const auto db = plant.open(QStringLiteral("bench-chain-add"));
                       const QList<qint64> lots = lotsWithANextProcess(*db);
                       watch.measure([&] {
                           for (const qint64 lot : lots)
                               processAddChain(*db, lot);
                       });
                   });

KALVUNER_BENCH_ROW("process chain: show list, 100 lots", "ShowPlan's lines of 100 lots with a next process",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       const auto db = plant.open(QStringLiteral("bench-chain-show"));
                       const QList<qint64> lots = lotsWithANextProcess(*db);
                       watch.measure([&] {
                           for (const qint64 lot : lots)
                               processShowLines(*db, lot);
                       });
                   });

} // namespace
