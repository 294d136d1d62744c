// The database connection and the reading conventions against real result rows, on every
// backend: first occurrence of a repeated column, null and junk in numeric columns, stored
// dates and times, bound values that stay values, and clear failures of the connection.

#include "TestPlant.h"
#include "db/RowWriter.h"
#include "db/Rows.h"
#include "db/Statements.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DatabaseOnBackend : public testing::TestWithParam<TestPlant::Backend>
{
};

// The text of a failure's driver line (the line after the headline), lower-cased: it is what
// the database itself said, as opposed to the statement quoted after it.
QString driverLine(const DbError &error)
{
    return error.text.section(u'\n', 1, 1).toLower();
}

TEST_P(DatabaseOnBackend, ColumnsAreReadByThePlantConventions)
{
    TestPlant plant(GetParam());
    plant.insert("DB0253", {{"手配番号", 1}, {"備考", "12abc"}, {"品名＿諸口", ""}, {"サイクル", 33.5},
                            {"作業開始日付", "00000000"}, {"開始日", "20240401"}, {"作業開始時間", 83000},
                            {"GNT表示区分", "2"}, {"製造依頼番号", "2.5"}});
    plant.insert("DB0378", {{"品名コード", " "}, {"型番名仕様ＡＮＫ", "CASE A"}});
    plant.insert("DB0492", {{"品名コード", " "}, {"順序", 0}, {"機械コード", "        "}, {"サイクル", 15}});

    Rows query = select(plant.db(),
        QStringLiteral("SELECT DB0253.*, DB0378.型番名仕様ＡＮＫ, DB0492.サイクル, DB0451.取数 FROM ((DB0253"
                       " INNER JOIN DB0378 ON DB0253.品名コード=DB0378.品名コード)"
                       " LEFT JOIN DB0492 ON DB0253.品名コード=DB0492.品名コード AND DB0253.順序=DB0492.順序)"
                       " LEFT JOIN DB0451 ON DB0253.品名コード=DB0451.品名コード WHERE DB0253.手配番号=?"),
        {1});
    ASSERT_TRUE(query.next());
    const RowReader &row = query.row();

    EXPECT_DOUBLE_EQ(row.number("サイクル"), 33.5) << "a repeated column name means its first occurrence";
    EXPECT_DOUBLE_EQ(row.number("備考"), 12) << "the leading number of the text";
    EXPECT_EQ(row.integer("備考"), 12);
    EXPECT_EQ(row.integer("製造依頼番号"), 2) << "halves round to even";
    EXPECT_DOUBLE_EQ(row.number("品名＿諸口"), 0) << "empty text reads as 0";
    EXPECT_EQ(row.text("品名＿諸口"), "");

    EXPECT_TRUE(row.isNull("金型番号"));
    EXPECT_EQ(row.text("金型番号"), "");
    EXPECT_DOUBLE_EQ(row.number("金型番号"), 0);
    EXPECT_TRUE(row.isNull("取数")) << "no molding condition joined";
    EXPECT_EQ(row.integer("取数"), 0);

    EXPECT_FALSE(row.date("作業開始日付").isValid()) << "00000000 is no date";
    EXPECT_EQ(row.date("開始日"), QDate(2024, 4, 1));
    EXPECT_EQ(row.time("作業開始時間"), QTime(8, 30));

    EXPECT_EQ(row.text("gnt表示区分"), "2") << "names are matched without regard to case";
    EXPECT_EQ(row.text("GNT表示区分"), "2");
    EXPECT_EQ(row.text("型番名仕様ＡＮＫ"), "CASE A");
    EXPECT_FALSE(row.has("存在しない列"));
    EXPECT_EQ(row.text("存在しない列"), "");
}

TEST_P(DatabaseOnBackend, TypedTextStaysAValue)
{
    TestPlant plant(GetParam());
    plant.insert("DB0003", {{"担当者コード", "OP1"}, {"Kalvuner権限区分", "1"}});
    const QString injected = QStringLiteral("X' OR '1'='1");

    EXPECT_FALSE(plant.db().run(sql::OperatorAuthority, {injected}).next());
    EXPECT_EQ(updateRow(plant.db(), "DB0003", {{"担当者コード", injected}}, {{"Kalvuner権限区分", "0"}}), 0);

    const QString dropping = QStringLiteral("'); DROP TABLE DB0003; --");
    insertRow(plant.db(), "DB0003", {{"担当者コード", dropping}, {"Kalvuner権限区分", "0"}});

    Rows check = select(plant.db(), QStringLiteral("SELECT 担当者コード, Kalvuner権限区分 FROM DB0003 ORDER BY 担当者コード"));
    QStringList rows;
    while (check.next())
        rows << check.row().text("担当者コード") + u'=' + check.row().text("Kalvuner権限区分");
    EXPECT_EQ(rows, (QStringList{dropping + QStringLiteral("=0"), QStringLiteral("OP1=1")}));
}

TEST_P(DatabaseOnBackend, RowWriterRefusesNamesThatAreNotPlainNames)
{
    TestPlant plant(GetParam());
    plant.insert("DB0003", {{"担当者コード", "OP1"}, {"Kalvuner権限区分", "1"}});
    const QVariantMap op1{{"担当者コード", "OP1"}};
    for (const QString &bad : {QStringLiteral("Kalvuner権限区分='0' --"), QStringLiteral("a b"),
                               QStringLiteral("x;y"), QString()}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_THROW(updateRow(plant.db(), "DB0003", op1, {{bad, "0"}}), DbError);
        EXPECT_THROW(insertRow(plant.db(), bad, {{"担当者コード", "OP2"}}), DbError);
    }
    EXPECT_THROW(updateRow(plant.db(), "DB0003", {}, {{"Kalvuner権限区分", "0"}}), DbError)
        << "an update without a key would write every row";

    Rows check = select(plant.db(), sql::OperatorAuthority, {"OP1"});
    ASSERT_TRUE(check.next());
    EXPECT_EQ(check.row().text("Kalvuner権限区分"), "1");
}

TEST_P(DatabaseOnBackend, RowWriterUpdatesByKeyAndCopiesRows)
{
    const QString dayRows = QStringLiteral("SELECT * FROM DB0491 WHERE 機械コード=? AND 年月日=? ORDER BY 連番");
    TestPlant plant(GetParam());
    plant.insert("DB0491", {{"機械コード", "M01"}, {"年月日", "20240401"}, {"勤務時間", 8}});
    plant.insert("DB0491", {{"機械コード", "M01"}, {"年月日", "20240401"}, {"連番", 2}, {"勤務時間", 2}});
    plant.insert("DB0491", {{"機械コード", "M01"}, {"年月日", "20240402"}, {"勤務時間", 8}});

    EXPECT_EQ(updateRow(plant.db(), "DB0491", {{"機械コード", "M01"}, {"年月日", "20240401"}, {"連番", 1}},
                        {{"勤務時間", 10}, {"開始時刻１", "080000"}}),
              1);

    Rows source = select(plant.db(), dayRows, {"M01", "20240401"});
    QList<double> hours;
    QVariantMap first;
    while (source.next()) {
        if (first.isEmpty())
            first = source.values();
        hours << source.row().number("勤務時間");
    }
    EXPECT_EQ(hours, (QList<double>{10, 2}));
    EXPECT_EQ(first.value("開始時刻１").toInt(), 80000) << "a time written as hhnnss text is stored as a number";

    first.insert(QStringLiteral("年月日"), QStringLiteral("20240403"));
    insertRow(plant.db(), "DB0491", first);
    Rows copy = select(plant.db(), dayRows, {"M01", "20240403"});
    ASSERT_TRUE(copy.next());
    EXPECT_DOUBLE_EQ(copy.row().number("勤務時間"), 10);
    EXPECT_EQ(copy.row().time("開始時刻１"), QTime(8, 0));
}

TEST_P(DatabaseOnBackend, MissingTablesAreNamedInTheFailure)
{
    TestPlant plant(GetParam(), TestPlant::Contents::Empty);
    try {
        select(plant.db(), sql::OperatorAuthority, {"OP1"});
        FAIL() << "a database without tables answered";
    } catch (const DbError &error) {
        EXPECT_TRUE(driverLine(error).contains("db0003")) << error.text.toStdString();
    }
    EXPECT_NO_THROW(select(plant.db(), QStringLiteral("SELECT 1"))) << "the connection stays usable";
}

TEST_P(DatabaseOnBackend, TransactionStatementsRunOnEveryBackend)
{
    TestPlant plant(GetParam());
    plant.db().begin();
    plant.insert("DB0003", {{"担当者コード", "OP1"}});
    plant.db().run(QStringLiteral("SAVEPOINT one_write"));
    plant.insert("DB0003", {{"担当者コード", "OP2"}});
    plant.db().run(QStringLiteral("ROLLBACK TO SAVEPOINT one_write"));
    plant.db().run(QStringLiteral("RELEASE SAVEPOINT one_write"));
    plant.db().commit();

    EXPECT_TRUE(plant.db().run(sql::OperatorAuthority, {"OP1"}).next());
    EXPECT_FALSE(plant.db().run(sql::OperatorAuthority, {"OP2"}).next()) << "undone back to the savepoint";
}

TEST_P(DatabaseOnBackend, CodeUnderTestCanOpenItsOwnConnection)
{
    TestPlant plant(GetParam());
    plant.insert("DB0399", {{"工程分類コード", "12"}, {"工程分類名", "成形"}});
    auto own = Database::open(plant.dataSourceField(), plant.user(), {}, QStringLiteral("own"));
    Rows classes = select(*own, sql::ProcessClasses);
    ASSERT_TRUE(classes.next());
    EXPECT_EQ(classes.row().text("工程分類名"), "成形");
}

INSTANTIATE_TEST_SUITE_P(Backends, DatabaseOnBackend, testing::ValuesIn(TestPlant::backends()),
                         TestPlant::backendName);

TEST(DatabaseConnection, FailuresSayWhatIsWrongAndLeaveNoConnectionBehind)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.db"));
    struct Failure
    {
        QString field;
        QString says;
    };
    const std::vector<Failure> failures = {
        {QStringLiteral("sqlite:") + missing, QStringLiteral("ファイルがありません")},
        {missing, QStringLiteral("ファイルがありません")},
        {QStringLiteral("plant"), QStringLiteral("形式が正しくありません")},
        {QStringLiteral("sqlite:"), QStringLiteral("形式が正しくありません")},
        {QStringLiteral("postgresql://"), QStringLiteral("形式が正しくありません")},
        {QStringLiteral("odbc:"), QStringLiteral("形式が正しくありません")},
        {QStringLiteral("postgresql://127.0.0.1:1/plant"), QStringLiteral("接続できません")},
    };
    for (const Failure &f : failures) {
        SCOPED_TRACE(f.field.toStdString());
        try {
            Database::open(f.field, QStringLiteral("user"), QStringLiteral("secret"));
            ADD_FAILURE() << "opened";
        } catch (const DbError &error) {
            EXPECT_TRUE(error.text.contains(f.says)) << error.text.toStdString();
            EXPECT_TRUE(error.text.contains(f.field.trimmed())) << "names the data source";
            EXPECT_FALSE(error.text.contains(QStringLiteral("secret"))) << "never shows the password";
        }
    }
    EXPECT_FALSE(QFileInfo::exists(missing)) << "no empty plant database is created";
    EXPECT_FALSE(QSqlDatabase::contains(QStringLiteral("kalvuner")));

    // The default connection name is free again for the real connection, and a second
    // connection under the same name is refused instead of cutting off the first.
    TestPlant plant;
    plant.insert("DB0003", {{"担当者コード", "OP1"}});
    const auto first = Database::open(plant.dataSourceField(), {}, {});
    EXPECT_THROW(Database::open(plant.dataSourceField(), {}, {}), DbError);
    EXPECT_TRUE(first->run(sql::OperatorAuthority, {"OP1"}).next());
}

// The journal mode a fresh connection finds in the file.
QString journalModeOf(const QString &field)
{
    const auto db = Database::open(field, {}, {}, QStringLiteral("journal_probe"));
    QSqlQuery query = db->run(QStringLiteral("PRAGMA journal_mode"));
    return query.next() ? query.value(0).toString().toLower() : QString();
}

TEST(DatabaseSqliteFile, OpeningLeavesTheJournalModeAsTheFileHasIt)
{
    TestPlant plant;
    plant.db().run(QStringLiteral("PRAGMA journal_mode = DELETE"));
    {
        const auto db = Database::open(plant.dataSourceField(), {}, {});
        db->run(QStringLiteral("SELECT COUNT(*) FROM DB0253"));
    }
    EXPECT_EQ(journalModeOf(plant.dataSourceField()), "delete");
}

TEST(DatabaseSqliteFile, EmptyOrForeignFilesAreRefusedAndLeftAlone)
{
    QTemporaryDir dir;
    struct Case
    {
        const char *name;
        QByteArray contents;
        QString says;
    } cases[] = {
        {"empty.db", {}, QStringLiteral("ファイルが空です")},
        {"text.db", "これは計画データではありません\n", QStringLiteral("SQLite のデータベースではありません")},
        {"short.db", "SQLite", QStringLiteral("SQLite のデータベースではありません")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.contents);
        file.close();
        try {
            Database::open(QStringLiteral("sqlite:") + path, {}, {});
            ADD_FAILURE() << "opened";
        } catch (const DbError &error) {
            EXPECT_TRUE(error.text.contains(c.says)) << error.text.toStdString();
            EXPECT_TRUE(error.text.contains(path)) << error.text.toStdString();
        }
        EXPECT_EQ(QFileInfo(path).size(), c.contents.size()) << "the file is not touched";
        EXPECT_FALSE(QSqlDatabase::contains(QStringLiteral("kalvuner")));
    }
    try {
        Database::open(QStringLiteral("sqlite:") + dir.path() + QStringLiteral("/"), {}, {});
        ADD_FAILURE() << "a folder opened";
    } catch (const DbError &error) {
        EXPECT_TRUE(error.text.contains(QStringLiteral("通常のファイルではありません"))) << error.text.toStdString();
    }
}

// Rows of a SQLite file are read from the SQLite library itself: a statement that cannot run
// fails as it would through Qt's driver, a reading that breaks off says so instead of ending
// quietly, and bound values keep their types.
TEST(DatabaseSqliteFile, ReadingFailsAsLoudlyAsTheDriverWould)
{
    TestPlant plant;
    plant.insert("DB0003", {{"担当者コード", "OP1"}, {"Kalvuner権限区分", "1"}});
    plant.insert("DB0003", {{"担当者コード", "OP2"}, {"Kalvuner権限区分", "2"}});
    // abs() of the smallest integer overflows: the row that reaches it fails as it is read.
    const QString overflowsAt = QStringLiteral("SELECT 担当者コード, CASE WHEN 担当者コード=? THEN abs(-9223372036854775807 - 1)"
                                               " ELSE 1 END FROM DB0003 ORDER BY 担当者コード");
    struct Refused
    {
        const char *what;
        QString sql;
        QVariantList values;
        QString says;
    } refused[] = {
        {"a value short", sql::OperatorAuthority, {}, QStringLiteral("parameter count mismatch")},
        {"a value too many", sql::OperatorAuthority, {"OP1", "OP2"}, QStringLiteral("parameter count mismatch")},
        {"a second statement", QStringLiteral("SELECT 1; DELETE FROM DB0003"), {}, QStringLiteral("multiple statements")},
        {"the first row fails", overflowsAt, {"OP1"}, QStringLiteral("integer overflow")},
    };
    for (const Refused &r : refused) {
        SCOPED_TRACE(r.what);
        try {
            select(plant.db(), r.sql, r.values);
            ADD_FAILURE() << "ran";
        } catch (const DbError &error) {
            EXPECT_TRUE(error.text.toLower().contains(r.says)) << error.text.toStdString();
        }
    }
    Rows broken = select(plant.db(), overflowsAt, {"OP2"});
    ASSERT_TRUE(broken.next());
    EXPECT_EQ(broken.row().text("担当者コード"), "OP1");
    EXPECT_FALSE(broken.next()) << "the second row fails";
    EXPECT_TRUE(broken.error().contains(QStringLiteral("integer overflow"))) << broken.error().toStdString();

    Rows finished = select(plant.db(), QStringLiteral("SELECT 担当者コード FROM DB0003"));
    finished.finish();
    EXPECT_FALSE(finished.next()) << "a statement let go reads no more rows";
    EXPECT_EQ(write(plant.db(), QStringLiteral("DELETE FROM DB0003 WHERE 担当者コード=?"), {"OP2"}), 1)
        << "and the second statement has not run";

    Rows typed = select(plant.db(), QStringLiteral("SELECT ?, ?, ?, ?, ?, ?"),
                        {QString(), QString(""), 7, true, 2.5, QByteArray("ab")});
    ASSERT_TRUE(typed.next());
    EXPECT_TRUE(typed.row().isNullAt(0)) << "a null text binds as null";
    EXPECT_FALSE(typed.row().isNullAt(1)) << "an empty text binds as text";
    EXPECT_EQ(typed.valueAt(2).typeId(), QMetaType::LongLong);
    EXPECT_EQ(typed.valueAt(3).toLongLong(), 1);
    EXPECT_EQ(typed.valueAt(4).typeId(), QMetaType::Double);
    EXPECT_EQ(typed.valueAt(5).toByteArray(), "ab");
    EXPECT_EQ(typed.row().textAt(4), "2.5");
}

TEST(DatabaseSqliteFile, ReadOnlyFileOpensForReadingOnly)
{
    for (const char *mode : {"DELETE", "WAL"}) {
        SCOPED_TRACE(mode);
        TestPlant plant;
        plant.insert("DB0003", {{"担当者コード", "OP1"}});
        plant.db().run(QStringLiteral("PRAGMA journal_mode = %1").arg(QString::fromLatin1(mode)));
        const QString path = plant.dataSourceField().mid(7);
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

        const auto db = Database::open(plant.dataSourceField(), {}, {});
        EXPECT_TRUE(db->isReadOnly());
        EXPECT_TRUE(db->run(sql::OperatorAuthority, {"OP1"}).next());
        EXPECT_THROW(db->run(QStringLiteral("DELETE FROM DB0003")), DbError);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    TestPlant writable;
    EXPECT_FALSE(Database::open(writable.dataSourceField(), {}, {})->isReadOnly());
}

} // namespace
