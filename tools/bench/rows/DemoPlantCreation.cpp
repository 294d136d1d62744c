// How long kalvuner-demodb takes to write a plant of the bench's size.

#include "BenchRegistry.h"
#include "DemoPlant.h"

#include <QDir>

KALVUNER_BENCH_ROW("demo plant creation", "writing the demo plant (all tables, one transaction)",
                   [](const BenchPlant &plant, BenchWatch &watch) {
                       const demo::PlantOptions options{plant.lots, plant.seed, plant.start};
                       if (plant.onPostgres()) {
                           // Rewrites the prepared plant with the same seed: the rows after
                           // this one still find the plant they expect.
                           auto db = plant.open(QStringLiteral("bench-creation"));
                           watch.measure([&] { demo::writePlant(*db, options, true); });
                       } else {
                           const QString path = QDir(plant.workDir).filePath(QStringLiteral("creation.db"));
                           watch.measure([&] { demo::writeSqlitePlant(path, options, true); });
                       }
                   });
