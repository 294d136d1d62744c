#pragma once
// Seeded random and mutated inputs for the parsers' fuzz tests. Each test draws from its own
// generator with a fixed seed, so a failure comes back on every run; the message names the
// seed, the round and the input. KALVUNER_FUZZ_SEED runs another seed (to explore further or
// to replay a seed a failure printed), KALVUNER_FUZZ_ROUNDS another number of rounds.

#include <QString>
#include <QStringList>
#include <iosfwd>
#include <random>
#include <string>
#include <string_view>

class FuzzInputs
{
public:
    FuzzInputs();

    int rounds() const { return m_rounds; }

    // A whole number from low to high, both included; true with the given chance in percent.
    qint64 between(qint64 low, qint64 high);
    bool chance(int percent);
    // One element of a list.
    template<typename List>
    const auto &oneOf(const List &list)
    {
        return list[size_t(between(0, qint64(std::size(list)) - 1))];
    }

    // Up to maxLength characters drawn from `pool` (code points, so 4-byte characters stay
    // whole).
    QString textFrom(std::u32string_view pool, int maxLength);
    // Up to maxLength UTF-16 units of anything: control characters, lone surrogates, kana.
    QString anyText(int maxLength);
    // Random bytes, as a file of any content would give them.
    QByteArray anyBytes(int maxLength);
    // One of `samples`, changed in one to four places: a unit replaced, inserted or removed
    // (often one from `dictionary`, the characters the parser treats specially), a piece
    // repeated, the text cut short.
    QString mutated(const QStringList &samples, std::u32string_view dictionary);

    // "seed S round R input "..."": what a failure message needs to replay the case.
    std::string where(int round, const QString &input) const;

private:
    char32_t unitFrom(std::u32string_view dictionary);

    quint64 m_seed;
    int m_rounds;
    std::mt19937_64 m_random;
};

// One code point as text; a surrogate code unit stays a lone unit, U+FEFF stays itself.
QString textOf(char32_t c);

// The code points of a text; a half of a surrogate pair alone stands for itself. (Qt's own
// conversion drops U+FEFF and replaces lone halves, which a reference must not.)
std::u32string codePointsOf(const QString &text);

// The text with every character outside printable ASCII written as \uXXXX, so that a failing
// input can be copied into a regression case.
std::string escaped(const QString &text);

// Failed comparisons of texts print them escaped.
void PrintTo(const QString &text, std::ostream *out);
