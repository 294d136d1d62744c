#include "common/NarrowText.h"

namespace {

// The full-width forms of U+FF61 .. U+FF9F, in that order.
constexpr char16_t kWideKana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
constexpr char16_t kFirstHalfKana = 0xFF61;
constexpr qsizetype kKanaCount = sizeof(kWideKana) / sizeof(char16_t) - 1;
static_assert(kKanaCount == 0xFF9F - 0xFF61 + 1);

constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;

// The half-width form of a full-width katakana or mark without voicing; 0 when there is none.
char16_t halfKana(char16_t wide)
{
    for (qsizetype i = 0; i < kKanaCount; ++i) {
        if (kWideKana[i] == wide)
            return char16_t(kFirstHalfKana + i);
    }
    if (wide == kCombiningVoiced)
        return 0xFF9E;
    if (wide == kCombiningSemiVoiced)
        return 0xFF9F;
    return 0;
}

void appendNarrow(QString &out, QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) {
        out += QChar(char16_t(u - 0xFF01 + 0x21));
        return;
    }
    if (u == 0x3000) {
        out += u' ';
        return;
    }
    if (u >= 0x3000 && u <= 0x30FF) {
        if (const char16_t half = halfKana(u)) {
            out += QChar(half);
            return;
        }
        // Voiced katakana decompose into the plain one and a voicing mark.
        const QString parts = c.decomposition();
        if (parts.size() == 2) {
            const char16_t base = halfKana(parts[0].unicode());
            const char16_t mark = halfKana(parts[1].unicode());
            if (base && mark) {
                out += QChar(base);
                out += QChar(mark);
                return;
            }
        }
    }
    out += c;
}

} // namespace

QString narrowUpper(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        appendNarrow(out, c);
    return out.toUpper();
}
