#include "common/NarrowText.h"
#include "common/WildcardPattern.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

struct MatchCase
{
    const char16_t *pattern;
    const char16_t *text;
    bool matches;
};

class WildcardPatternTest : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(WildcardPatternTest, MatchesAsTheShellRulesSay)
{
    const MatchCase &c = GetParam();
    const WildcardPattern pattern{QString::fromUtf16(c.pattern)};
    EXPECT_EQ(pattern.matches(QString::fromUtf16(c.text)), c.matches)
        << QString::fromUtf16(c.pattern).toStdString() << " vs " << QString::fromUtf16(c.text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, WildcardPatternTest,
    ::testing::Values(
        // The list search appends "*": a plain text means "starts with".
        MatchCase{u"A1*", u"A100", true}, MatchCase{u"A1*", u"A1-X", true}, MatchCase{u"A1*", u"BA1", false},
        MatchCase{u"A1*", u"A1", true}, MatchCase{u"A1*", u"a100", false},
        MatchCase{u"A?0*", u"A10X", true}, MatchCase{u"A?0*", u"AB0", true}, MatchCase{u"A?0*", u"A0", false},
        MatchCase{u"A?0*", u"A110", false},
        // "#" is one digit, nothing else.
        MatchCase{u"P##", u"P12", true}, MatchCase{u"P##", u"P1A", false}, MatchCase{u"P##", u"P123", false},
        MatchCase{u"P#", u"P１", false},
        // Lists, ranges, negation.
        MatchCase{u"[abc]X", u"bX", true}, MatchCase{u"[abc]X", u"dX", false},
        MatchCase{u"K[0-3]*", u"K2Z", true}, MatchCase{u"K[0-3]*", u"K7Z", false},
        MatchCase{u"K[!0-3]*", u"K7Z", true}, MatchCase{u"K[!0-3]*", u"K2Z", false},
        MatchCase{u"[A-CX-Z]", u"Y", true}, MatchCase{u"[A-CX-Z]", u"M", false},
        // Characters that mean something to regular expressions stand for themselves.
        MatchCase{u"a.b*", u"a.bc", true}, MatchCase{u"a.b*", u"axbc", false}, MatchCase{u"(x)+?", u"(x)+!", true},
        MatchCase{u"[-]", u"-", true}, MatchCase{u"[]]", u"]", true}, MatchCase{u"[!]]", u"a", true},
        MatchCase{u"[\\]", u"\\", true}, MatchCase{u"[^]", u"^", true}, MatchCase{u"[^]", u"x", false},
        // A "[" without its "]" is an ordinary character.
        MatchCase{u"AB[C*", u"AB[CD", true}, MatchCase{u"AB[C*", u"ABC", false},
        // Japanese text: one "?" is one character, however wide.
        MatchCase{u"成形?品*", u"成形部品Ａ", true}, MatchCase{u"成形*", u"射出成形", false},
        MatchCase{u"*ｶﾊﾞｰ", u"ﾌﾛﾝﾄｶﾊﾞｰ", true}, MatchCase{u"[あ-お]", u"う", true},
        // Empty patterns and stars.
        MatchCase{u"*", u"", true}, MatchCase{u"", u"", true}, MatchCase{u"", u"x", false},
        MatchCase{u"*X*Y", u"aXbY", true}, MatchCase{u"*X*Y", u"aYbX", false}, MatchCase{u"A", u"A\nB", false},
        MatchCase{u"A*", u"A\nB", true},
        // Characters outside the basic plane are one character each, in text, lists and ranges.
        MatchCase{u"𠮷田*", u"𠮷田太郎", true}, MatchCase{u"?田", u"𠮷田", true}, MatchCase{u"??田", u"𠮷田", false},
        MatchCase{u"[𠮷吉]田", u"𠮷田", true}, MatchCase{u"[!𠮷]田", u"𠮷田", false},
        MatchCase{u"[𠀀-𪛖]*", u"𠮷", true}, MatchCase{u"*𠮷", u"吉𠮷", true},
        // Long patterns answer as surely as short ones.
        MatchCase{u"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a", u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab" u"aaaaaaaaaaaaaaaaaaaaaa", true},
        MatchCase{u"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*ab", u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false}));

TEST(WildcardPattern, LongPatternsOverLongTextsStayQuick)
{
    QString pattern;
    for (int i = 0; i < 200; ++i)
        pattern += QStringLiteral("*a");
    const WildcardPattern compiled(pattern + u'b');
    const QString text(100'000, u'a');
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(compiled.matches(text));
    EXPECT_TRUE(WildcardPattern(pattern).matches(text));
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(WildcardPattern, DefaultMatchesEverything)
{
    EXPECT_TRUE(WildcardPattern().matches(u"anything"));
}

TEST(NarrowText, WidthAndCaseDoNotDecide)
{
    EXPECT_EQ(narrowUpper(u"ａｂｃ１２３"), QStringLiteral("ABC123"));
    EXPECT_EQ(narrowUpper(u"abc-x"), QStringLiteral("ABC-X"));
    EXPECT_EQ(narrowUpper(u"カバー　ガイド"), QStringLiteral("ｶﾊﾞｰ ｶﾞｲﾄﾞ"));
    EXPECT_EQ(narrowUpper(u"パネル・ヴ"), QStringLiteral("ﾊﾟﾈﾙ･ｳﾞ"));
    EXPECT_EQ(narrowUpper(u"成形品ｶﾊﾞｰ"), QStringLiteral("成形品ｶﾊﾞｰ"));
    EXPECT_EQ(narrowUpper(u"ぱ"), QStringLiteral("ぱ"));
}

} // namespace
