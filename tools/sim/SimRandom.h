#pragma once
// A small deterministic random generator (splitmix64). The standard
// distributions differ between library implementations; this one gives the
// same numbers everywhere for the same seed, so a seeded run repeats its
// bytes exactly.

#include <cmath>
#include <cstdint>

namespace sim {

class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform integer in [lo, hi].
    int Between(int lo, int hi)
    {
        const uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
        return lo + static_cast<int>(Next() % span);
    }

    // Standard normal (Box-Muller, one value per call).
    double Normal()
    {
        const double u1 = 1.0 - Uniform();  // (0, 1]
        const double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

private:
    uint64_t m_state;
};

// Mixes two values into one seed, so every ping gets its own stream.
inline uint64_t MixSeed(uint64_t a, uint64_t b)
{
    Random r(a ^ (b * 0xD1B54A32D192ED03ull));
    r.Next();
    return r.Next();
}

}  // namespace sim
