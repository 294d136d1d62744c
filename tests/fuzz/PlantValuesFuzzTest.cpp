#include "FuzzInputs.h"

#include "common/PlantValues.h"

#include <QRegularExpression>
#include <array>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Doubles of every kind: plain amounts, halves, values near and far beyond the column and
// 64-bit limits, NaN, infinities, and any bit pattern at all.
double anyDouble(FuzzInputs &fuzz)
{
    static constexpr double special[] = {
        0.0, -0.0, 0.5, -0.5, 2.5, -2.5, 1e20, -1e20, 9223372036854775807.0, -9223372036854775808.0,
        2147483647.0, 2147483647.5, -2147483648.0, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
    };
    switch (fuzz.between(0, 3)) {
    case 0:
        return fuzz.oneOf(special);
    case 1:
        return double(fuzz.between(-100000, 100000)) / 4.0;
    case 2:
        return std::ldexp(double(fuzz.between(-(1LL << 52), 1LL << 52)), int(fuzz.between(-60, 80)));
    default:
        return std::bit_cast<double>(quint64(fuzz.between(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max())));
    }
}

TEST(PlantValuesFuzz, RoundingsOfAnyDoubleStayInRange)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const double value = anyDouble(fuzz);
        const std::string where = fuzz.where(round, QString::number(value, 'g', 17));
        const qint64 even = plant::roundHalfEven(value), floor = plant::intFloor(value), up = plant::ceilWhole(value);
        if (!plant::fitsColumn(value)) {
            EXPECT_FALSE(std::isfinite(value) && std::fabs(value) <= 2147483647.0) << where;
            continue;
        }
        // Within the column's range every rounding is a whole number next to the value.
        EXPECT_LE(std::fabs(double(even) - value), 0.5) << where;
        EXPECT_TRUE(double(floor) <= value && value < double(floor) + 1) << where;
        EXPECT_TRUE(double(up) >= value - 1e-9 && double(up) < value + 1) << where;
        for (const qint64 whole : {even, floor, up})
            EXPECT_LE(std::abs(whole), plant::ColumnWholeLimit) << where;
        // Minutes stored as hundredths of hours lose less than a minute, and only downwards.
        const double stored = plant::minutesToDbHours(even) * 60.0;
        EXPECT_TRUE(stored <= double(even) + 1e-6 && stored > double(even) - 0.6) << where;
    }
}

TEST(PlantValuesFuzz, NumbersPrintWithTheirDigits)
{
    static const QRegularExpression groups(QStringLiteral("^-?\\d{1,3}(,\\d{3})*$"));
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const qint64 whole = fuzz.chance(10) ? fuzz.oneOf(std::array{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), qint64(0)})
                                             : fuzz.between(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()) >> fuzz.between(0, 62);
        const QString grouped = plant::thousands(whole);
        EXPECT_EQ(QString(grouped).remove(u','), QString::number(whole)) << "whole " << whole;
        EXPECT_TRUE(groups.match(grouped).hasMatch()) << "whole " << whole;

        const double value = anyDouble(fuzz);
        const QString tenths = plant::thousandsTenths(value);
        if (!std::isfinite(value)) {
            EXPECT_TRUE(tenths.isEmpty()) << value;
        } else if (std::fabs(value) < 1e15) {
            bool ok = false;
            const double shown = QString(tenths).remove(u',').toDouble(&ok);
            EXPECT_TRUE(ok && std::fabs(shown - value) <= 0.05 + std::fabs(value) * 1e-15)
                << tenths.toStdString() << " for " << QString::number(value, 'g', 17).toStdString();
        }
    }
}

// The leading number as the rules put it: blanks, a sign, digits with an optional fraction,
// an optional exponent; what does not fit a double reads as 0.
double leadingNumberByRule(QString text)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\x{3000}]*([-+]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][-+]?[0-9]+)?)"));
    // No other character takes part in a number; replaced, it cannot upset the expression
    // (which finds nothing in broken UTF-16).
    for (QChar &c : text)
        if (c.unicode() >= 0x80 && c != u'\u3000')
            c = u'?';
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0.0;
    const double value = std::strtod(match.captured(1).toLatin1().constData(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

TEST(PlantValuesFuzz, ColumnTextsReadAsTheirLeadingNumber)
{
    const QStringList samples = {
        QStringLiteral("12abc"), QStringLiteral(" 3.5"), QStringLiteral("1e20"),     QStringLiteral("-0.25e-3x"),
        QStringLiteral("20240105"), QStringLiteral("083000"), QStringLiteral("9999999999999999999"), QStringLiteral("　７"),
    };
    const std::u32string dictionary = U"0123456789+-.eE \t\u3000１x";
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString text = fuzz.chance(70) ? fuzz.mutated(samples, dictionary) : fuzz.anyText(20);
        const double value = plant::leadingNumber(text);
        EXPECT_EQ(value, leadingNumberByRule(text)) << fuzz.where(round, text);

        // Dates and times of a column are real ones and are written back as they were read.
        const QDate date = plant::dateFromDb(text);
        if (date.isValid()) {
            EXPECT_EQ(plant::dateFromDb(plant::dateToDb(date)), date) << fuzz.where(round, text);
        }
        const qint64 hhmmss = plant::fitsColumn(value) ? plant::intFloor(value) : -1;
        if (const QTime time = plant::timeFromDb(hhmmss); time.isValid()) {
            EXPECT_EQ(plant::timeToDb(time), hhmmss) << fuzz.where(round, text);
        }
        if (const QDate typed = plant::dateFromText(text); typed.isValid()) {
            EXPECT_EQ(plant::dateFromText(plant::dateText(typed)), typed) << fuzz.where(round, text);
        }
    }
}

} // namespace
