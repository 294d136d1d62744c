#include "common/WildcardPattern.h"

namespace {

bool isSpecial(QChar c)
{
    return c == u'*' || c == u'?' || c == u'#' || c == u'[';
}

// The code points of a text; a lone surrogate stands for itself.
std::u32string codePoints(QStringView text)
{
    std::u32string out;
    out.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            out.push_back(c.unicode());
        }
    }
    return out;
}

// The position of the "]" that closes the list opened at `open`; npos when there is none. A
// "]" right after "[" or "[!" belongs to the list, so a list is never empty.
size_t closingBracket(const std::u32string &pattern, size_t open)
{
    size_t pos = open + 1;
    if (pos < pattern.size() && pattern[pos] == U'!')
        ++pos;
    if (pos < pattern.size() && pattern[pos] == U']')
        ++pos;
    return pattern.find(U']', pos);
}

// Reads the code point at `pos` of a UTF-16 text and moves past it.
char32_t nextCodePoint(QStringView text, qsizetype &pos)
{
    const QChar c = text[pos++];
    if (c.isHighSurrogate() && pos < text.size() && text[pos].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[pos++]);
    return c.unicode();
}

} // namespace

bool WildcardPattern::Token::accepts(char32_t c) const
{
    switch (type) {
    case Type::Literal:
        return c == literal;
    case Type::AnyOne:
        return true;
    case Type::Digit:
        return c >= U'0' && c <= U'9';
    case Type::AnyRun:
        return false;
    case Type::List:
        for (const auto &[low, high] : ranges)
            if (c >= low && c <= high)
                return !negated;
        return negated;
    }
    return false;
}

WildcardPattern::WildcardPattern(const QString &pattern) : m_pattern(pattern)
{
    qsizetype firstSpecial = 0;
    while (firstSpecial < pattern.size() && !isSpecial(pattern[firstSpecial]))
        ++firstSpecial;
    const qsizetype size = pattern.size();
    bool onlyStarsAfter = true;
    for (qsizetype i = firstSpecial; i < size && onlyStarsAfter; ++i)
        onlyStarsAfter = pattern[i] == u'*';

    if (firstSpecial == size) {
        m_kind = Kind::Exact;
        m_literal = pattern;
        return;
    }
    if (onlyStarsAfter) {
        m_kind = firstSpecial == 0 ? Kind::Everything : Kind::Prefix;
        m_literal = pattern.left(firstSpecial);
        return;
    }
    m_kind = Kind::Tokens;
    const std::u32string points = codePoints(pattern);
    for (size_t i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        Token token;
        if (c == U'*') {
            token.type = Token::Type::AnyRun;
        } else if (c == U'?') {
            token.type = Token::Type::AnyOne;
        } else if (c == U'#') {
            token.type = Token::Type::Digit;
        } else if (const size_t close = c == U'[' ? closingBracket(points, i) : std::u32string::npos;
                   close != std::u32string::npos) {
            token.type = Token::Type::List;
            size_t first = i + 1;
            token.negated = points[first] == U'!';
            if (token.negated)
                ++first;
            for (size_t k = first; k < close; ++k) {
                // "a-z" is a range; a reversed range ("z-a") holds nothing.
                if (k + 2 < close && points[k + 1] == U'-') {
                    token.ranges.emplace_back(points[k], points[k + 2]);
                    k += 2;
                } else {
                    token.ranges.emplace_back(points[k], points[k]);
                }
            }
            i = close;
        } else {
            token.literal = c;
        }
        // Runs of "*" are one "*".
        if (token.type == Token::Type::AnyRun && !m_tokens.empty() && m_tokens.back().type == Token::Type::AnyRun)
            continue;
        m_tokens.push_back(std::move(token));
    }
}

// Walks text and pattern together; on a mismatch the last "*" takes one more character and
// the scan resumes after it. Earlier "*"s never need to take more, because whatever the later
// pattern matched after them can be matched after the later "*" as well.
bool WildcardPattern::matchesTokens(QStringView text) const
{
    const size_t count = m_tokens.size();
    size_t p = 0;
    qsizetype t = 0;
    size_t starToken = count; // none yet
    qsizetype starText = 0;
    while (t < text.size()) {
        if (p < count && m_tokens[p].type == Token::Type::AnyRun) {
            starToken = p++;
            starText = t;
            continue;
        }
        qsizetype after = t;
        const char32_t c = nextCodePoint(text, after);
        if (p < count && m_tokens[p].accepts(c)) {
            ++p;
            t = after;
        } else if (starToken < count) {
            nextCodePoint(text, starText);
            t = starText;
            p = starToken + 1;
        } else {
            return false;
        }
    }
    while (p < count && m_tokens[p].type == Token::Type::AnyRun)
        ++p;
    return p == count;
}

bool WildcardPattern::matches(QStringView text) const
{
    switch (m_kind) {
    case Kind::Everything:
        return true;
    case Kind::Prefix:
        return text.startsWith(m_literal);
    case Kind::Exact:
        return text == m_literal;
    case Kind::Tokens:
        return matchesTokens(text);
    }
    return false;
}
