#pragma once
// The demo plant's dice: one Mersenne twister and plain modulo arithmetic on its raw output,
// so that a seed gives the same plant on every compiler and platform (the standard
// distributions are free to differ between libraries).

#include <QList>
#include <QtGlobal>
#include <random>

class DemoRandom
{
public:
    explicit DemoRandom(quint32 seed) : m_engine(seed) {}

    // 0 .. n-1 (0 when n is 1 or less).
    int below(int n) { return n <= 1 ? 0 : int(m_engine() % quint32(n)); }
    // lo .. hi inclusive.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // True in about `percent` of a hundred calls.
    bool chance(int percent) { return below(100) < percent; }
    // A real number in [lo, hi).
    double real(double lo, double hi) { return lo + (hi - lo) * (double(m_engine()) / 4294967296.0); }

    // Roughly normally distributed around 0 with a spread of 1: four uniform draws summed.
    double normal() { return (real(0, 1) + real(0, 1) + real(0, 1) + real(0, 1) - 2.0) * 1.7320508075688772; }

    template <typename T>
    const T &pick(const QList<T> &list) { return list.at(below(int(list.size()))); }

private:
    std::mt19937 m_engine;
};
