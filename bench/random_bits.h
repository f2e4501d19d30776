// A small seeded generator, so the benchmark's inputs are the same bytes on
// every machine and standard library (std::uniform_int_distribution is not).
#pragma once

#include <cstdint>

namespace pixcell::bench {

// SplitMix64: fast, and good enough to make cells that never collide.
struct RandomBits {
    std::uint64_t state;

    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. bound - 1; the modulo bias is far below anything we measure.
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }
};

}  // namespace pixcell::bench
