#include "common/PlantValues.h"

#include <QDateTime>
#include <cmath>
#include <limits>

namespace plant {

namespace {

// A double that is already whole, as a 64-bit integer without undefined conversions.
qint64 saturated(double whole)
{
    constexpr double TwoTo63 = 9223372036854775808.0;
    if (std::isnan(whole))
        return 0;
    if (whole >= TwoTo63)
        return std::numeric_limits<qint64>::max();
    if (whole < -TwoTo63)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(whole);
}

} // namespace

qint64 roundHalfEven(double value)
{
    return saturated(std::nearbyint(value)); // default rounding mode: to nearest even
}

qint64 intFloor(double value)
{
    return saturated(std::floor(value));
}

qint64 ceilWhole(double value)
{
    // Guard against binary noise such as 1.25 * 60 = 75.00000000001.
    const double rounded = std::round(value);
    return saturated(std::fabs(value - rounded) < 1e-9 ? rounded : std::ceil(value));
}

bool fitsColumn(double value, qint64 limit)
{
    return std::isfinite(value) && std::fabs(value) <= double(limit);
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\u3000'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    qint64 whole = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        if (digits < 15)
            whole = whole * 10 + (text[i].unicode() - u'0');
        ++i;
        ++digits;
    }
    // A plain whole number (dates, times, codes, counts: most columns) needs no conversion
    // through text; up to 15 digits it is exact.
    const bool plainWhole = i == n || (text[i] != u'.' && text[i] != u'e' && text[i] != u'E');
    if (plainWhole && digits > 0 && digits <= 15)
        return text[start] == u'-' ? -double(whole) : double(whole);
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].unicode() < 128 && text[i].isDigit()) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'-' || text[j] == u'+'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && text[j].unicode() < 128 && text[j].isDigit())
            ++j;
        if (j > expStart)
            i = j;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toString().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QDate dateFromDb(QStringView yyyymmdd)
{
    const double number = leadingNumber(yyyymmdd);
    if (number <= 0 || number > 99991231)
        return {};
    const qint64 n = static_cast<qint64>(number);
    const QDate date(int(n / 10000), int(n / 100 % 100), int(n % 100));
    return date.isValid() && date.year() >= 1 ? date : QDate();
}

QTime timeFromDb(qint64 hhmmss)
{
    if (hhmmss < 0 || hhmmss > 235959)
        return {};
    return QTime(int(hhmmss / 10000), int(hhmmss / 100 % 100), int(hhmmss % 100));
}

QString dateToDb(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QStringLiteral("00000000");
}

qint64 timeToDb(const QTime &time)
{
    if (!time.isValid())
        return 0;
    return time.hour() * 10000 + time.minute() * 100 + time.second();
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString timeText(const QTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm:ss")) : QString();
}

QString shortDateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yy/MM/dd")) : QString();
}

QDate dateFromText(QStringView text)
{
    const auto parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return {};
    bool okY = false, okM = false, okD = false;
    const int y = parts[0].toInt(&okY), m = parts[1].toInt(&okM), d = parts[2].toInt(&okD);
    if (!okY || !okM || !okD)
        return {};
    const QDate date(y, m, d);
    return date.isValid() ? date : QDate();
}

double minutesToDbHours(qint64 minutes)
{
    return double(intFloor(double(minutes) * 100.0 / 60.0)) / 100.0;
}

QString thousands(qint64 value)
{
    // The magnitude in unsigned arithmetic: the lowest 64-bit value has no positive twin.
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, u',');
    return value < 0 ? QStringLiteral("-") + digits : digits;
}

QString thousandsTenths(double value)
{
    if (!std::isfinite(value))
        return {};
    const qint64 tenths = saturated(std::round(std::abs(value) * 10.0));
    const QString whole = thousands(tenths / 10) + u'.' + QString::number(tenths % 10);
    return value < 0 && tenths != 0 ? QStringLiteral("-") + whole : whole;
}

int sjisWidth(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F))
        return 1;
    return 2;
}

int sjisWidth(QStringView text)
{
    int width = 0;
    for (QChar ch : text)
        if (!ch.isLowSurrogate())
            width += sjisWidth(ch);
    return width;
}

QDateTime naiveDateTime(const QDate &date, const QTime &time)
{
    return QDateTime(date, time.isValid() ? time : QTime(0, 0), Qt::UTC);
}

} // namespace plant
