#include "SessionPlant.h"

#include "common/PlantValues.h"
#include "editing/LotRules.h"

#include <QSqlQuery>

namespace {

const QDateTime SaveMoment = plant::naiveDateTime(QDate(2024, 5, 1), QTime(12, 0));

QDateTime at(const QString &text)
{
    const QDateTime read = QDateTime::fromString(text, QStringLiteral("yyyy/MM/dd HH:mm"));
    return plant::naiveDateTime(read.date(), read.time());
}

} // namespace

SessionPlant::SessionPlant(TestPlant::Backend backend) : plant(backend)
{
    run.PlantCode = 1;
    run.ProcessClassCode = QStringLiteral("10");
    run.Authority = QStringLiteral("1");
    run.DayStartTime = QTime(8, 0);
    run.PeriodStart = QStringLiteral("2024/04/01");
    run.PeriodEnd = QStringLiteral("2024/04/30");

    plant.insert("DB0496", {{"自社企業コード", "1"}, {"開始時刻１", 120000}, {"終了時刻１", 120000}});
    plant.insert("DB0018", {{"番号管理キー", "手配番号"}, {"現在番号", 5000}, {"開始番号", 1}, {"終了番号", 999999}});
    plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
    plant.insert("DB0382", {{"工程内容コード", "P20"}, {"工程内容名", "塗装"}, {"工程分類コード", "20"}});
    plant.insert("DB0378", {{"品名コード", "R-01"}, {"品名＿品名仕様", "樹脂"}});
    plant.insert("DB0378", {{"品名コード", "CASE-0011"}, {"品名＿品名仕様", "カバー"}});
    plant.insert("DB0381", {{"品名コード", "CASE-0011"}, {"順序", 999}, {"生産工場コード", 1}, {"工程内容コード", "P10"},
                            {"標準生産性＿機械", 36}, {"生産性＿機械＿単位", "1"}});
    plant.insert("DB0451", {{"品名コード", "CASE-0011"}, {"順序", 999}, {"生産工場コード", 1}, {"サイクル", 36}, {"取数", 1}});
    plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", "CASE-0011"}, {"順序", 999}, {"下位品名コード", "R-01"},
                            {"削除フラグ", "0"}, {"表示順", 1}});
    for (const char *item : {"CASE-0001", "CASE-0002"}) {
        plant.insert("DB0378", {{"品名コード", item}, {"品名＿品名仕様", "ケース"}});
        plant.insert("DB0381", {{"品名コード", item}, {"順序", 1}, {"生産工場コード", 1}, {"工程内容コード", "P10"},
                                {"標準生産性＿機械", 36}, {"生産性＿機械＿単位", "1"}});
        plant.insert("DB0381", {{"品名コード", item}, {"順序", 999}, {"生産工場コード", 1}, {"工程内容コード", "P20"}});
        plant.insert("DB0451", {{"品名コード", item}, {"順序", 1}, {"生産工場コード", 1}, {"サイクル", 36}, {"取数", 1}});
        plant.insert("DB0383", {{"生産工場コード", 1}, {"上位品名コード", item}, {"順序", 1}, {"下位品名コード", "R-01"},
                                {"削除フラグ", "0"}, {"表示順", 1}});
    }
    for (const char *machine : {"M1      ", "M2      ", "M3      "}) {
        plant.insert("DB0394", {{"機械コード", machine}, {"機械名", QString(machine).trimmed()}, {"生産工場コード", 1},
                                {"工程分類コード", "10"}, {"削除フラグ", "0"}});
        for (QDate day(2024, 3, 25); day <= QDate(2024, 5, 5); day = day.addDays(1))
            plant.insert("DB0491", {{"機械コード", machine}, {"年月日", plant::dateToDb(day)}, {"連番", 1},
                                    {"勤務時間", 24}, {"開始時刻１", 80000}, {"終了時刻１", 200000},
                                    {"開始時刻２", 200000}, {"終了時刻２", 80000}});
    }
    for (const qint64 planNo : {700, 701, 702, 703})
        plant.insert("DB0251", {{"生産計画番号", planNo},
                                {"品名コード", planNo == 702 ? "CASE-0002" : planNo == 703 ? "CASE-0011" : "CASE-0001"},
                                {"計画数", 1000}, {"指示済数", 0}, {"確定区分", "2"}, {"削除フラグ", "0"}});
    other = Database::open(plant.dataSourceField(), plant.user(), {}, QStringLiteral("second"));
}

SessionPlant::Lot SessionPlant::lot(qint64 number, qint64 planNo, const QString &item, const QString &machine,
                                    const QString &start, qint64 quantity, const QString &confirm)
{
    Lot made;
    made.number = number;
    made.planNo = planNo;
    made.item = item;
    made.machine = machine;
    made.start = start;
    made.quantity = quantity;
    made.confirm = confirm;
    return made;
}

std::vector<SessionPlant::Lot> SessionPlant::standardLots()
{
    return {
        lot(1001, 700, "CASE-0001", "M1      ", "2024/04/10 09:00", 300),
        lot(1002, 700, "CASE-0001", "M1      ", "2024/04/11 09:00", 200),
        lot(1003, 700, "CASE-0001", "M2      ", "2024/04/10 09:00", 100),
        lot(1011, 701, "CASE-0001", "M2      ", "2024/04/12 09:00", 150, "1"),
        lot(1012, 701, "CASE-0001", "M3      ", "2024/04/10 09:00", 250, "1"),
        lot(1021, 702, "CASE-0002", "M3      ", "2024/04/12 09:00", 120),
        lot(1022, 702, "CASE-0002", "M3      ", "2024/04/14 09:00", 80),
    };
}

void SessionPlant::add(const Lot &lot)
{
    const QDateTime start = at(lot.start);
    const QDateTime end = start.addSecs(36 * lot.quantity);
    const qint64 painting = lot.lastProcess ? 0 : lot.number + 1000;
    QVariantMap molding{{"手配番号", lot.number},
                        {"上位手配番号", painting},
                        {"生産計画番号", lot.planNo},
                        {"生産工場コード", 1},
                        {"品名コード", lot.item},
                        {"順序", lot.lastProcess ? 999 : 1},
                        {"工程内容コード", "P10"},
                        {"機械コード", lot.machine},
                        {"指示先コード", QString(12, u' ')},
                        {"計上先コード", QString(12, u' ')},
                        {"手配確定区分", lot.confirm},
                        {"スケジューラ固定区分", "0"},
                        {"手配数", lot.quantity},
                        {"受入実績数", 0},
                        {"必要人員", 1},
                        {"サイクル", 36},
                        {"作業開始日付", plant::dateToDb(start.date())},
                        {"作業開始時間", plant::timeToDb(start.time())},
                        {"作業終了日付", plant::dateToDb(end.date())},
                        {"作業終了時間", plant::timeToDb(end.time())},
                        {"開始日", plant::dateToDb(start.date())},
                        {"納期", plant::dateToDb(end.date())},
                        {"完納区分", "0"},
                        {"削除フラグ", "0"}};
    molding.insert(lot.columns);
    plant.insert("DB0253", molding);
    plant.insert("DB0252", {{"上位手配番号", lot.number}, {"生産工場コード", 1}, {"品名コード", "R-01"}, {"順序", 999},
                            {"必要数", double(lot.quantity) / 50.0}, {"上位品名コード", lot.item},
                            {"上位順序", lot.lastProcess ? 999 : 1}, {"生産計画番号", lot.planNo}, {"原単位分子", 1},
                            {"原単位分母", 50}, {"削除フラグ", "0"}});
    if (lot.lastProcess)
        return;
    plant.insert("DB0253", {{"手配番号", painting},
                            {"上位手配番号", 0},
                            {"生産計画番号", lot.planNo},
                            {"生産工場コード", 1},
                            {"品名コード", lot.item},
                            {"順序", 999},
                            {"工程内容コード", "P20"},
                            {"機械コード", QString(8, u' ')},
                            {"指示先コード", QString(12, u' ')},
                            {"計上先コード", QString(12, u' ')},
                            {"手配確定区分", "2"},
                            {"手配数", lot.paintingQuantity >= 0 ? lot.paintingQuantity : lot.quantity},
                            {"受入実績数", 0},
                            {"開始日", plant::dateToDb(end.date().addDays(1))},
                            {"納期", plant::dateToDb(end.date().addDays(2))},
                            {"完納区分", "0"},
                            {"削除フラグ", "0"}});
}

PlanSession &SessionPlant::load()
{
    m_session.reset();
    m_session = freshLoad();
    return *m_session;
}

std::unique_ptr<PlanSession> SessionPlant::freshLoad()
{
    auto session = std::make_unique<PlanSession>(run, plant.db(), *sessionPrompter);
    if (session->load(nullptr) != PlanSession::LoadResult::Loaded)
        ADD_FAILURE() << "the plan did not load";
    return session;
}

void SessionPlant::settlePlanTotals()
{
    plant.db().run(QStringLiteral(
        "UPDATE DB0251 SET 指示済数=(SELECT COALESCE(SUM(a.手配数),0) FROM DB0253 a WHERE a.生産計画番号=DB0251.生産計画番号"
        " AND a.品名コード=DB0251.品名コード AND a.順序=999 AND a.手配確定区分='2' AND a.削除フラグ='0')"));
}

qint64 SessionPlant::lotOf(qint64 number) const
{
    for (qint64 i = 2; i <= store().lastIndex(); ++i)
        if (store()[i].Active > 0 && store()[i].ArrangementNo == number)
            return i;
    return 0;
}

SaveResult SessionPlant::save(const PlanSession::ElsewhereChoice &choose)
{
    return m_session->save(progress, choose, RetryPolicy{1, 0}, SaveMoment);
}

QString SessionPlant::rowCode(const QString &machine)
{
    const ChartRows &rows = session().rows();
    for (int r = 2; r <= rows.count(); ++r)
        if (rows.row(r).code.trimmed() == machine.trimmed())
            return rows.row(r).code;
    return rows.row(1).code;
}

bool SessionPlant::move(qint64 lot, const QString &machine, const QString &when)
{
    return session().drop(lot, rowCode(machine), at(when));
}

bool SessionPlant::mergeOrMove(qint64 source, qint64 target)
{
    const PlanRecord &to = store()[target];
    return session().merge(source, target, rowCode(to.MachineCode), plant::naiveDateTime(to.StartDate, to.StartTime))
           == MergeOutcome::Merged;
}

qint64 SessionPlant::splitLot(qint64 lot, qint64 planNo, qint64 pieces)
{
    return session().splitLotByPlans(lot, {{planNo, QString::number(pieces)}}).newLot;
}

qint64 SessionPlant::splitProcesses(qint64 lot, const std::vector<qint64> &members)
{
    return session().splitProcessesByMembers(lot, members).newLot;
}

bool SessionPlant::addProcesses(qint64 lot, int count)
{
    return session().addProcesses(lot, count);
}

QVariant SessionPlant::value(const QString &sql, const QVariantList &values)
{
    QSqlQuery query = plant.db().run(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

qint64 SessionPlant::number(const QString &sql, const QVariantList &values)
{
    return value(sql, values).toLongLong();
}

std::map<std::pair<qint64, qint64>, qint64> SessionPlant::livePieces()
{
    std::map<std::pair<qint64, qint64>, qint64> pieces;
    QSqlQuery query = plant.db().run(QStringLiteral("SELECT 生産計画番号,順序,SUM(手配数) FROM DB0253 WHERE 削除フラグ='0'"
                                                    " GROUP BY 生産計画番号,順序"));
    while (query.next())
        pieces[{query.value(0).toLongLong(), query.value(1).toLongLong()}] = query.value(2).toLongLong();
    return pieces;
}

double SessionPlant::liveDemand()
{
    return value(QStringLiteral("SELECT SUM(必要数) FROM DB0252 WHERE 削除フラグ='0'")).toDouble();
}

void SessionPlant::refuseWritesOf(qint64 number)
{
    const QString n = QString::number(number);
    QSqlQuery query(plant.db().connection());
    if (plant.backend() == TestPlant::Backend::Sqlite) {
        for (const char *when : {"UPDATE", "INSERT"})
            ASSERT_TRUE(query.exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON DB0253 WHEN NEW.手配番号 = %2 "
                                                  "BEGIN SELECT RAISE(ABORT, 'refused by the test trigger'); END")
                                       .arg(QString::fromLatin1(when), n)));
        return;
    }
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_write() RETURNS trigger AS $$ BEGIN "
                                          "IF NEW.手配番号 = %1 THEN RAISE EXCEPTION 'refused by the test trigger'; END IF; "
                                          "RETURN NEW; END $$ LANGUAGE plpgsql")
                               .arg(n)));
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE TRIGGER refuse_write BEFORE INSERT OR UPDATE ON DB0253 FOR EACH ROW "
                                          "EXECUTE FUNCTION refuse_write()")));
}

void SessionPlant::allowWrites()
{
    QSqlQuery query(plant.db().connection());
    if (plant.backend() == TestPlant::Backend::Sqlite) {
        ASSERT_TRUE(query.exec(QStringLiteral("DROP TRIGGER IF EXISTS refuse_UPDATE")));
        ASSERT_TRUE(query.exec(QStringLiteral("DROP TRIGGER IF EXISTS refuse_INSERT")));
        return;
    }
    ASSERT_TRUE(query.exec(QStringLiteral("DROP TRIGGER IF EXISTS refuse_write ON DB0253")));
}
