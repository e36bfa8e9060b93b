#include "base/random.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace kov {

void CRand::discard(std::uint64_t n) {
    // One rand step is the affine map x -> a*x + c (mod 2^32). Walk the bits
    // of n, squaring the map for each bit and applying it where the bit is set.
    std::uint32_t stepMul = 214013u;
    std::uint32_t stepAdd = 2531011u;
    std::uint32_t totalMul = 1u;
    std::uint32_t totalAdd = 0u;
    while (n != 0) {
        if ((n & 1u) != 0) {
            totalMul *= stepMul;
            totalAdd = totalAdd * stepMul + stepAdd;
        }
        // (m, d) after itself: x -> m*(m*x + d) + d.
        stepAdd = (stepMul + 1u) * stepAdd;
        stepMul *= stepMul;
        n >>= 1;
    }
    state_ = totalMul * state_ + totalAdd;
}

RandomNumberGenerator::RandomNumberGenerator(std::uint32_t seed, CRand& crt)
    : values_(BlockSize, 0), seed_(seed), crt_(crt) {
    Refill();
}

void RandomNumberGenerator::NextBlock() {
    ++blockCount_;
    Refill();
}

void RandomNumberGenerator::Refill() {
    // The block is what a replay from the seed would hold after blockCount
    // passes, and the shared state ends where that replay would leave it; the
    // earlier passes are skipped by jumping ahead instead of being drawn.
    crt_.srand(seed_);
    const std::uint32_t skippedBlocks = blockCount_ - 1u;
    crt_.discard(std::uint64_t{skippedBlocks} * BlockSize);
    for (auto& value : values_) value = crt_.rand();
    position_ = 0;
}

std::uint32_t seedFromDouble(double value) {
    // Truncate toward zero into 64 bits, then keep the low 32 bits, the same
    // bits srand keeps of that integer; negative seeds wrap as a signed int
    // passed to srand would. Values a 64-bit integer cannot hold have no such
    // meaning: NaN gives 0 and the rest saturate at the 64-bit limits first.
    if (std::isnan(value)) return 0u;
    constexpr double TwoTo63 = 9223372036854775808.0;
    std::int64_t whole = 0;
    if (value >= TwoTo63)
        whole = std::numeric_limits<std::int64_t>::max();
    else if (value < -TwoTo63)
        whole = std::numeric_limits<std::int64_t>::min();
    else
        whole = static_cast<std::int64_t>(value);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole));
}

} // namespace kov
