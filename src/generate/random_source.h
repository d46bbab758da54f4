// The generator's own random numbers: xoshiro256** seeded through splitmix64, and bounded
// integers by rejection, so that a seed gives the same puzzle with any standard library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vexilo::generate {

class RandomSource {
  public:
    explicit RandomSource(uint64_t seed) {
        for (uint64_t& word : state_) word = splitMix(seed);
    }

    uint64_t next() {
        const uint64_t result = rotate(state_[1] * 5, 7) * 9;
        const uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotate(state_[3], 45);
        return result;
    }

    // Uniform in 0 .. bound - 1 (bound >= 1).
    uint64_t below(uint64_t bound) {
        const uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
        uint64_t value;
        do {
            value = next();
        } while (value >= limit);
        return value % bound;
    }

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    template <typename T>
    void shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[below(i)]);
    }

    // A seed for the n-th of a series, independent of how the series is split into threads.
    static uint64_t derive(uint64_t seed, uint64_t n) {
        uint64_t s = seed ^ (0x9e3779b97f4a7c15ULL * (n + 1));
        return splitMix(s);
    }

  private:
    static uint64_t rotate(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static uint64_t splitMix(uint64_t& s) {
        uint64_t z = (s += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    uint64_t state_[4];
};

}  // namespace vexilo::generate
