#include "FuzzInputs.h"

#include "app/SettingsFile.h"
#include "app/StartupError.h"

#include <gtest/gtest.h>

namespace {

const QString FileName = QStringLiteral("planner.ini");

// The twelve fields of a settings file as a planner or an installer might write them.
struct Written
{
    QStringList fields;
    int count = 12; // fields actually written; a short file leaves the rest off
    RunContext expected;
};

QString anyNumberText(FuzzInputs &fuzz, qint64 number)
{
    QString text = QString::number(number);
    if (fuzz.chance(10))
        text += QStringLiteral(".0");
    if (fuzz.chance(20))
        text = QStringLiteral(" \t").left(int(fuzz.between(0, 2))) + text + QStringLiteral("  ");
    if (fuzz.chance(10))
        text = u'"' + text.trimmed() + u'"';
    return text;
}

// A text field: in quotes it may hold commas, blanks and line ends; without them it holds
// none of those at its ends and no comma, quote or line end at all.
QString anyTextField(FuzzInputs &fuzz, QString &value)
{
    const bool quoted = fuzz.chance(50);
    value = fuzz.textFrom(quoted ? U"ab:/\\.-_ ,\r\n成形ﾌﾟﾗﾝﾄ𠮷" : U"ab:/\\.-_ 成形ﾌﾟﾗﾝﾄ𠮷", 12);
    if (quoted)
        return u'"' + value + u'"';
    value = value.trimmed();
    return value;
}

Written anyValidSettings(FuzzInputs &fuzz)
{
    Written w;
    RunContext &c = w.expected;
    const auto number = [&fuzz](qint64 low, qint64 high) { return fuzz.between(low, high); };
    const qint64 plant = number(INT32_MIN, INT32_MAX), keep = number(0, 1), unused = number(-5, 5),
                 mark = number(0, 1), mold = number(0, 1), width = number(0, 20000), height = number(0, 20000);
    const QTime start = fuzz.chance(80) ? QTime(int(number(0, 23)), int(number(0, 59)), fuzz.chance(50) ? int(number(0, 59)) : 0) : QTime();
    const QString startText = !start.isValid() ? QString()
                              : start.second() ? start.toString(QStringLiteral("H:mm:ss"))
                                               : start.toString(fuzz.chance(50) ? QStringLiteral("HH:mm") : QStringLiteral("H:mm"));
    QString user, password, source;
    w.fields = {QStringLiteral("\"Kalvuner\""), anyNumberText(fuzz, plant), anyNumberText(fuzz, keep),
                anyNumberText(fuzz, unused), anyNumberText(fuzz, mark), anyNumberText(fuzz, mold),
                fuzz.chance(50) ? u'"' + startText + u'"' : startText, anyNumberText(fuzz, width),
                anyNumberText(fuzz, height), anyTextField(fuzz, user), anyTextField(fuzz, password),
                anyTextField(fuzz, source)};
    w.count = fuzz.chance(80) ? 12 : int(number(2, 12));
    const auto kept = [&w](int field, auto value, auto none) { return field <= w.count ? value : none; };
    c.PlantCode = int(plant);
    c.KeepMachineOfUnplaced = kept(3, int(keep), 0);
    c.MarkTentativeBars = kept(5, int(mark), 0);
    c.ShowMoldOnBars = kept(6, int(mold), 0);
    c.DayStartText = kept(7, startText, QString());
    c.DayStartTime = kept(7, start.isValid() ? start : QTime(0, 0), QTime(0, 0));
    c.WindowWidth = kept(8, settings::widthToTwips(width), qint64(0));
    c.WindowHeight = kept(9, settings::heightToTwips(height), qint64(0));
    c.DbUser = kept(10, user, QString());
    c.DbPassword = kept(11, password, QString());
    c.DbDataSource = kept(12, source, QString());
    return w;
}

QString fileText(FuzzInputs &fuzz, const Written &w)
{
    static const QStringList delimiters = {QStringLiteral(","), QStringLiteral(", "), QStringLiteral("\r\n"),
                                           QStringLiteral("\n"), QStringLiteral(" ,\t")};
    static const QStringList endings = {QString(), QStringLiteral("\r\n"), QStringLiteral("\n")};
    QString text = w.fields[0];
    for (int i = 1; i < w.count; ++i)
        text += fuzz.oneOf(delimiters) + w.fields[i];
    return text + fuzz.oneOf(endings);
}

TEST(SettingsFuzz, WrittenSettingsReadBackAsWritten)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() / 4 && !HasFailure(); ++round) {
        const Written w = anyValidSettings(fuzz);
        const QString text = fileText(fuzz, w);
        RunContext read;
        try {
            settings::parse(text, FileName, read);
        } catch (const StartupError &error) {
            ADD_FAILURE() << error.what() << ", " << fuzz.where(round, text);
            continue;
        }
        const RunContext &e = w.expected;
        const auto same = [&](auto a, auto b, const char *field) { EXPECT_EQ(a, b) << field << ", " << fuzz.where(round, text); };
        same(read.PlantCode, e.PlantCode, "plant");
        same(read.KeepMachineOfUnplaced, e.KeepMachineOfUnplaced, "keep machine");
        same(read.MarkTentativeBars, e.MarkTentativeBars, "tentative colours");
        same(read.ShowMoldOnBars, e.ShowMoldOnBars, "mold names");
        same(read.DayStartText, e.DayStartText, "day start text");
        same(read.DayStartTime, e.DayStartTime, "day start");
        same(read.WindowWidth, e.WindowWidth, "width");
        same(read.WindowHeight, e.WindowHeight, "height");
        same(read.DbUser, e.DbUser, "user");
        same(read.DbPassword, e.DbPassword, "password");
        same(read.DbDataSource, e.DbDataSource, "data source");
    }
}

TEST(SettingsFuzz, DamagedFilesGiveSettingsOrAClearMessage)
{
    const std::u32string dictionary = U",\"\r\n \t0123456789:.-+eE成";
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        QString text;
        if (fuzz.chance(80)) {
            const Written w = anyValidSettings(fuzz);
            text = fuzz.mutated({fileText(fuzz, w)}, dictionary);
        } else {
            text = QString::fromUtf8(fuzz.anyBytes(200));
        }
        RunContext read;
        try {
            settings::parse(text, FileName, read);
            EXPECT_TRUE(read.DayStartTime.isValid()) << fuzz.where(round, text);
        } catch (const StartupError &error) {
            EXPECT_TRUE(error.text.startsWith(QStringLiteral("設定ファイル「planner.ini」"))) << error.what() << ", " << fuzz.where(round, text);
        } catch (const std::exception &other) {
            ADD_FAILURE() << "unexpected " << other.what() << ", " << fuzz.where(round, text);
        }
    }
}

} // namespace
