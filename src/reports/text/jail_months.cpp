#include "reports/text/jail_months.h"

#include <cstddef>

namespace kov {
namespace {
constexpr std::size_t FirstSimulatedDay = 720;
constexpr std::size_t DaysPerMonth = 30;
constexpr std::size_t TabulatedMonths = 60;
} // namespace

JailMonths jailMonths(const std::vector<double>& days) {
    JailMonths j{std::vector<double>(TabulatedMonths, 0.0), std::vector<double>(TabulatedMonths, 0.0),
                 std::vector<double>(TabulatedMonths, 0.0), std::vector<double>(TabulatedMonths, 0.0)};
    auto day = [&](std::size_t d) { return d < days.size() ? days[d] : 0.0; };
    for (std::size_t m = 0; m < TabulatedMonths; ++m) {
        const std::size_t first = FirstSimulatedDay + DaysPerMonth * m;
        double sum = 0.0, hi = 0.0, lo = day(first);
        for (std::size_t d = first; d < first + DaysPerMonth; ++d) {
            const double v = day(d);
            sum += v;
            if (v > hi) hi = v;
            if (v < lo) lo = v;
        }
        j.end[m] = day(first + DaysPerMonth - 1);
        j.average[m] = sum / 30.0;
        j.high[m] = hi;
        j.low[m] = lo;
    }
    return j;
}

} // namespace kov
