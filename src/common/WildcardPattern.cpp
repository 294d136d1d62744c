#include "common/WildcardPattern.h"

namespace {

bool isSpecial(QChar c)
{
    return c == u'*' || c == u'?' || c == u'#' || c == u'[';
}

// The position of the "]" that closes the list opened at `open`; -1 when there is none. A "]"
// right after "[" or "[!" belongs to the list.
qsizetype closingBracket(const QString &pattern, qsizetype open)
{
    qsizetype pos = open + 1;
    if (pos < pattern.size() && pattern[pos] == u'!')
        ++pos;
    if (pos < pattern.size() && pattern[pos] == u']')
        ++pos;
    return pattern.indexOf(u']', pos);
}

// A character of a bracket list, escaped for a regular-expression class.
QString classChar(QChar c)
{
    if (c == u'\\' || c == u']' || c == u'[' || c == u'^' || c == u'-')
        return QStringLiteral("\\") + c;
    return QString(c);
}

// The regular-expression class of the list between `first` and `last` (exclusive), which
// always holds at least one character (closingBracket never closes an empty list).
QString bracketClass(const QString &pattern, qsizetype first, qsizetype last)
{
    QString out = QStringLiteral("[");
    if (first < last && pattern[first] == u'!') {
        out += u'^';
        ++first;
    }
    for (qsizetype i = first; i < last; ++i) {
        out += classChar(pattern[i]);
        if (i + 2 < last && pattern[i + 1] == u'-') {
            out += u'-' + classChar(pattern[i + 2]);
            i += 2;
        }
    }
    return out + u']';
}

QString toExpression(const QString &pattern)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'*') {
            out += QStringLiteral(".*");
        } else if (c == u'?') {
            out += u'.';
        } else if (c == u'#') {
            out += QStringLiteral("[0-9]");
        } else if (c == u'[' && closingBracket(pattern, i) > 0) {
            const qsizetype close = closingBracket(pattern, i);
            out += bracketClass(pattern, i + 1, close);
            i = close;
        } else {
            out += QRegularExpression::escape(QString(c));
        }
    }
    return out;
}

} // namespace

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
    } else if (onlyStarsAfter) {
        m_kind = firstSpecial == 0 ? Kind::Everything : Kind::Prefix;
        m_literal = pattern.left(firstSpecial);
    } else {
        m_kind = Kind::Expression;
        m_expression.setPattern(QRegularExpression::anchoredPattern(toExpression(pattern)));
        m_expression.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
        m_expression.optimize();
    }
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
    case Kind::Expression:
        return m_expression.match(text).hasMatch();
    }
    return false;
}
