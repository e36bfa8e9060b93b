#pragma once
// The reproducible random stream: the runtime's rand/srand recurrence
// (state = state * 214013 + 2531011, value = (state >> 16) & 0x7FFF), with its
// state held per run instead of per process, and the buffered generator that
// replays the stream for one seed.
#include <cstdint>
#include <vector>

namespace kov {

/// The "process-wide" rand/srand pair, owned by a run context.
class CRand {
public:
    /// A fresh process behaves as if srand(1) had been called.
    CRand() = default;
    void srand(std::uint32_t seed) { state_ = seed; }
    int rand() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    /// Advances the state as n calls of rand would, in O(log n).
    void discard(std::uint64_t n);
    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 1;
};

/// Hands out the stream of srand(seed) 20000 values at a time. Refill leaves
/// the shared CRand exactly where a plain replay of blockCount blocks would.
class RandomNumberGenerator {
public:
    static constexpr std::uint32_t BlockSize = 20000;

    RandomNumberGenerator(std::uint32_t seed, CRand& crt);
    virtual ~RandomNumberGenerator() = default;
    RandomNumberGenerator(const RandomNumberGenerator&) = delete;
    RandomNumberGenerator& operator=(const RandomNumberGenerator&) = delete;

    /// Next value of the stream, 0..32767. Inline: programs draw one for
    /// every month a case spends in them.
    std::int32_t NextValue() {
        const std::int32_t value = values_[position_];
        if (++position_ == BlockSize) NextBlock();
        return value;
    }
    /// NextValue() / 32767.0
    double Uniform() { return NextValue() / 32767.0; }

    std::uint32_t seed() const { return seed_; }
    std::uint32_t blockCount() const { return blockCount_; }
    std::uint32_t position() const { return position_; }

private:
    void NextBlock();
    void Refill();

    std::vector<std::int32_t> values_;
    std::uint32_t position_ = 0;
    std::uint32_t seed_;
    std::uint32_t blockCount_ = 1;
    CRand& crt_;
};

/// Seeds are doubles in the configuration, converted by truncation toward zero
/// and kept modulo 2^32 (so -1 gives 4294967295). NaN gives 0; values beyond
/// the 64-bit integer range saturate there before the reduction.
std::uint32_t seedFromDouble(double value);

} // namespace kov
