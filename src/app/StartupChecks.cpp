#include "app/StartupChecks.h"

#include "export/TextEncoding.h"

#include <cmath>
#include <limits>

namespace startup {

std::optional<int> plantCodeOf(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value != std::floor(value) || value < std::numeric_limits<int>::min()
        || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

QString plantCodeProblemText(const QString &text)
{
    return QStringLiteral("生産工場コード「%1」は整数ではありません。").arg(text);
}

namespace {

// A blank, a control or a formatting character: never part of a plant's code, and invisible
// in a message.
bool invisible(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format;
}

// The characters of `code` the plant's codes cannot hold, each once.
QString foreignCharacters(const QString &code)
{
    QString foreign;
    const auto add = [&foreign](char32_t c) {
        const QString character = QString::fromUcs4(&c, 1);
        if (!foreign.contains(character))
            foreign += character;
    };
    for (char32_t c : code.toUcs4())
        if (invisible(c))
            add(c);
    TextEncoder encoder(TextEncoding::ShiftJis);
    QList<char32_t> unmappable;
    QByteArray bytes;
    if (encoder.isValid()) {
        encoder.append(bytes, code, unmappable);
    } else { // without a Shift_JIS encoder: at least no character beyond its planes
        for (char32_t c : code.toUcs4())
            if (c > 0xFFFF)
                unmappable.append(c);
    }
    for (char32_t c : unmappable)
        add(c);
    return foreign;
}

// A character as the message shows it: a blank or a control character by its code point,
// which would otherwise be invisible.
QString shown(const QString &characters)
{
    QStringList parts;
    for (char32_t c : characters.toUcs4()) {
        if (invisible(c))
            parts << QStringLiteral("U+") + QStringLiteral("%1").arg(uint(c), 4, 16, QChar(u'0')).toUpper();
        else
            parts << QString::fromUcs4(&c, 1);
    }
    return parts.join(u' ');
}

} // namespace

std::optional<QString> codeProblem(const QString &label, const QString &code)
{
    if (code.isEmpty())
        return QStringLiteral("%1が空です。").arg(label);
    const QString foreign = foreignCharacters(code);
    if (foreign.isEmpty())
        return std::nullopt;
    return QStringLiteral("%1「%2」には使えない文字があります: %3").arg(label, code, shown(foreign));
}

QString extraArgumentsText(const QStringList &extra)
{
    QString listed;
    for (const QString &argument : extra)
        listed += u'「' + argument + u'」';
    return QStringLiteral("余分な引数があります: ") + listed;
}

} // namespace startup
