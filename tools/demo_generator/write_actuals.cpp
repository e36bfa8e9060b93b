// The demo actuals file: made-up observed monthly prison totals for the first
// two years of the demo-stock.kov projection, for the accuracy report.
#include "generator.h"
#include "prng.h"
#include "text_out.h"

#include <array>
#include <cstdint>

namespace demo {

namespace {

constexpr int kFirstYear = 2025; // "First Simulated Year" of the demo configurations

/// The first 24 monthly prison totals of a demo-stock.kov run, rounded
/// ("Prison - Total Count Per Month:" in prison.csv of `kovary run
/// data/demo/demo-stock.kov --csv DIR`). The generator cannot run the
/// projection, so they are copied here; a change to the demo data or the
/// engine that moves them calls for a new copy.
constexpr std::array<std::int64_t, 24> kProjected = {
    15300, 15398, 15399, 15363, 15435, 15400, 15479, 15583, 15747, 15957, 15960, 15905,
    15877, 15829, 15868, 15851, 15863, 15764, 15834, 15821, 15772, 15849, 15882, 15717};

/// Observed counts drift above the projection by this much a month, in
/// hundredths of a percent, so the report shows a bias that grows with the horizon...
constexpr int kDriftPerMonth = 9;
/// ...and scatter around it by up to this much either way.
constexpr int kScatter = 140;

constexpr std::uint64_t kActualsSeed = 2025;
constexpr std::uint64_t kActualsStream = 4;

} // namespace

bool writeActuals(const std::string& path) {
    OutFile out(path);
    if (!out.isOpen()) return false;
    Rng rng = Rng::stream(kActualsSeed, kActualsStream);
    out.put("table,category,year,month,value\n");
    for (std::size_t m = 0; m < kProjected.size(); ++m) {
        const std::int64_t drift = kDriftPerMonth * static_cast<std::int64_t>(m + 1);
        const std::int64_t factor = 10000 + drift + rng.range(-kScatter, kScatter);
        // Rounded half up; every count is positive.
        const std::int64_t observed = (kProjected[m] * factor + 5000) / 10000;
        out.print("Prison - Total Count Per Month:,Total,%d,%d,%lld\n", kFirstYear + static_cast<int>(m / 12),
                  static_cast<int>(m % 12) + 1, static_cast<long long>(observed));
    }
    return out.close();
}

} // namespace demo
