#include "export/PdfTextMap.h"

#include <QList>
#include <QString>

namespace {

// The radical blocks: CJK Radicals Supplement and Kangxi Radicals.
constexpr char16_t FirstRadical = 0x2E80;
constexpr char16_t LastRadical = 0x2FDF;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The four hex digits at `at`, or -1.
int fourDigits(const QByteArray &text, qsizetype at)
{
    int value = 0;
    for (qsizetype i = at; i < at + 4; ++i) {
        const int digit = i < text.size() ? hexValue(text[i]) : -1;
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// The ideograph a radical stands for (its compatibility form), or 0 when there is none of a
// single BMP character.
char16_t ideographOf(int radical)
{
    if (radical < FirstRadical || radical > LastRadical)
        return 0;
    const QString ideograph = QString(QChar(char16_t(radical))).normalized(QString::NormalizationForm_KC);
    if (ideograph.size() != 1 || ideograph[0].unicode() == radical)
        return 0;
    return ideograph[0].unicode();
}

// Replaces the character token "<XXXX>" at `at` when it is a radical.
bool restoreToken(QByteArray &stream, qsizetype at)
{
    const char16_t ideograph = ideographOf(fourDigits(stream, at + 1));
    if (ideograph == 0)
        return false;
    const QByteArray digits = QByteArray::number(ideograph, 16).toUpper().rightJustified(4, '0');
    stream.replace(at + 1, 4, digits);
    return true;
}

// The "<XXXX>" tokens of one line, by position.
QList<qsizetype> tokensOf(const QByteArray &line)
{
    QList<qsizetype> tokens;
    for (qsizetype at = line.indexOf('<'); at >= 0; at = line.indexOf('<', at + 1)) {
        const qsizetype end = line.indexOf('>', at);
        if (end < 0)
            break;
        tokens.append(at);
        at = end;
    }
    return tokens;
}

// One line of a text map. A glyph's own character is: the second token of a "bfchar" line;
// every token of a "bfrange" line's list; the third token of a "bfrange" line of one glyph. A
// range over several glyphs counts on from its first character and is left as it is.
int restoreLine(QByteArray &line, bool inRange)
{
    const QList<qsizetype> tokens = tokensOf(line);
    int restored = 0;
    if (!inRange) {
        if (tokens.size() == 2 && line.mid(tokens[1], 6).endsWith('>'))
            restored += restoreToken(line, tokens[1]);
        return restored;
    }
    if (tokens.size() < 3)
        return 0;
    if (line.contains('[')) {
        for (qsizetype i = 2; i < tokens.size(); ++i)
            if (line.mid(tokens[i], 6).endsWith('>'))
                restored += restoreToken(line, tokens[i]);
        return restored;
    }
    const bool oneGlyph = line.mid(tokens[0], 6) == line.mid(tokens[1], 6);
    if (tokens.size() == 3 && oneGlyph && line.mid(tokens[2], 6).endsWith('>'))
        restored += restoreToken(line, tokens[2]);
    return restored;
}

// Rewrites one text map's lines in place; the stream keeps its length.
int restoreStream(QByteArray &stream)
{
    int restored = 0;
    bool inRange = false;
    bool inChars = false;
    qsizetype start = 0;
    while (start < stream.size()) {
        qsizetype end = stream.indexOf('\n', start);
        if (end < 0)
            end = stream.size();
        QByteArray line = stream.mid(start, end - start);
        if (line.endsWith("beginbfrange"))
            inRange = true;
        else if (line.endsWith("beginbfchar"))
            inChars = true;
        else if (line.startsWith("endbfrange"))
            inRange = false;
        else if (line.startsWith("endbfchar"))
            inChars = false;
        else if (inRange || inChars) {
            const int here = restoreLine(line, inRange);
            if (here > 0) {
                stream.replace(start, line.size(), line);
                restored += here;
            }
        }
        start = end + 1;
    }
    return restored;
}

// Where the stream of object `number` begins and ends, or {-1, -1}.
std::pair<qsizetype, qsizetype> streamOf(const QByteArray &pdf, const QByteArray &number)
{
    const QByteArray header = '\n' + number + " 0 obj";
    const qsizetype object = pdf.indexOf(header);
    if (object < 0)
        return {-1, -1};
    const qsizetype keyword = pdf.indexOf("stream", object + header.size());
    const qsizetype objectEnd = pdf.indexOf("endobj", object + header.size());
    if (keyword < 0 || (objectEnd >= 0 && objectEnd < keyword))
        return {-1, -1};
    qsizetype begin = keyword + 6;
    if (pdf.mid(begin, 2) == "\r\n")
        begin += 2;
    else if (begin < pdf.size() && pdf[begin] == '\n')
        ++begin;
    const qsizetype end = pdf.indexOf("endstream", begin);
    if (end < 0)
        return {-1, -1};
    return {begin, end};
}

} // namespace

int restoreIdeographs(QByteArray &pdf)
{
    int restored = 0;
    const QByteArray key = "/ToUnicode ";
    for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + key.size())) {
        const qsizetype numberEnd = pdf.indexOf(' ', at + key.size());
        if (numberEnd < 0)
            break;
        const QByteArray number = pdf.mid(at + key.size(), numberEnd - at - key.size());
        const auto [begin, end] = streamOf(pdf, number);
        if (begin < 0)
            continue;
        QByteArray stream = pdf.mid(begin, end - begin);
        const int here = restoreStream(stream);
        if (here > 0) {
            pdf.replace(begin, stream.size(), stream);
            restored += here;
        }
    }
    return restored;
}
