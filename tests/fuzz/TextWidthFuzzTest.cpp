#include "FuzzInputs.h"

#include "calendar/ByteWidthText.h"
#include "common/NarrowText.h"
#include "common/PlantValues.h"

#include <gtest/gtest.h>

namespace {

// The characters plant texts are made of: ASCII, full-width letters and signs, the ideographic
// space, katakana of both widths with their marks, hiragana, a few kanji and a 4-byte one.
const std::u32string PlantCharacters =
    U"Aaz09-_ ./ＡｚＺａ０９－＿（）　アガパヴヲンーッ・「」、。゛゜ｱｶﾞﾊﾟｰｯ･ﾞﾟあがぱ成形品金型𠮷";

const QStringList PlantSamples = {
    QStringLiteral("ａｂｃ１２３"), QStringLiteral("カバー　ガイド"), QStringLiteral("パネル・ヴ"),
    QStringLiteral("成形品ｶﾊﾞｰ"), QStringLiteral("ﾌﾛﾝﾄ-COVER"),   QStringLiteral("𠮷田ケース"),
};

// Characters a narrowed text no longer holds: full-width ASCII, the ideographic space, the
// katakana that have a half-width form (all but ヮ, ヰ and ヱ) and lower-case letters.
bool isNarrowable(QChar c)
{
    const char16_t u = c.unicode();
    const bool katakana = u >= 0x30A1 && u <= 0x30F4 && u != 0x30EE && u != 0x30F0 && u != 0x30F1;
    return (u >= 0xFF01 && u <= 0xFF5E) || u == 0x3000 || katakana || (u >= u'a' && u <= u'z');
}

TEST(TextWidthFuzz, NarrowTextIsNarrowUpperCaseAndNeverWider)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString text = fuzz.chance(50) ? fuzz.textFrom(PlantCharacters, 16) : fuzz.mutated(PlantSamples, PlantCharacters);
        const QString narrow = narrowUpper(text);
        // Upper case alone may widen a text ("ﬃ" is "FFI"); narrowing never adds to that.
        EXPECT_LE(plant::sjisWidth(narrow), plant::sjisWidth(text.toUpper())) << fuzz.where(round, text);
        EXPECT_EQ(narrowUpper(narrow), narrow) << fuzz.where(round, text);
        if (text.isValidUtf16()) {
            EXPECT_TRUE(narrow.isValidUtf16()) << fuzz.where(round, text);
        }
        for (const QChar c : narrow)
            EXPECT_FALSE(isNarrowable(c)) << escaped(narrow) << ", " << fuzz.where(round, text);
    }
}

TEST(TextWidthFuzz, NarrowTextOfAnyTextIsStable)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString text = fuzz.anyText(24);
        const QString narrow = narrowUpper(text);
        EXPECT_EQ(narrowUpper(narrow), narrow) << fuzz.where(round, text);
    }
}

// The longest run of whole characters from the chosen end of the text that fits the width.
QString fittingPart(const QString &text, int width, bool fromLeft)
{
    std::u32string points = codePointsOf(text);
    if (!fromLeft)
        std::reverse(points.begin(), points.end());
    QString part;
    int used = 0;
    for (const char32_t point : points) {
        const QString character = textOf(point);
        used += plant::sjisWidth(character);
        if (used > width)
            break;
        part = fromLeft ? part + character : character + part;
    }
    return part;
}

TEST(TextWidthFuzz, PaddedTextIsExactlyTheWidthAndKeepsWholeCharacters)
{
    FuzzInputs fuzz;
    for (int round = 0; round < fuzz.rounds() && !HasFailure(); ++round) {
        const QString text = fuzz.chance(70) ? fuzz.textFrom(PlantCharacters, 24) : fuzz.anyText(24);
        const int width = int(fuzz.between(-2, 40));
        const bool left = fuzz.chance(50);
        const QString padded = PadToByteWidth(text, width, left ? u"L" : u"R");
        const std::string where = "width " + std::to_string(width) + (left ? " L, " : " R, ") + fuzz.where(round, text);
        if (width <= 0) {
            EXPECT_TRUE(padded.isEmpty()) << where;
            continue;
        }
        EXPECT_EQ(plant::sjisWidth(padded), width) << where;
        if (!text.isValidUtf16())
            continue;
        const QString part = fittingPart(text, width, left);
        const QString blanks(width - plant::sjisWidth(part), u' ');
        EXPECT_EQ(padded, left ? part + blanks : blanks + part) << where;
    }
}

} // namespace
