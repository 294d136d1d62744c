#include "common/TypedNumber.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace plant {

std::optional<double> typedNumber(QStringView text, double limit)
{
    QString plain;
    plain.reserve(text.size());
    for (QChar ch : text) {
        // Full-width digits, point and comma as a Japanese input method types them.
        if (ch >= u'０' && ch <= u'９')
            ch = QChar(ch.unicode() - u'０' + u'0');
        else if (ch == u'．')
            ch = u'.';
        else if (ch == u'，' || ch == u'、')
            ch = u',';
        plain.append(ch);
    }
    plain = plain.trimmed();
    plain.remove(u',');
    static const QRegularExpression number(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(plain).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value) || value > limit)
        return std::nullopt;
    return value;
}

QString badNumberText(const QString &caption)
{
    return caption + QStringLiteral("を正しく入力してください");
}

} // namespace plant
