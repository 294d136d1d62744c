#pragma once
// Shell-style wildcard patterns as planners type them into search boxes: "*" any run of
// characters, "?" one character, "#" one digit 0-9, "[abc]" one of a list, "[a-z]" a range,
// "[!a-z]" any character outside. Everything else stands for itself; a "[" without its "]"
// is an ordinary character. Matching is exact (case-sensitive) over the whole text, one
// character being one code point (a character outside the basic plane, such as 𠮷, counts
// once).
//
// A pattern is compiled once and then matched against many lots, so a search over a whole
// plan compiles nothing per lot. Patterns that are a plain prefix followed by "*" (the usual
// list search) are matched by comparing the prefix. Every other pattern is matched by a
// two-pointer scan that goes back only to the last "*": no backtracking beyond that, so a
// long pattern answers as surely and quickly as a short one.

#include <QString>
#include <vector>

class WildcardPattern
{
public:
    // A pattern that matches every text.
    WildcardPattern() = default;
    explicit WildcardPattern(const QString &pattern);

    bool matches(QStringView text) const;
    const QString &pattern() const { return m_pattern; }

private:
    enum class Kind { Everything, Prefix, Exact, Tokens };

    // One position of a compiled pattern: a literal code point, "?", "#", "*" or a list.
    struct Token
    {
        enum class Type { Literal, AnyOne, Digit, AnyRun, List } type = Type::Literal;
        char32_t literal = 0;
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges; // a single character is a range of one
        bool accepts(char32_t c) const;
    };

    bool matchesTokens(QStringView text) const;

    QString m_pattern;
    Kind m_kind = Kind::Everything;
    QString m_literal; // the prefix or exact text for Prefix and Exact
    std::vector<Token> m_tokens;
};
