// Text into file bytes: Shift_JIS is the Windows table (what a plant office's spreadsheet
// reads), the Mac/Linux forms of the few characters Windows keeps elsewhere go to the same
// bytes, and every character that cannot be written is named and stands as "?". Fields are
// quoted exactly when a spreadsheet needs it.

#include "export/CsvText.h"
#include "export/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

struct Encoded
{
    TextEncoding encoding;
    QString text;
    QByteArray bytes;
    QList<char32_t> unmappable;
};

TEST(TextEncoder, WritesEachCharacterOrNamesIt)
{
    const QChar lone[] = {u'a', QChar(0xD842), u'b'};
    const std::vector<Encoded> cases{
        {TextEncoding::ShiftJis, QStringLiteral("成形A-1,"), QByteArray("\x90\xAC\x8C\x60" "A-1,"), {}},
        {TextEncoding::ShiftJis, QStringLiteral("①㈱"), QByteArray("\x87\x40\x87\x8A"), {}},
        {TextEncoding::ShiftJis, QStringLiteral("～〜"), QByteArray("\x81\x60\x81\x60"), {}},
        {TextEncoding::ShiftJis, QStringLiteral("−‖"), QByteArray("\x81\x7C\x81\x61"), {}},
        {TextEncoding::ShiftJis, QStringLiteral("ｺｰﾄﾞ"), QByteArray("\xBA\xB0\xC4\xDE"), {}},
        {TextEncoding::ShiftJis, QStringLiteral("𠮷野"), QByteArray("?\x96\xEC"), {U'𠮷'}},
        {TextEncoding::ShiftJis, QStringLiteral("a🙂b🙂"), QByteArray("a?b?"), {U'🙂', U'🙂'}},
        {TextEncoding::ShiftJis, QStringLiteral("ä€"), QByteArray("??"), {U'ä', U'€'}},
        {TextEncoding::Utf8, QStringLiteral("𠮷🙂"), QByteArray("\xF0\xA0\xAE\xB7\xF0\x9F\x99\x82"), {}},
        {TextEncoding::Utf8, QString(lone, 3), QByteArray("a?b"), {char32_t(0xD842)}},
        {TextEncoding::Utf8, QString(lone, 2), QByteArray("a?"), {char32_t(0xD842)}},
        {TextEncoding::ShiftJis, QString(lone, 2), QByteArray("a?"), {char32_t(0xD842)}},
    };
    for (const Encoded &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TextEncoder encoder(c.encoding);
        ASSERT_TRUE(encoder.isValid());
        QByteArray out("x");
        QList<char32_t> unmappable;
        encoder.append(out, c.text, unmappable);
        EXPECT_EQ(out, "x" + c.bytes);
        EXPECT_EQ(unmappable, c.unmappable);
        // The encoder goes on cleanly after a failure.
        QList<char32_t> none;
        out.clear();
        encoder.append(out, QStringLiteral("OK"), none);
        EXPECT_EQ(out, QByteArray("OK"));
        EXPECT_TRUE(none.isEmpty());
    }
}

TEST(TextEncoder, NamesAndByteOrderMarks)
{
    EXPECT_EQ(textEncodingNamed(QStringLiteral("UTF-8")), TextEncoding::Utf8);
    EXPECT_EQ(textEncodingNamed(QStringLiteral("shift_jis")), TextEncoding::ShiftJis);
    EXPECT_EQ(textEncodingNamed(QStringLiteral("CP932")), TextEncoding::ShiftJis);
    EXPECT_EQ(textEncodingNamed(QStringLiteral("latin1")), std::nullopt);
    EXPECT_EQ(TextEncoder(TextEncoding::Utf8).byteOrderMark(), QByteArray("\xEF\xBB\xBF"));
    EXPECT_TRUE(TextEncoder(TextEncoding::ShiftJis).byteOrderMark().isEmpty());
}

TEST(CsvField, QuotesOnlyWhatASpreadsheetWouldSplit)
{
    const std::vector<std::pair<QString, QString>> cases{
        {QString(), QString()},
        {QStringLiteral("24/05/01"), QStringLiteral("24/05/01")},
        {QStringLiteral(" 前後の空白 "), QStringLiteral(" 前後の空白 ")},
        {QStringLiteral("1,200"), QStringLiteral("\"1,200\"")},
        {QStringLiteral("型\"A\""), QStringLiteral("\"型\"\"A\"\"\"")},
        {QStringLiteral("\""), QStringLiteral("\"\"\"\"")},
        {QStringLiteral("一\r\n二"), QStringLiteral("\"一\r\n二\"")},
        {QStringLiteral("一\n二"), QStringLiteral("\"一\n二\"")},
    };
    for (const auto &[field, written] : cases) {
        QString out;
        csv::appendField(out, field);
        EXPECT_EQ(out, written) << field.toStdString();
    }
}

TEST(CsvField, CellsASpreadsheetWouldRunAreWrittenAsTextUnlessAskedForAsStored)
{
    struct Case
    {
        QString field, asText, asStored;
    };
    const std::vector<Case> cases{
        {QStringLiteral("=HYPERLINK(\"http://x\",\"押す\")"),
         QStringLiteral("\"'=HYPERLINK(\"\"http://x\"\",\"\"押す\"\")\""),
         QStringLiteral("\"=HYPERLINK(\"\"http://x\"\",\"\"押す\"\")\"")},
        {QStringLiteral("=cmd|' /C calc'!A0"), QStringLiteral("'=cmd|' /C calc'!A0"), QStringLiteral("=cmd|' /C calc'!A0")},
        {QStringLiteral("+1+2"), QStringLiteral("'+1+2"), QStringLiteral("+1+2")},
        {QStringLiteral("-2+3"), QStringLiteral("'-2+3"), QStringLiteral("-2+3")},
        {QStringLiteral("@SUM(A1)"), QStringLiteral("'@SUM(A1)"), QStringLiteral("@SUM(A1)")},
        {QStringLiteral("\t=1"), QStringLiteral("'\t=1"), QStringLiteral("\t=1")},
        // Plain numbers, and signs further in, stay as they are.
        {QStringLiteral("-1,200"), QStringLiteral("\"-1,200\""), QStringLiteral("\"-1,200\"")},
        {QStringLiteral("-12.5"), QStringLiteral("-12.5"), QStringLiteral("-12.5")},
        {QStringLiteral("+3"), QStringLiteral("+3"), QStringLiteral("+3")},
        {QStringLiteral("型-01=A"), QStringLiteral("型-01=A"), QStringLiteral("型-01=A")},
    };
    for (const Case &c : cases) {
        QString text, stored;
        csv::appendField(text, c.field);
        csv::appendField(stored, c.field, csv::Formulas::AsStored);
        EXPECT_EQ(text, c.asText) << c.field.toStdString();
        EXPECT_EQ(stored, c.asStored) << c.field.toStdString();
    }
}

} // namespace
