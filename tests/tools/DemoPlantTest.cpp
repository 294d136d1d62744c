// The demo plant must load as a planner's real day: every lot reaches the plan-loading
// statement, the chart finds its machines, subcontractors, breaks and calendars, the
// numbering row is there, and a seed always gives the same plant.

#include "DemoCalendar.h"
#include "DemoLots.h"
#include "DemoPlant.h"
#include "DemoStart.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "calendar/BreakTable.h"
#include "calendar/WorkingTime.h"
#include "common/PlantValues.h"
#include "db/Statements.h"
#include "gantt/ClassRows.h"
#include "plan/PlanStore.h"
#include "plan/ReturnPlanData.h"
#include "plan/RunContext.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

qint64 count(Database &db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q = db.run(sql, values);
    return q.next() ? q.value(0).toLongLong() : -1;
}

class DemoPlantOnBackend : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    void SetUp() override { summary = demo::writePlant(plant.db(), {300, 7, DemoStart}, false); }

    TestPlant plant{GetParam(), TestPlant::Contents::Empty};
    demo::PlantSummary summary;
};

TEST_P(DemoPlantOnBackend, EveryOpenLotReachesThePlanLoadingStatementOfItsClass)
{
    Database &db = plant.db();
    const qint64 open = count(db, "SELECT COUNT(*) FROM DB0253 WHERE 完納区分<>'2' AND 削除フラグ='0'");
    ASSERT_GT(open, 250);
    EXPECT_EQ(summary.rowsOf("DB0253"), 300);

    qint64 loaded = 0;
    QSqlQuery classes = db.run(sql::ProcessClasses);
    QStringList classCodes;
    while (classes.next())
        classCodes << classes.value("工程分類コード").toString();
    ASSERT_GE(classCodes.size(), 2);
    for (const QString &code : classCodes) {
        QSqlQuery lots = db.run(sql::PlanMain, {code, demo::PlantCode});
        while (lots.next())
            ++loaded;
    }
    EXPECT_EQ(loaded, open);

    // The molding class loads through the planner's own loading with confirmed, tentative,
    // end-fixed and locked lots, and lots with more than the 19 requirement rows it keeps.
    RunContext context;
    context.PlantCode = demo::PlantCode;
    context.ProcessClassCode = summary.moldingClass;
    context.PeriodStart = plant::dateText(DemoStart);
    PlanStore store;
    const qint64 molding = ReturnPlanData(db, context, store, nullptr);
    EXPECT_GT(molding, open / 3);
    QSet<QString> states;
    qint64 subcontracted = 0, runningWithActuals = 0;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        states.insert(lot.ConfirmState + lot.SchedulerFixed);
        if (lot.isConfirmed() && lot.MachineCode.trimmed().isEmpty() && lot.SupplierCode.startsWith(u'S'))
            ++subcontracted;
        if (lot.isConfirmed() && lot.StartDate < DemoStart && lot.EndDate >= DemoStart && lot.ReceivedQty > 0)
            ++runningWithActuals;
    }
    EXPECT_TRUE(states.contains("20")) << "confirmed, free";
    EXPECT_TRUE(states.contains("21")) << "confirmed, end fixed";
    EXPECT_TRUE(states.contains("22")) << "confirmed, locked";
    EXPECT_TRUE(states.contains("10")) << "tentative";
    EXPECT_GT(subcontracted, 0);
    EXPECT_GT(runningWithActuals, 0) << "started before the period, with actuals";
    EXPECT_GT(count(db, "SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM DB0252 GROUP BY 上位手配番号) t"), 19);
}

TEST_P(DemoPlantOnBackend, ChartRowsFindMachinesSubcontractorsBreaksAndCalendars)
{
    Database &db = plant.db();
    EXPECT_GE(count(db, "SELECT COUNT(*) FROM DB0394 WHERE 工程分類コード=?", {summary.moldingClass}), 15);

    QSqlQuery subs = db.run(sql::ClassSubcontractors, {summary.moldingClass});
    int subcontractors = 0;
    bool halfWidth = false, fullWidth = false;
    while (subs.next()) {
        ++subcontractors;
        const QString name = subs.value("仕入先名略名").toString();
        halfWidth |= name.contains(u'(');
        fullWidth |= name.contains(u'（');
    }
    EXPECT_GE(subcontractors, 4);
    EXPECT_LE(subcontractors, 6);
    EXPECT_TRUE(halfWidth && fullWidth);

    QSqlQuery breaks = db.run(sql::BreakMaster);
    ASSERT_TRUE(breaks.next());
    EXPECT_EQ(breaks.value("Jikoku03").toInt(), 120000);

    // Every machine has a calendar row for every day the chart reads (start - 2 days to the
    // end of a three-month period).
    const qint64 machines = count(db, "SELECT COUNT(*) FROM DB0394");
    const qint64 days = DemoStart.addDays(-2).daysTo(DemoStart.addMonths(3).addDays(1)) + 1;
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM (SELECT DISTINCT 機械コード, 年月日 FROM DB0491 WHERE 年月日 BETWEEN ? AND ?) t",
                    {plant::dateToDb(DemoStart.addDays(-2)), plant::dateToDb(DemoStart.addMonths(3).addDays(1))}),
              machines * days);
    // Some working days are held in two rows, the morning and the afternoon.
    EXPECT_GT(count(db, "SELECT COUNT(*) FROM DB0491 a JOIN DB0491 b ON a.機械コード=b.機械コード AND a.年月日=b.年月日 "
                        "WHERE a.開始時刻１=80000 AND a.終了時刻１=120000 AND b.開始時刻１=130000 AND b.終了時刻１=170000 "
                        "AND a.連番=1 AND b.連番=2"),
              0);
    // Some presses hold their day in one row of two pairs, split at lunch.
    EXPECT_GT(count(db, "SELECT COUNT(*) FROM DB0491 WHERE 開始時刻１=80000 AND 終了時刻１=120000 "
                        "AND 開始時刻２=130000 AND 終了時刻２=170000"),
              0);
}

TEST_P(DemoPlantOnBackend, NumberingOperatorsAndProcessChainsAreConsistent)
{
    Database &db = plant.db();
    EXPECT_EQ(count(db, "SELECT 現在番号 FROM DB0018 WHERE 番号管理キー='手配番号'"),
              count(db, "SELECT MAX(手配番号) FROM DB0253"));

    QSqlQuery authority = db.run(sql::OperatorAuthority, {summary.adminOperator});
    ASSERT_TRUE(authority.next());
    EXPECT_EQ(authority.value(0).toString(), "1");
    authority = db.run(sql::OperatorAuthority, {summary.inquiryOperator});
    ASSERT_TRUE(authority.next());
    EXPECT_EQ(authority.value(0).toString(), "0");
    EXPECT_FALSE(db.run(sql::OperatorAuthority, {summary.operatorWithoutRow}).next());

    // A next process is a later step of the same production plan.
    EXPECT_GT(count(db, "SELECT COUNT(*) FROM DB0253 WHERE 上位手配番号<>0"), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM DB0253 a LEFT JOIN DB0253 b ON a.上位手配番号=b.手配番号 "
                        "WHERE a.上位手配番号<>0 AND (b.手配番号 IS NULL OR b.生産計画番号<>a.生産計画番号 OR b.順序<=a.順序)"),
              0);
    EXPECT_GT(count(db, "SELECT COUNT(*) FROM DB0253 WHERE 生産計画番号=0"), 0);
    // Chains of four processes before inspection, for the process dialogs.
    EXPECT_GT(count(db, "SELECT COUNT(*) FROM DB0253 a JOIN DB0253 b ON a.上位手配番号=b.手配番号 "
                        "JOIN DB0253 c ON b.上位手配番号=c.手配番号 JOIN DB0253 d ON c.上位手配番号=d.手配番号 "
                        "JOIN DB0382 p ON d.工程内容コード=p.工程内容コード WHERE p.工程分類コード<>'03'"),
              0);
    EXPECT_GT(count(db, "SELECT COUNT(*) FROM DB0494 l JOIN DB0204 o ON l.番号=o.受注番号 WHERE l.受注データ区分='2'"), 0);
}

TEST_P(DemoPlantOnBackend, RefusesToWriteOverAnExistingPlant)
{
    EXPECT_THROW(demo::writePlant(plant.db(), {50, 7, DemoStart}, false), DbError);
    EXPECT_EQ(count(plant.db(), "SELECT COUNT(*) FROM DB0253"), 300);
    demo::writePlant(plant.db(), {50, 7, DemoStart}, true);
    EXPECT_EQ(count(plant.db(), "SELECT COUNT(*) FROM DB0253"), 50);
}

// The existing plan runs in the chart's own working time: the end of every placed lot on a
// machine of the molding class is where the planner's working-time arithmetic puts it, so that
// the first move of a lot does not change its length.
TEST_P(DemoPlantOnBackend, PlacedLotsEndWhereTheChartsWorkingTimeEndsThem)
{
    RunContext context;
    context.PlantCode = demo::PlantCode;
    context.ProcessClassCode = summary.moldingClass;
    context.PeriodStart = plant::dateText(DemoStart);
    context.PeriodEnd = plant::dateText(DemoStart.addMonths(3));
    context.DayStartTime = demo::DayStart;
    context.GridUnitMinutes = demo::GridMinutes;
    ScriptedPrompter prompter;
    ChartRows rows;
    WorkCalendar calendar;
    BreakTable breaks;
    ASSERT_EQ(buildClassRows(rows, calendar, breaks, context, plant.db(), prompter), RowsBuild::Built);
    EXPECT_TRUE(prompter.said().empty()) << prompter.texts().join(u'\n').toStdString();
    PlanStore store;
    ReturnPlanData(plant.db(), context, store, nullptr);
    const WorkingTime time(rows, calendar);

    qint64 checked = 0;
    for (qint64 i = 2; i <= store.lastIndex(); ++i) {
        const PlanRecord &lot = store[i];
        if (!lot.isConfirmed() || lot.StartDate < calendar.dateOf(0) || lot.EndDate > DemoStart.addMonths(3))
            continue;
        const QDateTime start = plant::naiveDateTime(lot.StartDate, lot.StartTime);
        EXPECT_EQ(time.AddWorkMinutes(start, lot.SetupMinutes + lot.WorkMinutes, lot, QString()),
                  plant::naiveDateTime(lot.EndDate, lot.EndTime))
            << lot.ArrangementNo << " on " << lot.MachineCode.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

// The database plans the first loads of a new plant by its statistics, gathered as it is written.
TEST_P(DemoPlantOnBackend, PlannerStatisticsComeWithThePlant)
{
    const QString statistics = GetParam() == TestPlant::Backend::Postgres
                                   ? "SELECT COUNT(*) FROM pg_stats WHERE tablename IN ('db0253', 'db0252')"
                                   : "SELECT COUNT(*) FROM sqlite_stat1 WHERE tbl IN ('DB0253', 'DB0252')";
    EXPECT_GT(count(plant.db(), statistics), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoPlantOnBackend, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

// A digest of every row of the tables a seed decides.
QByteArray digestOf(const QString &path)
{
    auto db = Database::open("sqlite:" + path, {}, {}, "digest-" + path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const char *table : {"DB0253", "DB0252", "DB0378", "DB0491", "DB0204", "DB0494"}) {
        QSqlQuery q = db->run(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(table));
        while (q.next())
            for (int c = 0; c < q.record().count(); ++c)
                hash.addData(q.value(c).toString().toUtf8() + '\x1f');
    }
    return hash.result();
}

TEST(DemoPlantFile, SameSeedSamePlantOtherSeedOtherPlant)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.db"), b = dir.filePath("b.db"), c = dir.filePath("c.db");
    demo::writeSqlitePlant(a, {300, 11, DemoStart}, false);
    demo::writeSqlitePlant(b, {300, 11, DemoStart}, false);
    demo::writeSqlitePlant(c, {300, 12, DemoStart}, false);
    EXPECT_EQ(digestOf(a), digestOf(b));
    EXPECT_NE(digestOf(a), digestOf(c));
}

TEST(DemoPlantFile, KeepsAnExistingFileUnlessReplacing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.db");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the plant's own data");
    }
    EXPECT_THROW(demo::writeSqlitePlant(path, {20, 1, DemoStart}, false), DbError);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("the plant's own data"));
    f.close();
    EXPECT_EQ(demo::writeSqlitePlant(path, {20, 1, DemoStart}, true).rowsOf("DB0253"), 20);
}

// The journal mode a SQLite file keeps, from its header: 2 is a write-ahead log.
int fileFormatVersion(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(20);
    return header.size() == 20 ? int(header[18]) : -1;
}

TEST(DemoPlantFile, AWrittenPlantKeepsAWriteAheadLogAndNothingBesideIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.db");
    demo::writeSqlitePlant(path, {20, 1, DemoStart}, false);
    EXPECT_EQ(fileFormatVersion(path), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plant.db"});
}

// A plant that a program has open is not pulled away from under it.
TEST(DemoPlantFile, APlantInUseIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.db");
    demo::writeSqlitePlant(path, {20, 1, DemoStart}, false);
    {
        auto planner = Database::open("sqlite:" + path, {}, {}, "planner-in-use");
        planner->run("UPDATE DB0253 SET 備考='planner' WHERE 手配番号=?", {demo::FirstLotNumber});
        EXPECT_THROW(demo::writeSqlitePlant(path, {40, 1, DemoStart}, true), DbError);
        EXPECT_EQ(count(*planner, "SELECT COUNT(*) FROM DB0253 WHERE 備考='planner'"), 1);
    }
    EXPECT_EQ(demo::writeSqlitePlant(path, {40, 1, DemoStart}, true).rowsOf("DB0253"), 40);
}

// The clock the generator places the planner's lots with: breaks, shift ends, the grid
// and days off.
TEST(DemoWorkClock, PlacesLotsInWorkingTimeOnTheGrid)
{
    demo::Machine dayShift;
    dayShift.code = "T1";
    const demo::WorkClock clock(dayShift, 0, QDate(2026, 12, 1), QDate(2027, 1, 10));
    auto at = [](int day, int h, int m) { return plant::naiveDateTime(QDate(2026, 12, day), QTime(h, m)); };

    struct Case
    {
        QDateTime start;
        qint64 minutes;
        QDateTime end;
    } cases[] = {
        {at(8, 9, 50), 20, at(8, 10, 20)},   // over the morning break
        {at(8, 11, 0), 60, at(8, 12, 0)},    // ends exactly where lunch starts
        {at(8, 16, 50), 30, at(9, 8, 20)},   // over the shift end to the next morning
        {at(11, 16, 0), 120, at(14, 9, 0)},  // Friday to Monday over the weekend
        {at(29, 16, 0), 120, plant::naiveDateTime(QDate(2027, 1, 4), QTime(9, 0))}, // over the year-end holidays
    };
    for (const Case &c : cases)
        EXPECT_EQ(clock.addWorkMinutes(c.start, c.minutes), c.end) << c.start.toString().toStdString();

    EXPECT_EQ(clock.placeStart(at(8, 12, 40)), at(8, 12, 50));  // after lunch, on the 10-minute grid
    EXPECT_EQ(clock.placeStart(at(8, 7, 3)), at(8, 8, 0));
    EXPECT_EQ(clock.placeStart(at(12, 9, 0)), at(14, 8, 0));    // Saturday: next Monday
    EXPECT_EQ(demo::workingDateOf(at(9, 7, 59)), QDate(2026, 12, 8));

    // A press whose day is split at lunch works the afternoon pair too.
    demo::Machine lunchSplit = dayShift;
    lunchSplit.lunchSplit = true;
    const demo::WorkClock split(lunchSplit, 0, QDate(2026, 12, 1), QDate(2027, 1, 10));
    EXPECT_EQ(split.addWorkMinutes(at(8, 11, 0), 120), at(8, 14, 0));
    EXPECT_EQ(split.placeStart(at(8, 12, 10)), at(8, 13, 0));
}

} // namespace
