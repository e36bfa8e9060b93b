#pragma once
// The generator's own random stream: splitmix64 with integer-only helpers, so
// that the same seed gives the same bytes on every machine and compiler.
#include <cstdint>
#include <span>

namespace demo {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    /// Seeds an independent stream per file, so that changing one file's size
    /// leaves the other files unchanged.
    static Rng stream(std::uint64_t seed, std::uint64_t streamId) {
        Rng mixer(seed ^ (streamId * 0xD1B54A32D192ED03ULL));
        return Rng(mixer.next());
    }

    std::uint64_t next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    /// Uniform in 0..n-1 (n > 0), without modulo bias.
    std::uint64_t below(std::uint64_t n) {
        const std::uint64_t threshold = (0 - n) % n;
        for (;;) {
            const std::uint64_t r = next();
            if (r >= threshold) return r % n;
        }
    }

    /// Uniform integer in lo..hi (lo <= hi).
    int range(int lo, int hi) {
        return lo + static_cast<int>(below(static_cast<std::uint64_t>(hi - lo) + 1));
    }

    /// True with probability perMille / 1000.
    bool chance(int perMille) { return range(0, 999) < perMille; }

    /// Index drawn with the given non-negative weights (at least one positive).
    int pick(std::span<const int> weights) {
        std::int64_t total = 0;
        for (int w : weights) total += w;
        std::int64_t r = static_cast<std::int64_t>(below(static_cast<std::uint64_t>(total)));
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (r < weights[i]) return static_cast<int>(i);
            r -= weights[i];
        }
        return static_cast<int>(weights.size()) - 1;
    }

private:
    std::uint64_t state_;
};

} // namespace demo
