#pragma once
// Shell-style wildcard patterns as planners type them into search boxes: "*" any run of
// characters, "?" one character, "#" one digit 0-9, "[abc]" one of a list, "[a-z]" a range,
// "[!a-z]" any character outside. Everything else stands for itself; a "[" without its "]"
// is an ordinary character. Matching is exact (case-sensitive) over the whole text.
//
// A pattern is compiled once and then matched against many lots, so a search over a whole
// plan compiles nothing per lot. Patterns that are a plain prefix followed by "*" (the usual
// list search) are matched by comparing the prefix, without a regular expression.

#include <QRegularExpression>
#include <QString>

class WildcardPattern
{
public:
    // A pattern that matches every text.
    WildcardPattern() = default;
    explicit WildcardPattern(const QString &pattern);

    bool matches(QStringView text) const;
    const QString &pattern() const { return m_pattern; }

private:
    enum class Kind { Everything, Prefix, Exact, Expression };

    QString m_pattern;
    Kind m_kind = Kind::Everything;
    QString m_literal; // the prefix or exact text for Prefix and Exact
    QRegularExpression m_expression;
};
