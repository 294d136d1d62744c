#include "calendar/DateEntry.h"

#include <QStringList>

namespace {

struct TypedDigits
{
    QStringList groups;  // the first four digit groups
    int separators = 0;  // characters that ended a group
};

// Splits the entry at every character that is not a digit; full-width digits count as digits.
TypedDigits splitDigitGroups(const QString &text)
{
    TypedDigits typed;
    typed.groups.append(QString());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= u'0' && u <= u'9') {
            if (typed.separators < 4)
                typed.groups.last().append(ch);
        } else if (u >= u'\uFF10' && u <= u'\uFF19') {
            if (typed.separators < 4)
                typed.groups.last().append(QChar(char16_t(u'0' + (u - u'\uFF10'))));
        } else {
            ++typed.separators;
            if (typed.separators < 4)
                typed.groups.append(QString());
        }
    }
    return typed;
}

// The number of a digit group; an empty group counts 0. Groups too long for a date part
// give a number no date has.
qint64 numberOf(const QString &group)
{
    if (group.size() > 12)
        return -1;
    return group.isEmpty() ? 0 : group.toLongLong();
}

// A two-digit year in the window around today's year.
qint64 windowedYear(qint64 twoDigits, const QDate &today)
{
    const qint64 low = today.year() - 49;
    const qint64 high = today.year() + 50;
    const qint64 inLowCentury = twoDigits + low / 100 * 100;
    return inLowCentury >= low ? inLowCentury : twoDigits + high / 100 * 100;
}

struct DateParts
{
    qint64 year;
    qint64 month;
    qint64 day;
};

// One group without separators: d, dd, mdd, mmdd, yymmdd or yyyymmdd.
DateParts partsOfOneGroup(QString group, const QDate &today)
{
    if (group.size() > 8)
        return {0, 0, 0};
    if (group.isEmpty())
        return {today.year(), today.month(), today.day()};
    if (group.size() <= 2) {
        if (numberOf(group) <= 31)
            return {today.year(), today.month(), numberOf(group)};
        group = group.left(1) + QLatin1Char('0') + group.right(1); // 45 is April 5
    }
    const qint64 number = numberOf(group);
    const qint64 month = number % 10000 / 100;
    const qint64 day = number % 100;
    if (group.size() <= 4)
        return {today.year(), month, day};
    if (group.size() <= 6)
        return {windowedYear(number / 10000, today), month, day};
    return {number / 10000, month, day};
}

} // namespace

QString ParseDateEntry(const QString &text, const QDate &today)
{
    const QString date = ReadDateEntry(text, today);
    return date.isEmpty() ? today.toString(QStringLiteral("yyyy/MM/dd")) : date;
}

QString ReadDateEntry(const QString &text, const QDate &today)
{
    const TypedDigits typed = splitDigitGroups(text.trimmed());
    const QStringList &g = typed.groups;

    DateParts parts{};
    switch (typed.separators) {
    case 0:
        parts = partsOfOneGroup(g[0], today);
        break;
    case 1:
        parts = {today.year(), numberOf(g[0]), numberOf(g[1])};
        break;
    case 2:
    case 3:
        parts = {g[0].size() > 2 ? numberOf(g[0]) : windowedYear(numberOf(g[0]), today),
                 numberOf(g[1]), numberOf(g[2])};
        break;
    default:
        return {};
    }

    // The date must be a real calendar date with a four-digit year.
    if (parts.year < 1 || parts.year > 9999 || parts.month < 1 || parts.month > 12 || parts.day < 1
        || !QDate::isValid(int(parts.year), int(parts.month), int(parts.day)))
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(parts.year, 4, 10, QLatin1Char('0'))
        .arg(parts.month, 2, 10, QLatin1Char('0'))
        .arg(parts.day, 2, 10, QLatin1Char('0'));
}

QString ReadBoxDate(const QString &text, const QDate &today)
{
    bool digit = false;
    for (const QChar ch : text) {
        if (ch.isLetter())
            return {};
        digit = digit || ch.isDigit();
    }
    return digit ? ReadDateEntry(text, today) : QString();
}
