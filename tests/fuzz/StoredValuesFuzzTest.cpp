// The load's readers of a lot's dates, times, quantity and flag take a value only when it is
// what it must be, and what they take is written back as it was read; the script reader takes
// no line it cannot carry out as written (dates, times, finite hours from 0 to 24).

#include "FuzzInputs.h"

#include "PlanScript.h"
#include "common/PlantValues.h"
#include "common/StoredValues.h"
#include "dialogs/LinePlan.h"

#include <QVariant>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

bool asciiDigits(const QString &text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

TEST(StoredValuesFuzz, DatesAreEightDigitsOfARealDayOrNoDate)
{
    const QStringList samples = {QStringLiteral("20261208"), QStringLiteral("00000000"), QStringLiteral(""),
                                 QStringLiteral(" 20240229 "), QStringLiteral("20261208junk"), QStringLiteral("2026120x"),
                                 QStringLiteral("100000101"), QStringLiteral("99991231"), QStringLiteral("0")};
    const std::u32string dictionary = U"0123456789 x-/.\u3000１";
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString text = fuzz.chance(80) ? fuzz.mutated(samples, dictionary) : fuzz.anyText(12);
        const QString trimmed = text.trimmed();
        const std::optional<QDate> read = stored::date(text);
        const bool noDate = trimmed.isEmpty() || trimmed.count(u'0') == trimmed.size();
        const QDate day = QDate::fromString(trimmed, QStringLiteral("yyyyMMdd"));
        const bool aDay = trimmed.size() == 8 && asciiDigits(trimmed) && day.isValid() && day.year() >= 1;
        EXPECT_EQ(read.has_value(), noDate || aDay) << fuzz.where(round, text);
        if (read && read->isValid()) {
            EXPECT_EQ(plant::dateToDb(*read), trimmed) << fuzz.where(round, text);
        }
    }
}

TEST(StoredValuesFuzz, TimesAreWholeNumbersOfATimeOfDay)
{
    const QStringList samples = {QStringLiteral("83000"), QStringLiteral("235959"), QStringLiteral("250000"),
                                 QStringLiteral("-1"), QStringLiteral("abc"), QStringLiteral(" 120000 "),
                                 QStringLiteral("99999"), QStringLiteral("8.5")};
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        QVariant value;
        switch (fuzz.between(0, 3)) {
        case 0:
            value = fuzz.between(-300000, 300000);
            break;
        case 1:
            value = fuzz.chance(10) ? std::numeric_limits<double>::quiet_NaN()
                                    : double(fuzz.between(-3000000, 3000000)) / double(fuzz.oneOf(std::array{1, 2, 10}));
            break;
        case 2:
            value = fuzz.mutated(samples, U"0123456789 -.e");
            break;
        default:
            break; // null: the plant stores no time
        }
        const std::string where = fuzz.where(round, value.toString());
        const std::optional<QTime> read = stored::time(value);
        bool whole = false;
        const qint64 number = value.toString().trimmed().toLongLong(&whole);
        const bool blank = value.toString().trimmed().isEmpty();
        const bool aTime = whole && number >= 0 && number <= 235959 && number / 100 % 100 < 60 && number % 100 < 60;
        if (value.typeId() == QMetaType::Double) {
            const double d = value.toDouble();
            const bool wholeDouble = std::isfinite(d) && d == std::floor(d) && d >= 0 && d <= 235959;
            const qint64 n = wholeDouble ? qint64(d) : -1;
            EXPECT_EQ(read.has_value(), wholeDouble && n / 100 % 100 < 60 && n % 100 < 60) << where;
            if (read) {
                EXPECT_EQ(plant::timeToDb(*read), n) << where;
            }
            continue;
        }
        EXPECT_EQ(read.has_value(), blank || aTime) << where;
        if (read && !blank) {
            EXPECT_EQ(plant::timeToDb(*read), number) << where;
        }
    }
}

TEST(StoredValuesFuzz, QuantitiesAreFiniteNumbersNeverNullOrText)
{
    const QStringList samples = {QStringLiteral("120"), QStringLiteral("120個"), QStringLiteral(" 3.5 "),
                                 QStringLiteral("abc"), QStringLiteral("1e20"), QStringLiteral("nan"), QStringLiteral("inf")};
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const bool text = fuzz.chance(50);
        const QVariant value = text ? QVariant(fuzz.mutated(samples, U"0123456789 -.e個"))
                                    : fuzz.chance(10) ? QVariant() : QVariant(double(fuzz.between(-100000, 100000)) / 4);
        const std::optional<double> read = stored::quantity(value);
        const std::string where = fuzz.where(round, value.toString());
        if (value.isNull()) {
            EXPECT_FALSE(read) << where;
            continue;
        }
        bool number = false;
        const double expected = value.toString().trimmed().toDouble(&number);
        EXPECT_EQ(read.has_value(), number && std::isfinite(expected)) << where;
        if (read) {
            EXPECT_EQ(*read, expected) << where;
        }
    }
}

TEST(PlanScriptFuzz, ALineTheReaderTakesCanBeCarriedOutAsWritten)
{
    const QStringList samples = {
        QStringLiteral("move 5001 M01 2026/12/10 08:00"), QStringLiteral("hours M01 2026/12/10 8 08:00 17:00"),
        QStringLiteral("hours M01 2026/12/10 nan"),        QStringLiteral("move 5001 - 9999/12/31 23:59 # 遠い先"),
        QStringLiteral("undo\nredo\n"),                    QStringLiteral("merge 5001 5002\tpack M01"),
        QStringLiteral("confirm * 2026/12/01 2026/12/31"), QStringLiteral("split-lot 5001 700=2"),
    };
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString text = fuzz.chance(85) ? fuzz.mutated(samples, U" \t#\n/:0123456789-.=einaf") : fuzz.anyText(60);
        const ReadScript script = readPlanScript(text);
        const qsizetype lines = text.count(u'\n') + 1;
        const std::string where = fuzz.where(round, text);
        if (script.error) {
            EXPECT_TRUE(script.error->line >= 1 && script.error->line <= lines) << where;
            EXPECT_FALSE(script.error->text.isEmpty()) << where;
        }
        for (const ScriptLine &line : script.lines) {
            ASSERT_NE(line.action, nullptr) << where;
            EXPECT_TRUE(line.number >= 1 && line.number <= lines) << where;
            if (line.action->name == QStringLiteral("move")) {
                EXPECT_TRUE(scriptwords::moment(line.words[2], line.words[3]).isValid()) << where;
            } else if (line.action->name == QStringLiteral("hours")) {
                const std::optional<int> hours = plannedHours(line.words[2]);
                EXPECT_TRUE(hours && *hours >= 0 && *hours <= 24) << where;
            }
        }
    }
}

} // namespace
