#include "FuzzInputs.h"

#include <QtGlobal>
#include <cstdio>
#include <ostream>

namespace {

constexpr quint64 DefaultSeed = 20261208;
constexpr int DefaultRounds = 100'000;

quint64 seedFromEnvironment()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("KALVUNER_FUZZ_SEED").toULongLong(&ok);
    return ok ? seed : DefaultSeed;
}

int roundsFromEnvironment()
{
    bool ok = false;
    const int rounds = qEnvironmentVariableIntValue("KALVUNER_FUZZ_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : DefaultRounds;
}

} // namespace

QString textOf(char32_t c)
{
    if (c <= 0xFFFF)
        return QString(QChar(char16_t(c)));
    return QString(QChar(QChar::highSurrogate(c))) + QChar(QChar::lowSurrogate(c));
}

FuzzInputs::FuzzInputs() : m_seed(seedFromEnvironment()), m_rounds(roundsFromEnvironment()), m_random(m_seed) {}

qint64 FuzzInputs::between(qint64 low, qint64 high)
{
    return std::uniform_int_distribution<qint64>(low, high)(m_random);
}

bool FuzzInputs::chance(int percent)
{
    return between(1, 100) <= percent;
}

QString FuzzInputs::textFrom(std::u32string_view pool, int maxLength)
{
    QString text;
    for (qint64 n = between(0, maxLength); n > 0; --n)
        text += textOf(oneOf(pool));
    return text;
}

QString FuzzInputs::anyText(int maxLength)
{
    // Mostly the ranges plant texts come from, with the odd unit from anywhere.
    static constexpr std::pair<char16_t, char16_t> ranges[] = {
        {0x0000, 0x001F}, {0x0020, 0x007E}, {0x0080, 0x02FF}, {0x3000, 0x30FF},
        {0x4E00, 0x9FFF}, {0xD800, 0xDFFF}, {0xFF01, 0xFF9F}, {0x0000, 0xFFFF},
    };
    QString text(qsizetype(between(0, maxLength)), u' ');
    for (QChar &c : text) {
        const auto &[low, high] = oneOf(ranges);
        c = QChar(char16_t(between(low, high)));
    }
    return text;
}

QByteArray FuzzInputs::anyBytes(int maxLength)
{
    QByteArray bytes(qsizetype(between(0, maxLength)), '\0');
    for (char &b : bytes)
        b = char(between(0, 255));
    return bytes;
}

char32_t FuzzInputs::unitFrom(std::u32string_view dictionary)
{
    if (!dictionary.empty() && chance(70))
        return oneOf(dictionary);
    return char32_t(between(0, 0xFFFF));
}

QString FuzzInputs::mutated(const QStringList &samples, std::u32string_view dictionary)
{
    QString text = oneOf(samples);
    const qint64 edits = between(1, 4);
    for (qint64 e = 0; e < edits; ++e) {
        const qsizetype at = qsizetype(between(0, text.size()));
        const QString unit = textOf(unitFrom(dictionary));
        switch (between(0, 4)) {
        case 0: // replace
            if (at < text.size())
                text.replace(at, 1, unit);
            break;
        case 1: // insert
            text.insert(at, unit);
            break;
        case 2: // remove
            text.remove(at, 1);
            break;
        case 3: { // repeat a piece
            const QString piece = text.mid(at, qsizetype(between(1, 6)));
            text.insert(at, piece.repeated(int(between(1, 8))));
            break;
        }
        default: // cut short
            text.truncate(at);
            break;
        }
    }
    return text;
}

std::string FuzzInputs::where(int round, const QString &input) const
{
    return "seed " + std::to_string(m_seed) + " round " + std::to_string(round) + " input \"" + escaped(input) + "\"";
}

std::u32string codePointsOf(const QString &text)
{
    std::u32string points;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            points += QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else {
            points += text[i].unicode();
        }
    }
    return points;
}

std::string escaped(const QString &text)
{
    std::string out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'\\' && u != u'"') {
            out += char(u);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04X", unsigned(u));
            out += hex;
        }
    }
    return out;
}

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << escaped(text) << '"';
}
