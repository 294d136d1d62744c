// What the load of a class cannot show is told, never silently dropped or merged: lots the
// plan statement misses for a null key or flag column are counted in one warning, and lots
// whose arrangement number does not name one row stay off the chart, where no save can write
// them; a lot with a value that cannot be read stays off it too, named with its column and
// value.

#include "persist/SaveProgress.h"
#include "ScriptedPrompter.h"
#include "TestPlant.h"
#include "plan/RunContext.h"
#include "session/PlanSession.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <map>

namespace {

// Class "10" of plant 1 runs item A (process P10); item B belongs to class "20". Every lot is
// a tentative one of item A, waiting on the unassigned strip, unless a test says otherwise.
class LoadRefusals : public testing::TestWithParam<TestPlant::Backend>
{
protected:
    LoadRefusals()
    {
        run.PlantCode = 1;
        run.ProcessClassCode = QStringLiteral("10");
        run.Authority = QStringLiteral("1");
        run.DayStartTime = QTime(8, 0);
        run.PeriodStart = QStringLiteral("2024/04/01");
        run.PeriodEnd = QStringLiteral("2024/05/01");
        plant.insert("DB0496", {{"自社企業コード", "1"}, {"開始時刻１", 120000}, {"終了時刻１", 130000}});
        plant.insert("DB0382", {{"工程内容コード", "P10"}, {"工程内容名", "成形"}, {"工程分類コード", "10"}});
        plant.insert("DB0382", {{"工程内容コード", "P20"}, {"工程内容名", "塗装"}, {"工程分類コード", "20"}});
        for (const char *item : {"A", "B"}) {
            plant.insert("DB0378", {{"品名コード", item}});
            plant.insert("DB0381", {{"品名コード", item}, {"順序", 1}, {"生産工場コード", 1},
                                    {"工程内容コード", QString(item) == "A" ? "P10" : "P20"}});
        }
    }

    void lot(const QVariant &number, const QVariantMap &overrides = {})
    {
        QVariantMap row{{"手配番号", number}, {"生産工場コード", 1}, {"品名コード", "A"}, {"順序", 1},
                        {"開始日", "20240405"},  {"納期", "20240420"},  {"手配数", 100}};
        row.insert(overrides);
        plant.insert("DB0253", row);
    }

    // Lets DB0253 hold what a plant database without its key may hold: no number, a number
    // twice and, on SQLite, any value at all in the number column.
    void dropArrangementKey() { dropKey("DB0253", "手配番号"); }

    // Takes the primary key off a table, so that its key column may hold a value twice or none.
    void dropKey(const QString &table, const QString &column)
    {
        Database &db = plant.db();
        if (plant.backend() == TestPlant::Backend::Postgres) {
            db.run(QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2_pkey").arg(table, table.toLower()));
            db.run(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 DROP NOT NULL").arg(table, column));
            db.run(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE BIGINT").arg(table, column));
            return;
        }
        QString text;
        {
            QSqlQuery create = db.run(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='%1'").arg(table));
            ASSERT_TRUE(create.next());
            text = create.value(0).toString();
        }
        const QString keyed = column + QStringLiteral(" INTEGER NOT NULL PRIMARY KEY");
        ASSERT_TRUE(text.contains(keyed));
        text.replace(keyed, column + QStringLiteral(" INTEGER"));
        db.run(QStringLiteral("DROP TABLE %1").arg(table));
        db.run(text);
    }

    // Every row of DB0253 but those of the shown lots 1 and 30, as text, in a stable order.
    QStringList refusedRows()
    {
        QStringList rows;
        QSqlQuery query = plant.db().run("SELECT * FROM DB0253");
        while (query.next()) {
            const QString number = query.value(0).toString();
            if (number == "1" || number == "30")
                continue;
            QStringList values;
            for (int column = 0; column < query.record().count(); ++column)
                values << (query.isNull(column) ? QStringLiteral("NULL") : query.value(column).toString());
            rows << values.join(u'|');
        }
        rows.sort();
        return rows;
    }

    std::unique_ptr<PlanSession> load()
    {
        auto session = std::make_unique<PlanSession>(run, plant.db(), prompter);
        EXPECT_EQ(session->load(nullptr), PlanSession::LoadResult::Loaded);
        return session;
    }

    // The two lots shown start at 10:00 and are saved.
    static void saveTheShownLotsAtTen(PlanSession &session)
    {
        {
            Edit edit = session.editPath().beginAction("開始時刻");
            for (const qint64 index : {2, 3})
                edit.change(index, [](PlanRecord &r) { r.StartTime = QTime(10, 0); });
            edit.commit();
        }
        QuietProgress progress;
        session.setAccountName("plant042");
        const SaveResult saved = session.save(progress, {}, {}, QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC));
        EXPECT_EQ(saved.outcome, SaveResult::Outcome::Complete);
        EXPECT_EQ(saved.savedLots.size(), 2u);
    }

    static std::vector<qint64> numbers(const PlanSession &session)
    {
        std::vector<qint64> loaded;
        for (qint64 i = 2; i <= session.store().lastIndex(); ++i) {
            EXPECT_EQ(session.store()[i].BarIndex, i);
            loaded.push_back(session.store()[i].ArrangementNo);
        }
        return loaded;
    }

    TestPlant plant{GetParam()};
    RunContext run;
    ScriptedPrompter prompter;
};

TEST_P(LoadRefusals, LotsWithANullKeyOrFlagAreCountedInOneWarning)
{
    const QVariant null;
    lot(1);
    // Left out by the statement, yet possibly open lots of the class: warned of.
    lot(2, {{"完納区分", null}});
    lot(3, {{"削除フラグ", null}});
    lot(4, {{"生産工場コード", null}});
    lot(5, {{"品名コード", null}});
    lot(12, {{"完納区分", null}});
    lot(13, {{"完納区分", null}, {"削除フラグ", null}});
    // A null beside a value that shuts the lot out anyway, or of another class or plant: not.
    lot(6, {{"完納区分", null}, {"削除フラグ", "1"}});
    lot(7, {{"削除フラグ", null}, {"完納区分", "2"}});
    lot(8, {{"完納区分", null}, {"品名コード", "B"}});
    lot(9, {{"完納区分", null}, {"生産工場コード", 2}});
    lot(10, {{"生産工場コード", null}, {"品名コード", "B"}});

    auto session = load();
    EXPECT_EQ(numbers(*session), std::vector<qint64>{1});
    ASSERT_EQ(prompter.said().size(), 1u) << prompter.texts().join('\n').toStdString();
    EXPECT_EQ(prompter.said()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(prompter.said()[0].text,
              "完納区分・削除フラグ・生産工場コード・品名コードのいずれかが空のため、"
              "計画表に表示できない手配が 6件あります。\n手配番号: 2, 3, 4, 5, 12 ほか");

    // Once the columns are filled in, the load says nothing.
    plant.db().run("UPDATE DB0253 SET 完納区分='2' WHERE 手配番号 <> 1");
    prompter.clear();
    session = load();
    EXPECT_EQ(numbers(*session), std::vector<qint64>{1});
    EXPECT_TRUE(prompter.said().empty()) << prompter.texts().join('\n').toStdString();
}

TEST_P(LoadRefusals, LotsWithoutTheirOwnNumberStayOffTheChartAndAreNeverSaved)
{
    dropArrangementKey();
    lot(1);
    lot(20, {{"備考", "一行目"}});
    lot(20, {{"備考", "二行目"}});
    lot(21);
    lot(QVariant(), {{"備考", "番号なし"}});
    lot(3000000000LL);
    lot(-4);
    lot(21);
    lot(21);
    const bool sqlite = plant.backend() == TestPlant::Backend::Sqlite;
    if (sqlite) { // only a column without a type holds these
        lot("abc");
        lot(2.5);
    }
    lot(30, {{"納期", "20240425"}}); // after lot 1
    const QStringList before = refusedRows();

    auto session = load();
    EXPECT_EQ(numbers(*session), (std::vector<qint64>{1, 30}));
    ASSERT_EQ(prompter.said().size(), 1u) << prompter.texts().join('\n').toStdString();
    const QString told = prompter.said()[0].text;
    EXPECT_TRUE(told.startsWith("次の手配は手配番号で区別できないため読み込みませんでした。"
                                "計画表に表示せず、保存もしません。\n"));
    const QStringList expected{
        "手配番号「20」（品名コード A・順序 1）：手配番号が重複しています",
        "手配番号「21」（品名コード A・順序 1）：手配番号が重複しています",
        "手配番号「」（品名コード A・順序 1）：手配番号がありません",
        "手配番号「3000000000」（品名コード A・順序 1）：手配番号が正しくありません",
        "手配番号「-4」（品名コード A・順序 1）：手配番号が正しくありません",
    };
    for (const QString &line : expected)
        EXPECT_TRUE(told.contains(line)) << line.toStdString() << "\n" << told.toStdString();
    EXPECT_EQ(told.count("手配番号が重複しています"), 5); // both rows of 20, the three of 21
    if (sqlite) {
        EXPECT_TRUE(told.contains("手配番号「abc」（品名コード A・順序 1）：手配番号が正しくありません"));
        EXPECT_TRUE(told.contains("手配番号「2.5」（品名コード A・順序 1）：手配番号が正しくありません"));
    }

    // A change saved to the lots that are shown writes none of the refused rows.
    saveTheShownLotsAtTen(*session);
    QSqlQuery written = plant.db().run("SELECT COUNT(*) FROM DB0253 WHERE 作業開始時間=100000");
    ASSERT_TRUE(written.next());
    EXPECT_EQ(written.value(0).toInt(), 2);
    EXPECT_EQ(refusedRows(), before);

    // Loaded again: the same lots, the same single message.
    prompter.clear();
    session = load();
    EXPECT_EQ(numbers(*session), (std::vector<qint64>{1, 30}));
    EXPECT_EQ(session->store()[3].StartTime, QTime(10, 0));
    ASSERT_EQ(prompter.said().size(), 1u);
    EXPECT_EQ(prompter.said()[0].text, told);
}

// The save writes DB0253 by arrangement number alone: a number another class's row carries
// too is refused like any shared one, while a row the plan statement's joins bring twice (two
// rows of one production plan number in DB0251) is one lot, shown once and told nothing of.
TEST_P(LoadRefusals, NumbersAreJudgedByTheRowsOfTheTableNotOfTheStatement)
{
    dropArrangementKey();
    dropKey("DB0251", "生産計画番号");
    for (int copy = 0; copy < 2; ++copy)
        plant.insert("DB0251", {{"生産計画番号", 7}, {"品名コード", "A"}});
    lot(1, {{"生産計画番号", 7}});
    lot(50);
    lot(50, {{"品名コード", "B"}}); // of class 20, not loaded here
    lot(60, {{"生産計画番号", 7}, {"納期", "20240425"}});

    auto session = load();
    EXPECT_EQ(numbers(*session), (std::vector<qint64>{1, 60}));
    ASSERT_EQ(prompter.said().size(), 1u) << prompter.texts().join('\n').toStdString();
    const QString told = prompter.said()[0].text;
    EXPECT_TRUE(told.contains("手配番号「50」（品名コード A・順序 1）：手配番号が重複しています")) << told.toStdString();
    EXPECT_EQ(told.count("手配番号が重複しています"), 1);
    EXPECT_FALSE(told.contains("手配番号「1」"));
}

// A value read as something else would put the lot at the wrong place and be saved back so
// (a null quantity saved as 0 deleted the lot): such a lot stays off the chart and out of the
// save, and the load names it with its column and value, all of them in one message.
TEST_P(LoadRefusals, ALotWithAValueThatCannotBeReadStaysOffTheChartNamedInOneMessage)
{
    const QVariant null;
    const bool sqlite = plant.backend() == TestPlant::Backend::Sqlite;
    // Per column: the lots and their values as the message names them.
    struct Junk
    {
        int number;
        const char *column;
        QVariant value;
        const char *named;
    };
    std::vector<Junk> junk{
        {2, "手配数", null, "2（空）"},
        {3, "作業開始時間", 250000, "3「250000」"},
        {4, "作業終了時間", -1, "4「-1」"},
        {5, "作業開始日付", "2024040x", "5「2024040x」"},
        {6, "手配確定区分", null, "6（空）"},
        {7, "手配確定区分", "x", "7「x」"},
        {8, "開始日", "20240431", "8「20240431」"},
    };
    if (sqlite) { // only SQLite lets a typed column hold text, fractions or more than eight characters
        junk.push_back({10, "手配数", "120個", "10「120個」"});
        junk.push_back({11, "作業開始時間", "abc", "11「abc」"});
        junk.push_back({12, "作業終了日付", "20240405junk", "12「20240405junk」"});
        junk.push_back({9, "作業開始時間", 123456.5, "9「123456.5」"});
    }
    lot(1);
    for (const Junk &j : junk)
        lot(j.number, {{j.column, j.value}});
    lot(30, {{"納期", "20240425"}});
    const QStringList before = refusedRows();

    auto session = load();
    EXPECT_EQ(numbers(*session), (std::vector<qint64>{1, 30}));
    ASSERT_EQ(prompter.said().size(), 1u) << prompter.texts().join('\n').toStdString();
    EXPECT_EQ(prompter.said()[0].icon, PromptIcon::Warning);
    const QString told = prompter.said()[0].text;
    EXPECT_TRUE(told.startsWith("次の手配は読めない値があるため読み込みませんでした。計画表に表示せず、保存もしません。"));
    std::map<QString, int> perColumn;
    for (const Junk &j : junk) {
        ++perColumn[j.column];
        EXPECT_TRUE(told.contains(QString::fromUtf8(j.named))) << j.named << "\n" << told.toStdString();
    }
    for (const auto &[column, count] : perColumn)
        EXPECT_TRUE(told.contains(QStringLiteral("・%1 %2件: 手配番号 ").arg(column).arg(count))) << told.toStdString();

    // A save of the lots that are shown writes none of the others.
    saveTheShownLotsAtTen(*session);
    EXPECT_EQ(refusedRows(), before);
}

// A junk column of a table every row shares (a machine's working hours, every day of the
// period) is told once for the whole load, not in a box per row.
TEST_P(LoadRefusals, EverythingALoadHasToTellComesInOneMessage)
{
    plant.insert("DB0394", {{"機械コード", "M01"}, {"生産工場コード", 1}, {"工程分類コード", "10"}});
    for (int day = 1; day <= 14; ++day)
        plant.insert("DB0491", {{"機械コード", "M01"}, {"年月日", QStringLiteral("202404%1").arg(day, 2, 10, QChar(u'0'))},
                                {"勤務時間", 8}, {"開始時刻１", 250000}, {"終了時刻１", 170000}});
    lot(1);
    lot(2, {{"作業終了時間", -1}});

    auto session = load();
    EXPECT_EQ(numbers(*session), std::vector<qint64>{1});
    ASSERT_EQ(prompter.said().size(), 1u) << prompter.texts().join('\n').toStdString();
    const QString told = prompter.said()[0].text;
    EXPECT_TRUE(told.startsWith("計画データの読込で 15 件のお知らせがあります。")) << told.toStdString();
    // The lot left out comes first, the machine's days after it.
    EXPECT_TRUE(told.contains("計画データの読込で 15 件のお知らせがあります。\n\n次の手配は読めない値があるため"))
        << told.toStdString();
    EXPECT_TRUE(told.contains("M01の稼働時間に時刻として読めない値があります。日付:20240401")) << told.toStdString();
    EXPECT_TRUE(told.endsWith("ほか 5 件")) << told.toStdString();
    EXPECT_EQ(prompter.said()[0].icon, PromptIcon::Warning);
}

INSTANTIATE_TEST_SUITE_P(Backends, LoadRefusals, testing::ValuesIn(TestPlant::backends()), TestPlant::backendName);

} // namespace
