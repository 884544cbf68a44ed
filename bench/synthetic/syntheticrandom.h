#pragma once

#include <QtGlobal>

// A small random source whose sequence depends on the seed alone (splitmix64), so that the
// synthetic databases come out byte for byte the same on every machine and compiler; the
// distributions of <random> are not specified that exactly.
class SyntheticRandom
{
public:
    explicit SyntheticRandom(quint64 seed) : m_state(seed) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A number in 0..bound-1; bound must be positive.
    qint64 below(qint64 bound) { return static_cast<qint64>(next() % quint64(bound)); }

    // A number in 0..1, excluding 1.
    double unit() { return double(next() >> 11) * (1.0 / double(1ULL << 53)); }

    bool chance(double probability) { return unit() < probability; }

private:
    quint64 m_state;
};
