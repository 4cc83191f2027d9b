#pragma once

#include <cstdint>
#include <random>

#include "image/image.h"

namespace v5::test {

// Images with random contents that still look like configurations often enough to reach every rule:
// sparse loop masks, zones copied into pass-through records, partitions made of zones, modules placed
// and missing, durations at their limits, keys of every assignment, free key records with leftovers.
// The same seed gives the same image with every standard library (raw engine output only).
Image randomImage(std::uint32_t seed);

// A small deterministic source for tests that change random images further.
class RandomBytes {
public:
    explicit RandomBytes(std::uint32_t seed) : engine_(seed) {}
    std::uint32_t next() { return static_cast<std::uint32_t>(engine_()); }
    // 0 .. bound-1 (bound > 0).
    std::uint32_t below(std::uint32_t bound) { return next() % bound; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next() >> 13); }
    bool chance(std::uint32_t inEvery) { return below(inEvery) == 0; }
    // A mask with about `density` of 8 loops set.
    LoopMask sparseMask(int density);

private:
    std::mt19937 engine_;
};

}  // namespace v5::test
