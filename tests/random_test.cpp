// The random streams: jumps ahead, block refills far into the stream and
// streams sharing one runtime state; their first values are pinned by the
// reference runs.
#include "base/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace kov {
namespace {

constexpr std::uint32_t Block = RandomNumberGenerator::BlockSize;

// The first n results of srand(seed) followed by plain rand calls.
std::vector<std::int32_t> plainStream(std::uint32_t seed, std::size_t n) {
    CRand crt;
    crt.srand(seed);
    std::vector<std::int32_t> out(n);
    for (auto& v : out) v = crt.rand();
    return out;
}

TEST(CRand, DiscardMatchesThatManyRandCalls) {
    for (std::uint64_t n : {0ull, 1ull, 2ull, 3ull, 19999ull, 20000ull, 65536ull, 1234567ull}) {
        for (std::uint32_t seed : {0u, 1u, 25001u, 0xFFFFFFFFu}) {
            CRand jumped;
            jumped.srand(seed);
            jumped.discard(n);
            CRand stepped;
            stepped.srand(seed);
            for (std::uint64_t i = 0; i < n; ++i) stepped.rand();
            EXPECT_EQ(jumped.state(), stepped.state()) << "n=" << n << " seed=" << seed;
        }
    }
}

TEST(CRand, DiscardBeyondThirtyTwoBitsFollowsTheFullPeriod) {
    // c is odd and a = 1 (mod 4), so the recurrence runs through all 2^32
    // states before repeating: 2^32 + 5 calls land where 5 calls do, and
    // 2^32 - 1 calls land one call short of the start.
    constexpr std::uint64_t Period = 1ull << 32;
    CRand jumped;
    jumped.srand(25001);
    jumped.discard(Period + 5);
    CRand stepped;
    stepped.srand(25001);
    for (int i = 0; i < 5; ++i) stepped.rand();
    EXPECT_EQ(jumped.state(), stepped.state());

    CRand almost;
    almost.srand(77);
    almost.discard(Period - 1);
    EXPECT_NE(almost.state(), 77u);
    almost.rand();
    EXPECT_EQ(almost.state(), 77u);
}

TEST(RandomNumberGenerator, FarIntoTheStreamMatchesAPlainReplayAndItsFinalState) {
    // Lockstep against plain rand calls past 10^7 values (501 refills). `ahead`
    // runs one block in front of `plain`: right after each refill the shared
    // state must equal it, as the replay of blockCount blocks leaves it.
    constexpr std::uint32_t seed = 987654;
    constexpr std::uint64_t Draws = 10'000'000ull + 3 * Block / 2;
    CRand crt;
    RandomNumberGenerator gen(seed, crt);
    CRand plain;
    plain.srand(seed);
    CRand ahead;
    ahead.srand(seed);
    for (std::uint32_t i = 0; i < Block; ++i) ahead.rand();
    ASSERT_EQ(crt.state(), ahead.state());

    std::uint64_t firstMismatch = 0;
    std::uint64_t refillsChecked = 0;
    for (std::uint64_t k = 1; k <= Draws && firstMismatch == 0; ++k) {
        if (gen.NextValue() != plain.rand()) firstMismatch = k;
        ahead.rand();
        if (gen.position() == 0) {
            ++refillsChecked;
            if (crt.state() != ahead.state()) firstMismatch = k;
        }
    }
    EXPECT_EQ(firstMismatch, 0u);
    EXPECT_EQ(refillsChecked, 501u); // at 20000, 40000, ..., 10020000
    EXPECT_EQ(gen.blockCount(), 502u);
}

TEST(RandomNumberGenerator, SameSeedGivesSameSequenceWhateverIsDrawnBetween) {
    constexpr std::size_t N = 2 * Block + 500;
    const auto plain = plainStream(4242, N);
    CRand crt;
    RandomNumberGenerator a(4242, crt);
    std::vector<std::int32_t> fromA;
    std::vector<std::int32_t> fromB;
    std::uint64_t step = 0;
    {
        // b joins after a has drawn a few values; the draws and foreign
        // srand/rand calls are mixed in an irregular pattern.
        for (int i = 0; i < 7; ++i) fromA.push_back(a.NextValue());
        RandomNumberGenerator b(4242, crt);
        while (fromA.size() < N || fromB.size() < N) {
            ++step;
            if (step % 3 != 0 && fromA.size() < N) fromA.push_back(a.NextValue());
            if (step % 2 == 0 && fromB.size() < N) fromB.push_back(b.NextValue());
            if (step % 5 == 0) crt.rand();
            if (step % 7919 == 0) crt.srand(static_cast<std::uint32_t>(step));
        }
    }
    EXPECT_EQ(fromA, plain);
    EXPECT_EQ(fromB, plain);
}

TEST(SeedFromDouble, TruncatesTowardZeroAndWrapsLikeAnIntPassedToSrand) {
    EXPECT_EQ(seedFromDouble(25001.0), 25001u);
    EXPECT_EQ(seedFromDouble(25001.99), 25001u);
    EXPECT_EQ(seedFromDouble(0.7), 0u);
    EXPECT_EQ(seedFromDouble(-0.7), 0u);
    EXPECT_EQ(seedFromDouble(-1.5), 0xFFFFFFFFu); // int -1 as unsigned
    EXPECT_EQ(seedFromDouble(-2147483648.0), 0x80000000u);
    EXPECT_EQ(seedFromDouble(2147483647.9), 0x7FFFFFFFu);
    // Past the int range the low 32 bits of the integer are kept.
    EXPECT_EQ(seedFromDouble(4294967296.0 + 7.0), 7u);
    EXPECT_EQ(seedFromDouble(3000000000.0), 3000000000u);
    // No integer value: defined results instead of undefined conversions.
    EXPECT_EQ(seedFromDouble(std::nan("")), 0u);
    EXPECT_EQ(seedFromDouble(INFINITY), 0xFFFFFFFFu);  // saturates at 2^63 - 1
    EXPECT_EQ(seedFromDouble(-INFINITY), 0u);          // saturates at -2^63
    EXPECT_EQ(seedFromDouble(1e300), 0xFFFFFFFFu);
}

} // namespace
} // namespace kov
