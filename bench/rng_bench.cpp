#include "base/random.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// Draw rate from a given stream position onwards. Each iteration draws five
// blocks, so every timed stretch includes five refills at that depth.
void drawsFrom(benchmark::State& state) {
    const auto start = static_cast<std::uint64_t>(state.range(0));
    constexpr std::uint32_t Batch = 5 * kov::RandomNumberGenerator::BlockSize;
    kov::CRand crt;
    kov::RandomNumberGenerator gen(25001, crt);
    for (std::uint64_t k = 0; k < start; ++k) benchmark::DoNotOptimize(gen.NextValue());
    std::int64_t draws = 0;
    for (auto _ : state) {
        std::int32_t sum = 0;
        for (std::uint32_t i = 0; i < Batch; ++i) sum += gen.NextValue();
        benchmark::DoNotOptimize(sum);
        draws += Batch;
    }
    state.SetItemsProcessed(draws);
    state.counters["startBlock"] = static_cast<double>(start / kov::RandomNumberGenerator::BlockSize + 1);
}

BENCHMARK(drawsFrom)->Arg(100'000)->Arg(100'000'000)->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace
