#include "FuzzInputs.h"

#include "common/WildcardPattern.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A plain matcher written from the rules, trying every split of the text at each "*" (each
// pattern and text position answered once): slow, but with nothing to go wrong.
class ReferenceMatcher
{
public:
    ReferenceMatcher(std::u32string pattern, std::u32string text)
        : p(std::move(pattern)), t(std::move(text)), known((p.size() + 1) * (t.size() + 1), Unknown)
    {
    }

    bool matches() { return match(0, 0); }

private:
    enum Answer : signed char { Unknown = -1, No = 0, Yes = 1 };

    bool match(size_t i, size_t j)
    {
        signed char &answer = known[i * (t.size() + 1) + j];
        if (answer == Unknown)
            answer = work(i, j) ? Yes : No;
        return answer == Yes;
    }

    bool work(size_t i, size_t j)
    {
        if (i == p.size())
            return j == t.size();
        if (p[i] == U'*') {
            for (size_t k = j; k <= t.size(); ++k)
                if (match(i + 1, k))
                    return true;
            return false;
        }
        if (j == t.size())
            return false;
        if (p[i] == U'[') {
            size_t close = i + 1;
            if (close < p.size() && p[close] == U'!')
                ++close;
            if (close < p.size() && p[close] == U']')
                ++close;
            while (close < p.size() && p[close] != U']')
                ++close;
            if (close < p.size()) {
                const bool negated = p[i + 1] == U'!';
                bool inList = false;
                for (size_t k = i + 1 + (negated ? 1 : 0); k < close; ++k) {
                    if (k + 2 < close && p[k + 1] == U'-') {
                        inList = inList || (t[j] >= p[k] && t[j] <= p[k + 2]);
                        k += 2;
                    } else {
                        inList = inList || t[j] == p[k];
                    }
                }
                return inList != negated && match(close + 1, j + 1);
            }
        }
        const bool one = p[i] == U'?' || (p[i] == U'#' ? (t[j] >= U'0' && t[j] <= U'9') : p[i] == t[j]);
        return one && match(i + 1, j + 1);
    }

    const std::u32string p;
    const std::u32string t;
    std::vector<signed char> known;
};

bool expected(const QString &pattern, const QString &text)
{
    return ReferenceMatcher(codePointsOf(pattern), codePointsOf(text)).matches();
}

// A text close to the pattern, so that many answers are yes: literals kept, "?" and "#" filled
// in, each "*" a short run, the brackets of lists dropped.
QString filledIn(const QString &pattern, FuzzInputs &fuzz, std::u32string_view pool)
{
    QString text;
    for (const QChar c : pattern) {
        if (c == u'*')
            text += fuzz.textFrom(pool, 3);
        else if (c == u'?')
            text += fuzz.textFrom(pool, 1).leftJustified(1, u'x');
        else if (c == u'#')
            text += QChar(char16_t(u'0' + fuzz.between(0, 9)));
        else if (c != u'[' && c != u']' && c != u'!')
            text += c;
    }
    return text;
}

TEST(WildcardFuzz, AgreesWithAPlainMatcher)
{
    // Few characters, so that patterns and texts meet often; 4-byte characters among them.
    const std::u32string pool = U"ab1*?#[]!-𠮷田";
    const std::u32string textPool = U"ab1-]!𠮷田[";
    const QStringList samples = {
        QStringLiteral("A1*"),    QStringLiteral("[a-b]*1"),  QStringLiteral("*a*a*a*ab"),
        QStringLiteral("𠮷田*"),  QStringLiteral("[!𠮷]?#"),  QStringLiteral("[]a]*[!]]"),
    };
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString pattern = fuzz.chance(50) ? fuzz.textFrom(pool, 10) : fuzz.mutated(samples, pool);
        const QString text = fuzz.chance(30) ? filledIn(pattern, fuzz, textPool) : fuzz.textFrom(textPool, 12);
        const bool matches = WildcardPattern(pattern).matches(text);
        // Broken UTF-16 (a half of a pair alone) is only asked not to crash: the rules speak of
        // characters, and it holds none.
        if (pattern.isValidUtf16() && text.isValidUtf16()) {
            EXPECT_EQ(matches, expected(pattern, text)) << "text \"" << escaped(text) << "\", " << fuzz.where(round, pattern);
        }
    }
}

TEST(WildcardFuzz, AnyPatternOverAnyTextAnswers)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString pattern = fuzz.anyText(12);
        const QString text = fuzz.chance(50) ? fuzz.anyText(16) : pattern;
        // A pattern without special characters stands for itself.
        const bool plain = std::none_of(pattern.begin(), pattern.end(), [](QChar c) { return QStringView(u"*?#[").contains(c); });
        EXPECT_TRUE(!plain || WildcardPattern(pattern).matches(pattern)) << fuzz.where(round, pattern);
        WildcardPattern(pattern).matches(text);
    }
}

} // namespace
