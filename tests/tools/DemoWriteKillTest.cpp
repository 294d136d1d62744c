// kalvuner-demodb --force killed at any moment of its write leaves a plant file that opens with
// the old plant or the new one, whole, and the next run writes the new plant over the pieces.

#include "DemoPlant.h"
#include "DemoStart.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int OldLots = 120;
constexpr int NewLots = 1200;

// The lots of the plant in the file, or -1 when it does not open whole.
qint64 lotsIn(const QString &path)
{
    try {
        auto db = Database::open("sqlite:" + path, {}, {}, "kill-check");
        QSqlQuery check = db->run("PRAGMA integrity_check");
        if (!check.next() || check.value(0).toString() != "ok")
            return -1;
        QSqlQuery count = db->run("SELECT COUNT(*) FROM DB0253");
        return count.next() ? count.value(0).toLongLong() : -1;
    } catch (const DbError &) {
        return -1;
    }
}

QStringList newPlantArguments(const QString &path)
{
    return {"--out", path, "--force", "--lots", QString::number(NewLots), "--seed", "2", "--start", "20261208"};
}

TEST(DemoPlantKill, AKilledRewriteLeavesTheOldPlantOrTheNewOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.db");

    // One whole run, timed, to spread the kills over it.
    demo::writeSqlitePlant(path, {OldLots, 1, DemoStart}, false);
    QElapsedTimer timer;
    timer.start();
    QProcess whole;
    whole.start(KALVUNER_DEMODB, newPlantArguments(path));
    ASSERT_TRUE(whole.waitForFinished(120000));
    ASSERT_EQ(whole.exitCode(), 0) << whole.readAllStandardError().toStdString();
    const qint64 runMillis = timer.elapsed();
    ASSERT_EQ(lotsIn(path), NewLots);

    int leftOld = 0;
    for (const double at : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.95}) {
        demo::writeSqlitePlant(path, {OldLots, 1, DemoStart}, true);
        QProcess run;
        run.start(KALVUNER_DEMODB, newPlantArguments(path));
        ASSERT_TRUE(run.waitForStarted());
        QThread::msleep(static_cast<unsigned long>(double(runMillis) * at));
        run.kill(); // SIGKILL: no handler, no clean-up
        run.waitForFinished();
        const qint64 lots = lotsIn(path);
        EXPECT_TRUE(lots == OldLots || lots == NewLots) << "killed at " << at << " of the run: " << lots << " lots";
        leftOld += lots == OldLots ? 1 : 0;
    }
    EXPECT_GT(leftOld, 0) << "no kill landed before the new plant was complete";

    // What the killed runs left beside the plant does not stop the next run.
    QProcess again;
    again.start(KALVUNER_DEMODB, newPlantArguments(path));
    ASSERT_TRUE(again.waitForFinished(120000));
    EXPECT_EQ(again.exitCode(), 0) << again.readAllStandardError().toStdString();
    EXPECT_EQ(lotsIn(path), NewLots);
    EXPECT_FALSE(QFile::exists(path + ".new"));
}

} // namespace
