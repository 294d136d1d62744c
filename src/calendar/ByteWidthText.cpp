#include "calendar/ByteWidthText.h"

#include "common/PlantValues.h"

namespace {

// The characters of a text as whole code points (a surrogate pair stays together).
QStringList codePoints(const QString &text)
{
    QStringList points;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        points.append(text.mid(i, length));
        i += length - 1;
    }
    return points;
}

QString fitFromLeft(const QString &text, int width)
{
    QString result;
    int used = 0;
    for (const QString &point : codePoints(text)) {
        const int size = plant::sjisWidth(point);
        if (used + size > width)
            break;
        result += point;
        used += size;
    }
    return result + QString(width - used, u' ');
}

QString fitFromRight(const QString &text, int width)
{
    QString result;
    int used = 0;
    const QStringList points = codePoints(text);
    for (qsizetype i = points.size() - 1; i >= 0; --i) {
        const int size = plant::sjisWidth(points[i]);
        if (used + size > width)
            break;
        result.prepend(points[i]);
        used += size;
    }
    return QString(width - used, u' ') + result;
}

} // namespace

QString PadToByteWidth(const QString &text, int width, QStringView alignment)
{
    if (alignment.isEmpty())
        return text;
    if (alignment != u"L" && alignment != u"R")
        return QString();
    if (width <= 0)
        return QString();
    return alignment == u"L" ? fitFromLeft(text, width) : fitFromRight(text, width);
}
