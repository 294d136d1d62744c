// The window's program and kalvuner-cli refuse the same wrong start with the same words, before
// they open the plant: a plant code that is not a whole number (never rounded to another
// plant), a class or operator code with characters the plant's codes cannot hold (a blank
// among them: an argument is one token, never split again), and arguments beyond those
// expected.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Refusal
{
    int exitCode = -1;
    QStringList lines; // the error output, one line each
};

Refusal run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).split(u'\n')};
}

TEST(StartRefusal, WindowAndToolRefuseTheSameStartAlike)
{
    QTemporaryDir dir;
    // Each start would reach the plant if it were let through: the file exists.
    const QString plantFile = dir.filePath(QStringLiteral("plant.db"));
    const auto settingsWith = [&](const QString &plantCode) {
        const QString path = dir.filePath(QStringLiteral("planner-%1.ini").arg(plantCode));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("\"Kalvuner\",%1,0,0,1,1,\"08:00\",1600,900,\"\",\"\",\"%2\"\n")
                       .arg(plantCode, plantFile)
                       .toUtf8());
        return path;
    };
    const QString good = settingsWith(QStringLiteral("1"));
    const QString shot = dir.filePath(QStringLiteral("never.png"));
    const struct
    {
        QString says;
        QString settings;
        QStringList window; // start, class, operator and anything after them
        QStringList tool;   // beside --settings and the start
    } cases[] = {
        {QStringLiteral("設定ファイル「%1」の項目2（工場コード）: 生産工場コード「1.5」は整数ではありません。")
             .arg(settingsWith(QStringLiteral("1.5"))),
         settingsWith(QStringLiteral("1.5")),
         {QStringLiteral("20261214"), QStringLiteral("01"), QStringLiteral("1001")},
         {QStringLiteral("--class"), QStringLiteral("01")}},
        {QStringLiteral("工程分類コード「01😀」には使えない文字があります: 😀"),
         good,
         {QStringLiteral("20261214"), QStringLiteral("01😀"), QStringLiteral("1001")},
         {QStringLiteral("--class"), QStringLiteral("01😀")}},
        {QStringLiteral("工程分類コード「01 02」には使えない文字があります: U+0020"),
         good,
         {QStringLiteral("20261214"), QStringLiteral("01 02"), QStringLiteral("1001")},
         {QStringLiteral("--class"), QStringLiteral("01 02")}},
        {QStringLiteral("担当者コード「10\t01」には使えない文字があります: U+0009"),
         good,
         {QStringLiteral("20261214"), QStringLiteral("01"), QStringLiteral("10\t01")},
         {QStringLiteral("--class"), QStringLiteral("01"), QStringLiteral("--operator"), QStringLiteral("10\t01")}},
        {QStringLiteral("担当者コード「𠮷田」には使えない文字があります: 𠮷"),
         good,
         {QStringLiteral("20261214"), QStringLiteral("01"), QStringLiteral("𠮷田")},
         {QStringLiteral("--class"), QStringLiteral("01"), QStringLiteral("--operator"), QStringLiteral("𠮷田")}},
        {QStringLiteral("余分な引数があります: 「1002」「x」"),
         good,
         {QStringLiteral("20261214"), QStringLiteral("01"), QStringLiteral("1001"), QStringLiteral("1002"),
          QStringLiteral("x")},
         {QStringLiteral("--class"), QStringLiteral("01"), QStringLiteral("1002"), QStringLiteral("x")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.says.toStdString());
        const Refusal window = run(QStringLiteral(KALVUNER_APP),
                                   QStringList{QStringLiteral("--settings"), c.settings, QStringLiteral("--screenshot"), shot}
                                       + c.window);
        EXPECT_EQ(window.exitCode, 1);
        EXPECT_TRUE(window.lines.contains(c.says)) << window.lines.join(u'\n').toStdString();
        const Refusal tool = run(QStringLiteral(KALVUNER_CLI),
                                 QStringList{QStringLiteral("plan"), QStringLiteral("--settings"), c.settings,
                                             QStringLiteral("--start"), QStringLiteral("20261214")}
                                     + c.tool);
        EXPECT_EQ(tool.exitCode, 2);
        EXPECT_EQ(tool.lines.value(0), c.says);
    }
    EXPECT_FALSE(QFile::exists(shot));
    EXPECT_FALSE(QFile::exists(plantFile)) << "no start opened the plant";
}

// A plant code given on the tool's own command line is held to the same rule.
TEST(StartRefusal, PlantCodeOnTheToolsCommandLineMustBeWhole)
{
    for (const QString &code : {QStringLiteral("1.5"), QStringLiteral("abc"), QStringLiteral("99999999999")}) {
        const Refusal tool = run(QStringLiteral(KALVUNER_CLI),
                                 {QStringLiteral("plan"), QStringLiteral("--db"), QStringLiteral("sqlite:/nonexistent.db"),
                                  QStringLiteral("--plant"), code, QStringLiteral("--class"), QStringLiteral("01"),
                                  QStringLiteral("--start"), QStringLiteral("20261214")});
        EXPECT_EQ(tool.exitCode, 2) << code.toStdString();
        EXPECT_EQ(tool.lines.value(0), QStringLiteral("生産工場コード「%1」は整数ではありません。").arg(code));
    }
}

} // namespace
