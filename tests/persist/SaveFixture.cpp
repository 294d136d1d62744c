#include "SaveFixture.h"

#include "db/Rows.h"
#include "session/PlanSession.h"

#include <QSqlQuery>

ReadRow::ReadRow(const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_values.insert(it.key().toLower(), it.value());
}

QString ReadRow::text(const QString &column) const
{
    return m_values.value(column.toLower()).toString();
}

double ReadRow::number(const QString &column) const
{
    return m_values.value(column.toLower()).toDouble();
}

SaveFixture::SaveFixture()
{
    run.PlantCode = 1;
    run.Authority = QStringLiteral("1");
    run.DayStartTime = QTime(8, 0);
    run.PeriodStart = QStringLiteral("2024/04/01");
    run.PeriodEnd = QStringLiteral("2024/04/30");
    rows.append(QString(8, u' '), QString());
    rows.append(QStringLiteral("M1      "), QStringLiteral("M1"));
    rows.append(QStringLiteral("M2      "), QStringLiteral("M2"));
    rows.closeMachineRows();
    calendar.reset(run.periodStartDate(), run.periodEndDate(), run.DayStartTime, rows.lastMachineRow());
    plant.insert("DB0018", {{"番号管理キー", "手配番号"}, {"現在番号", 5000}, {"開始番号", 1}, {"終了番号", 999999}});
    plant.insert("DB0394", {{"機械コード", "M1      "}, {"生産工場コード", 1}});
    plant.insert("DB0394", {{"機械コード", "M2      "}, {"生産工場コード", 1}});
}

void SaveFixture::arrangement(qint64 number, const QVariantMap &overrides)
{
    QVariantMap values{{"手配番号", number},  {"生産工場コード", 1},       {"品名コード", "A"},
                       {"順序", 999},         {"機械コード", "M1      "}, {"手配確定区分", "1"},
                       {"手配数", 100},       {"製造依頼番号", "R-" + QString::number(number)}};
    values.insert(overrides);
    plant.insert("DB0253", values);
}

void SaveFixture::moldingStep(const QVariantMap &routing, const QVariantMap &conditions)
{
    run.ProcessClassCode = QStringLiteral("10");
    plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
    plant.insert("DB0378", {{"品名コード", "A"}, {"品名＿品名仕様", "A-仕様"}});
    QVariantMap step{{"品名コード", "A"}, {"順序", 999}, {"生産工場コード", 1}};
    QVariantMap route = step;
    route.insert("工程内容コード", "P10");
    route.insert(routing);
    plant.insert("DB0381", route);
    step.insert(conditions);
    plant.insert("DB0451", step);
}

qint64 SaveFixture::lot(qint64 number)
{
    PlanRecord record;
    record.ArrangementNo = number;
    MemberSlot &slot = record.Members.set(0);
    slot.ArrangementNo = number;
    slot.ItemCode = QStringLiteral("A");
    slot.Sequence = 999;
    slot.Quantity = 100;
    record.Active = 1;
    record.MachineCode = QStringLiteral("M1      ");
    record.SupplierCode = QString(12, u' ');
    record.ItemCode = QStringLiteral("A");
    record.StartDate = QDate(2024, 4, 10);
    record.StartTime = QTime(9, 0);
    record.EndDate = QDate(2024, 4, 10);
    record.EndTime = QTime(17, 0);
    record.InitialDueDate = QDate(2024, 4, 20);
    record.Quantity = 100;
    record.ConfirmState = QStringLiteral("2");
    record.SchedulerFixed = QStringLiteral("0");
    record.Persons = 1;
    record.MembersWritten = 1;
    return store.append(std::move(record));
}

SaveResult SaveFixture::save()
{
    // The road the program takes: the plan session saves the plan as it holds it (the lots
    // stay where the fixture put them), and what the save wrote back is the fixture's plan.
    PlanSession session(run, plant.db(), prompter);
    session.adopt(rows, calendar, store, false);
    session.setAccountName(account);
    const SaveResult result = session.save(progress, {}, retry, now);
    store = session.store();
    calendar = session.calendar();
    return result;
}

ReadRow SaveFixture::row(const QString &sql, const QVariantList &values)
{
    Rows query = select(plant.db(), sql, values);
    return query.next() ? ReadRow(query.values()) : ReadRow();
}

ReadRow SaveFixture::arrangementRow(qint64 number)
{
    return row(QStringLiteral("SELECT * FROM DB0253 WHERE 手配番号=?"), {number});
}

qint64 SaveFixture::count(const QString &sql, const QVariantList &values)
{
    Rows query = select(plant.db(), sql, values);
    return query.next() ? query.valueAt(0).toLongLong() : -1;
}

void SaveFixture::refuseUpdatesOf(qint64 number)
{
    QSqlQuery query(plant.db().connection());
    const QString n = QString::number(number);
    if (plant.backend() == TestPlant::Backend::Sqlite) {
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TRIGGER refuse_update BEFORE UPDATE ON DB0253 WHEN OLD.手配番号 = %1 "
                                              "BEGIN SELECT RAISE(ABORT, 'refused by the test trigger'); END")
                                   .arg(n)));
        return;
    }
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE FUNCTION refuse_update() RETURNS trigger AS $$ BEGIN "
                                          "IF OLD.手配番号 = %1 THEN RAISE EXCEPTION 'refused by the test trigger'; END IF; "
                                          "RETURN NEW; END $$ LANGUAGE plpgsql")
                               .arg(n)));
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE TRIGGER refuse_update BEFORE UPDATE ON DB0253 "
                                          "FOR EACH ROW EXECUTE FUNCTION refuse_update()")));
}
