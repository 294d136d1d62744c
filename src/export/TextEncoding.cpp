#include "export/TextEncoding.h"

namespace {

// Characters of the Japanese standard set that Windows keeps at other code points: the same
// Shift_JIS bytes stand for both, so text typed on a Mac or a Linux server (〜, −, ‖ …) goes
// into the file as the character a Windows spreadsheet shows for those bytes.
char16_t windowsVariant(char16_t c)
{
    switch (c) {
    case u'\u301C': return u'\uFF5E'; // wave dash 〜 → ～
    case u'\u2016': return u'\u2225'; // double vertical line ‖ → ∥
    case u'\u2212': return u'\uFF0D'; // minus sign − → －
    case u'\u2014': return u'\u2015'; // em dash — → ―
    case u'\u00A2': return u'\uFFE0'; // ¢ → ￠
    case u'\u00A3': return u'\uFFE1'; // £ → ￡
    case u'\u00AC': return u'\uFFE2'; // ¬ → ￢
    default: return c;
    }
}

QString withWindowsVariants(QStringView text)
{
    QString folded = text.toString();
    for (QChar &c : folded)
        c = QChar(windowsVariant(c.unicode()));
    return folded;
}

// Made in place: Qt's ICU converter counts failures through a pointer to where it was made, so
// a moved converter would no longer report them.
void makeEncoder(std::optional<QStringEncoder> &encoder, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        encoder.emplace(QStringConverter::Utf8);
    else // code page 932 by its registered name; Qt's ICU converter gives the Windows table under it
        encoder.emplace("windows-31j");
}

} // namespace

std::optional<TextEncoding> textEncodingNamed(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("utf-8") || n == QLatin1String("utf8"))
        return TextEncoding::Utf8;
    if (n == QLatin1String("shift_jis") || n == QLatin1String("sjis") || n == QLatin1String("cp932"))
        return TextEncoding::ShiftJis;
    return std::nullopt;
}

QString textEncodingLabel(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Shift_JIS");
}

TextEncoder::TextEncoder(TextEncoding encoding) : m_encoding(encoding)
{
    makeEncoder(m_encoder, encoding);
}

QByteArray TextEncoder::byteOrderMark() const
{
    return m_encoding == TextEncoding::Utf8 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
}

void TextEncoder::append(QByteArray &out, QStringView text, QList<char32_t> &unmappable)
{
    const QString folded = m_encoding == TextEncoding::ShiftJis ? withWindowsVariants(text) : QString();
    const QStringView source = m_encoding == TextEncoding::ShiftJis ? QStringView(folded) : text;
    // A converter holds a high surrogate at the end back for the next piece, which would put
    // it into the next field: such text takes the slow way.
    const bool heldBack = !source.isEmpty() && source.back().isHighSurrogate();
    if (!heldBack) {
        QByteArray bytes = m_encoder->encode(source);
        if (!m_encoder->hasError()) {
            out += bytes;
            return;
        }
        restart();
    }
    appendByCharacter(out, source, unmappable);
}

// A converter keeps counting failures after resetState(), so a new one takes over after each.
void TextEncoder::restart()
{
    makeEncoder(m_encoder, m_encoding);
}

// The slow way, only for text that holds a character the encoding cannot: one character at a
// time, so that each one that fails is known and written as "?".
void TextEncoder::appendByCharacter(QByteArray &out, QStringView text, QList<char32_t> &unmappable)
{
    for (qsizetype at = 0; at < text.size();) {
        const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
        const QStringView one = text.sliced(at, pair ? 2 : 1);
        at += one.size();
        QByteArray bytes = m_encoder->encode(one);
        if (m_encoder->hasError() || (!pair && one[0].isSurrogate())) {
            restart();
            unmappable.append(pair ? QChar::surrogateToUcs4(one[0], one[1]) : char32_t(one[0].unicode()));
            out += '?';
        } else {
            out += bytes;
        }
    }
}
