#include "app/CommandLine.h"
#include "app/StartupError.h"

#include <gtest/gtest.h>

namespace {

LaunchOptions parse(QStringList args)
{
    args.prepend(QStringLiteral("kalvuner"));
    return commandline::parse(args);
}

QString failure(const QStringList &args)
{
    try {
        parse(args);
    } catch (const StartupError &error) {
        return error.text;
    }
    return {};
}

TEST(CommandLine, ThreeTokensGiveLaunchArgsAndOperator)
{
    const LaunchOptions o = parse({QStringLiteral("20240401"), QStringLiteral("12"), QStringLiteral("OP7")});
    EXPECT_EQ(o.launchArgs, QStringLiteral("20240401 12 OP7"));
    EXPECT_EQ(o.operatorCode, QStringLiteral("OP7"));
    EXPECT_FALSE(o.unattended());
    EXPECT_EQ(o.displayMode, 0);
}

TEST(CommandLine, OptionsAreTakenBesideTheTokens)
{
    const LaunchOptions o = parse({QStringLiteral("--settings"), QStringLiteral("/etc/plant.ini"),
                                   QStringLiteral("20240401"), QStringLiteral("12"), QStringLiteral("OP7"),
                                   QStringLiteral("--screenshot"), QStringLiteral("/tmp/a.png"),
                                   QStringLiteral("--mode"), QStringLiteral("4")});
    EXPECT_EQ(o.launchArgs, QStringLiteral("20240401 12 OP7"));
    EXPECT_EQ(o.settingsPath, QStringLiteral("/etc/plant.ini"));
    EXPECT_EQ(o.screenshotPath, QStringLiteral("/tmp/a.png"));
    EXPECT_TRUE(o.unattended());
    EXPECT_EQ(o.displayMode, 4);
}

TEST(CommandLine, WrongCommandLinesShowTheExpectedForm)
{
    const QList<QStringList> wrong = {
        {},
        {QStringLiteral("20240401")},
        {QStringLiteral("20240401 12")},
        {QStringLiteral("1  05   OP1")}, // one argument is one token, never split at its blanks
        {QStringLiteral("20240401"), QStringLiteral("12"), QStringLiteral("OP"), QStringLiteral("OP2")},
        {QStringLiteral("20240401"), QStringLiteral("12😀"), QStringLiteral("OP")},
        {QStringLiteral("20240401"), QStringLiteral("12"), QStringLiteral("OP"), QStringLiteral("--mode"),
         QStringLiteral("5")},
        {QStringLiteral("20240401"), QStringLiteral("12"), QStringLiteral("OP"), QStringLiteral("--bogus")},
    };
    for (const QStringList &args : wrong) {
        const QString message = failure(args);
        EXPECT_TRUE(message.contains(QStringLiteral("yyyymmdd または 1"))) << args.join(u' ').toStdString()
                                                                           << " -> " << message.toStdString();
    }
}

} // namespace
