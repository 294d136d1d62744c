#include "app/SettingsFile.h"
#include "app/StartupError.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

RunContext parsed(const char *text)
{
    RunContext context;
    settings::parse(QString::fromUtf8(text), QStringLiteral("planner.ini"), context);
    return context;
}

QString failure(const char *text)
{
    try {
        parsed(text);
    } catch (const StartupError &error) {
        return error.text;
    }
    return {};
}

TEST(SettingsFile, FullFileFillsEveryField)
{
    const RunContext c = parsed("\"Kalvuner\",3,1,0,1,1,\"08:30\",1280,1024\r\n"
                                "\"planner\",\"secret, with comma\",\"sqlite:/data/plant.db\"\r\n");
    EXPECT_EQ(c.PlantCode, 3);
    EXPECT_EQ(c.KeepMachineOfUnplaced, 1);
    EXPECT_EQ(c.MarkTentativeBars, 1);
    EXPECT_EQ(c.ShowMoldOnBars, 1);
    EXPECT_EQ(c.DayStartText, QStringLiteral("08:30"));
    EXPECT_EQ(c.DayStartTime, QTime(8, 30));
    EXPECT_EQ(c.WindowWidth, 19200);
    EXPECT_EQ(c.WindowHeight, 15155);
    EXPECT_EQ(c.DbUser, QStringLiteral("planner"));
    EXPECT_EQ(c.DbPassword, QStringLiteral("secret, with comma"));
    EXPECT_EQ(c.DbDataSource, QStringLiteral("sqlite:/data/plant.db"));
}

TEST(SettingsFile, OneFieldPerLineAndUnquotedTextReadTheSame)
{
    const RunContext c = parsed("x\n7\n0\n0\n0\n1\n8:00\n1600\n900\n user \npw\nplant.db");
    EXPECT_EQ(c.PlantCode, 7);
    EXPECT_EQ(c.ShowMoldOnBars, 1);
    EXPECT_EQ(c.DayStartTime, QTime(8, 0));
    EXPECT_EQ(c.WindowWidth, 24000);
    EXPECT_EQ(c.WindowHeight, 13320);
    EXPECT_EQ(c.DbUser, QStringLiteral("user"));
    EXPECT_EQ(c.DbDataSource, QStringLiteral("plant.db"));
}

TEST(SettingsFile, TwoFieldsLeaveEverythingElseOffAndEmpty)
{
    const RunContext c = parsed("\"x\",5\r\n");
    EXPECT_EQ(c.PlantCode, 5);
    EXPECT_EQ(c.KeepMachineOfUnplaced, 0);
    EXPECT_EQ(c.MarkTentativeBars, 0);
    EXPECT_EQ(c.ShowMoldOnBars, 0);
    EXPECT_TRUE(c.DayStartText.isEmpty());
    EXPECT_EQ(c.DayStartTime, QTime(0, 0));
    EXPECT_EQ(c.WindowWidth, 0);
    EXPECT_EQ(c.WindowHeight, 0);
    EXPECT_TRUE(c.DbUser.isEmpty());
    EXPECT_TRUE(c.DbPassword.isEmpty());
    EXPECT_TRUE(c.DbDataSource.isEmpty());
}

TEST(SettingsFile, FileEndingAfterTheWindowSizeKeepsAnEmptyLogin)
{
    const RunContext c = parsed("x,1,0,0,0,0,07:45,1024,768");
    EXPECT_EQ(c.DayStartTime, QTime(7, 45));
    EXPECT_EQ(c.WindowWidth, 15360);
    EXPECT_EQ(c.WindowHeight, 11366); // 768 * 14.8 = 11366.4
    EXPECT_TRUE(c.DbUser.isEmpty());
    EXPECT_TRUE(c.DbDataSource.isEmpty());
}

TEST(SettingsFile, HeightIsRoundedToTheNearestTwip)
{
    EXPECT_EQ(settings::heightToTwips(1024), 15155);
    EXPECT_EQ(settings::heightToTwips(0), 0);
    EXPECT_EQ(settings::heightToTwips(1), 15);   // 14.8
    EXPECT_EQ(settings::heightToTwips(3), 44);   // 44.4
}

TEST(SettingsFile, LargeScreensAreKeptWhole)
{
    // 2400 x 2400 pixels no longer fit 16 bits in twips; they must not wrap around.
    const RunContext c = parsed("x,1,0,0,0,0,08:00,2400,2400");
    EXPECT_EQ(c.WindowWidth, 36000);
    EXPECT_EQ(c.WindowHeight, 35520);
}

TEST(SettingsFile, BadValuesNameTheirField)
{
    struct Case
    {
        const char *text;
        const char *field;
    };
    const Case cases[] = {
        {"x,A1", "項目2（工場コード）"},
        {"x,1.5", "項目2（工場コード）"}, // never rounded to plant 2
        {"x,1,yes", "項目3"},
        {"x,1,0,0,0,0,08:00,wide,900", "項目8（画面の幅）"},
        {"x,1,0,0,0,0,08:00,1280,9x", "項目9（画面の高さ）"},
        {"x,1,0,0,0,0,25:99,1280,900", "項目7（稼働日の開始時刻）"},
        {"x,1,0,0,0,0,08:00,99999999999,900", "項目8"},
        {"", "項目2"},
        {"\"only one field\"\r\n", "項目2"},
    };
    for (const Case &c : cases) {
        const QString message = failure(c.text);
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.field))) << c.text << " -> " << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("planner.ini"))) << c.text;
    }
}

TEST(SettingsFile, MissingFileIsReported)
{
    QTemporaryDir dir;
    RunContext context;
    const QString path = dir.filePath(QStringLiteral("planner.ini"));
    try {
        settings::read(path, context);
        FAIL() << "a missing file must stop the start";
    } catch (const StartupError &error) {
        EXPECT_TRUE(error.text.contains(QStringLiteral("見つかりません"))) << error.text.toStdString();
    }
}

// Devices, pipes, folders and oversized files stop the start at once with a clear message
// (/dev/zero used to be read until memory ran out; a pipe without writer waited forever).
TEST(SettingsFile, OnlyAPlainFileOfSettingsSizeIsRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.ini"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString large = dir.filePath(QStringLiteral("large.ini"));
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"x\",2,0,0,0,0,\"08:00\",1280,1024,\"u\",\"p\",\"sqlite:plant.db\"\r\n");
    file.write(QByteArray(settings::MaxFileBytes, ' '));
    file.close();
    struct Case
    {
        QString path;
        const char *says;
    } cases[] = {
        {QStringLiteral("/dev/zero"), "通常のファイルではありません"},
        {QStringLiteral("/dev/urandom"), "通常のファイルではありません"},
        {fifo, "通常のファイルではありません"},
        {dir.path(), "通常のファイルではありません"},
        {large, "大きすぎます"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QElapsedTimer timer;
        timer.start();
        RunContext context;
        try {
            settings::read(c.path, context);
            ADD_FAILURE() << "read";
        } catch (const StartupError &error) {
            EXPECT_TRUE(error.text.contains(QString::fromUtf8(c.says))) << error.text.toStdString();
            EXPECT_TRUE(error.text.contains(c.path)) << error.text.toStdString();
        }
        EXPECT_LT(timer.elapsed(), 1000);
    }
}

TEST(SettingsFile, ReadsTheFileFromDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("planner.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"x\",2,0,0,0,0,\"08:00\",1280,1024,\"u\",\"p\",\"sqlite:plant.db\"\r\n");
    file.close();
    RunContext context;
    settings::read(path, context);
    EXPECT_EQ(context.PlantCode, 2);
    EXPECT_EQ(context.DbDataSource, QStringLiteral("sqlite:plant.db"));
}

} // namespace
