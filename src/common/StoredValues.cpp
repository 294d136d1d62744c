#include "common/StoredValues.h"

#include <cmath>

namespace stored {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The whole number a column's text is, blanks around it allowed; nothing for other text.
std::optional<qint64> wholeText(QStringView text)
{
    text = text.trimmed();
    const qsizetype first = !text.isEmpty() && (text.front() == u'-' || text.front() == u'+') ? 1 : 0;
    if (text.size() == first || text.size() - first > 15)
        return std::nullopt;
    for (qsizetype i = first; i < text.size(); ++i)
        if (!isAsciiDigit(text[i]))
            return std::nullopt;
    return text.toLongLong();
}

} // namespace

std::optional<QDate> date(QStringView text)
{
    text = text.trimmed();
    bool zeros = true;
    for (const QChar c : text)
        zeros = zeros && c == u'0';
    if (zeros)
        return QDate();
    if (text.size() != 8)
        return std::nullopt;
    for (const QChar c : text)
        if (!isAsciiDigit(c))
            return std::nullopt;
    const int n = text.toInt();
    const QDate read(n / 10000, n / 100 % 100, n % 100);
    if (!read.isValid() || read.year() < 1)
        return std::nullopt;
    return read;
}

std::optional<QTime> time(const QVariant &value)
{
    if (value.isNull())
        return QTime(0, 0);
    std::optional<qint64> hhmmss;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        hhmmss = value.toLongLong();
        break;
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e9)
            hhmmss = qint64(number);
        break;
    }
    default: {
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return QTime(0, 0);
        hhmmss = wholeText(text);
    }
    }
    if (!hhmmss || *hhmmss < 0 || *hhmmss > 235959 || *hhmmss / 100 % 100 > 59 || *hhmmss % 100 > 59)
        return std::nullopt;
    return QTime(int(*hhmmss / 10000), int(*hhmmss / 100 % 100), int(*hhmmss % 100));
}

std::optional<double> quantity(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return double(value.toLongLong());
    case QMetaType::Double:
        number = value.toDouble();
        break;
    default: {
        bool ok = false;
        number = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    }
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

bool isConfirmFlag(QStringView text)
{
    return text == u"1" || text == u"2";
}

} // namespace stored
