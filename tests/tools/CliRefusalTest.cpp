// kalvuner-cli on plants it must not change or cannot show: a read-only plant file is shown
// and left as it was (journal mode included), a save to it is refused with a message, and a
// class or plant the database does not have is a clear failure, not an empty plan; a script
// that is a pipe or a device is refused instead of read without end.

#include "CliRun.h"
#include "DemoMasters.h"
#include "DemoPlant.h"
#include "TestPlant.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

class CliRefusal : public testing::Test
{
protected:
    void SetUp() override { demo::writePlant(plant.db(), {40, 11, CliPlantStart}, false); }

    QStringList options(const QString &classCode = demo::MoldingClass, int plantCode = demo::PlantCode) const
    {
        return {QStringLiteral("--db"), plant.dataSourceField(), QStringLiteral("--class"), classCode,
                QStringLiteral("--plant"), QString::number(plantCode), QStringLiteral("--start"),
                CliPlantStart.toString(QStringLiteral("yyyyMMdd")), QStringLiteral("--answer"), QStringLiteral("yes")};
    }

    TestPlant plant{TestPlant::Backend::Sqlite, TestPlant::Contents::Empty};
};

QString journalMode(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("PRAGMA journal_mode"));
    return query.next() ? query.value(0).toString().toLower() : QString();
}

TEST_F(CliRefusal, ReadOnlyPlantIsShownUnchangedAndASaveIsRefused)
{
    plant.db().run(QStringLiteral("PRAGMA journal_mode = DELETE"));
    const QString path = plant.dataSourceField().mid(QStringLiteral("sqlite:").size());
    const ToolRun writable = runTool(QStringList{QStringLiteral("plan")} + options());
    ASSERT_EQ(writable.exitCode, 0) << writable.err.toStdString();
    EXPECT_EQ(journalMode(plant.db()), "delete") << "opening and loading never change the file's journal";

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const ToolRun shown = runTool(QStringList{QStringLiteral("plan")} + options());
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out, writable.out);

    QTemporaryDir dir;
    QFile script(dir.filePath(QStringLiteral("plan.txt")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    QString move;
    for (const QString &line : writable.out.split(u'\n'))
        if (move.isEmpty() && !line.section(u'\t', 2, 2).trimmed().isEmpty())
            move = QStringLiteral("move %1 %2 2026/12/21 08:00\n")
                       .arg(line.section(u'\t', 1, 1), line.section(u'\t', 2, 2).trimmed());
    ASSERT_FALSE(move.isEmpty()) << writable.out.toStdString();
    script.write(move.toUtf8());
    script.close();
    const ToolRun saved = runTool(QStringList{QStringLiteral("apply"), QStringLiteral("--script"), script.fileName(),
                                              QStringLiteral("--save")}
                                  + options());
    EXPECT_EQ(saved.exitCode, 1) << saved.err.toStdString();
    EXPECT_TRUE(saved.err.contains(QStringLiteral("読み取り専用"))) << saved.err.toStdString();
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_TRUE(after.readAll() == before) << "the plant file is byte for byte as it was";
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(CliRefusal, UnknownClassOrPlantIsAFailureThatSaysSo)
{
    struct Case
    {
        QString classCode;
        int plantCode;
        QString says;
    } cases[] = {
        {QStringLiteral("99"), demo::PlantCode, QStringLiteral("工程分類コード「99」はありません")},
        {demo::MoldingClass, 987, QStringLiteral("生産工場コード 987 に工程分類コード")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says.toStdString());
        const ToolRun run = runTool(QStringList{QStringLiteral("plan")} + options(c.classCode, c.plantCode));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

#ifdef Q_OS_UNIX
TEST_F(CliRefusal, AScriptThatIsNoRegularFileIsRefusedBeforeAnythingIsRead)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("script.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &script : {pipe, QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(script.toStdString());
        const ToolRun run = runTool(QStringList{QStringLiteral("apply"), QStringLiteral("--script"), script} + options());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("は通常のファイルではありません"))) << run.err.toStdString();
    }
}
#endif

} // namespace
