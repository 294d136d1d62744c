#include "FuzzInputs.h"

#include "calendar/DateEntry.h"

#include <QRegularExpression>
#include <array>
#include <gtest/gtest.h>

namespace {

const QRegularExpression FullDate(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}$"));

QDate anyToday(FuzzInputs &fuzz)
{
    // Mostly this century, now and then the calendar's ends, where the two-digit year window
    // reaches past year 1 or 9999.
    if (fuzz.chance(5))
        return fuzz.chance(50) ? QDate(int(fuzz.between(1, 60)), 1, 1) : QDate(int(fuzz.between(9950, 9999)), 12, 31);
    return QDate(2000, 1, 1).addDays(fuzz.between(0, 40000));
}

QString fullWidthDigits(QString text)
{
    for (QChar &c : text)
        if (c.isDigit())
            c = QChar(char16_t(u'\uFF10' + (c.unicode() - u'0')));
    return text;
}

TEST(DateEntryFuzz, AnyEntryGivesAFullDateThatReadsBackToItself)
{
    const QStringList samples = {
        QStringLiteral("2024/01/05"), QStringLiteral("240105"),   QStringLiteral("1225"),
        QStringLiteral("5"),          QStringLiteral("6/1"),      QStringLiteral("24.1.5"),
        QStringLiteral("20240229"),   QStringLiteral("２０２４／１／５"), QStringLiteral(" 99-12-31 "),
    };
    const std::u32string dictionary = U"0123456789０１２３４５６７８９/.- 年月日\u3000";
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString entry = fuzz.chance(50) ? fuzz.mutated(samples, dictionary) : fuzz.textFrom(dictionary, 14);
        const QDate today = anyToday(fuzz);
        const QString date = ReadDateEntry(entry, today);
        const QString orToday = ParseDateEntry(entry, today);
        if (date.isEmpty()) {
            EXPECT_EQ(orToday, today.toString(QStringLiteral("yyyy/MM/dd"))) << fuzz.where(round, entry);
            continue;
        }
        EXPECT_TRUE(FullDate.match(date).hasMatch()) << date.toStdString() << ", " << fuzz.where(round, entry);
        EXPECT_TRUE(QDate::fromString(date, QStringLiteral("yyyy/MM/dd")).isValid()) << fuzz.where(round, entry);
        EXPECT_EQ(orToday, date) << fuzz.where(round, entry);
        // A full date no longer depends on the day it is typed.
        EXPECT_EQ(ReadDateEntry(date, anyToday(fuzz)), date) << fuzz.where(round, entry);
    }
}

TEST(DateEntryFuzz, EveryWayOfTypingADateGivesThatDate)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() / 10 && !HasFailure(); ++round) {
        const QDate today = anyToday(fuzz);
        // Near today, at the edges of the two-digit year window, or anywhere in the calendar.
        const int edgeYear = today.year() + int(fuzz.oneOf(std::array{-50, -49, 50, 51}));
        const QDate date = fuzz.chance(60)   ? today.addDays(fuzz.between(-2000, 2000))
                           : fuzz.chance(50) ? QDate(edgeYear, 1, 1).addDays(fuzz.between(0, 364))
                                             : QDate(1, 1, 1).addDays(fuzz.between(0, 3652058));
        if (date.year() < 1 || date.year() > 9999)
            continue;
        QStringList typed;
        for (const char *format : {"yyyy/M/d", "yyyyMMdd", "yyyy.MM.dd", "yyyy-M-d"})
            typed << date.toString(QLatin1String(format));
        // Two-digit years within the window around today's year.
        if (date.year() >= today.year() - 49 && date.year() <= today.year() + 50)
            for (const char *format : {"yy/M/d", "yyMMdd", "yy.M.d"})
                typed << date.toString(QLatin1String(format));
        if (date.year() == today.year())
            for (const char *format : {"M/d", "MMdd", "Mdd"})
                typed << date.toString(QLatin1String(format));
        if (date.year() == today.year() && date.month() == today.month())
            typed << date.toString(QStringLiteral("d"));
        const QString expected = date.toString(QStringLiteral("yyyy/MM/dd"));
        for (const QString &entry : QStringList(typed))
            typed << fullWidthDigits(entry) << QStringLiteral("  %1 ").arg(entry);
        for (const QString &entry : typed)
            EXPECT_EQ(ReadDateEntry(entry, today), expected)
                << "today " << today.toString(Qt::ISODate).toStdString() << ", " << fuzz.where(round, entry);
    }
}

} // namespace
