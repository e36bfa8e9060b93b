// The monthly counters: every event of a case adds its weight to the months
// during which the case is in a state.
#include "engine/engine.h"
#include "engine/supervision_levels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace kov {
namespace {

std::size_t idx(long v) { return static_cast<std::size_t>(v); }

// A counter write outside its array is a fault of the engine, never of the
// data: stop the run with the reporter's location instead of corrupting memory.
[[noreturn]] void outOfRange() { throw std::out_of_range("counter index outside its array"); }

} // namespace

void Engine::sendit(Series& a, int c, int s, int n, double w, int N) {
    err.record("sendit", 6010);
    ++counterOperations;
    const long first = std::max(s, 0);
    const long last = std::min(static_cast<long>(s) + n - 1, static_cast<long>(N));
    if (first > last) return;
    const long row = (static_cast<long>(c) - 1) * (static_cast<long>(N) + 2);
    if (c < 1 || row + last >= static_cast<long>(a.size())) outOfRange();
    addRange(a, idx(row + first), idx(row + last), w);
}

void Engine::SenditForAge(Series& a, int s, int n, double w, int N, int baseMonth, int age) {
    err.record("SenditForAge", 6040);
    ++counterOperations;
    const long first = std::max(s, 0);
    const long last = std::min(static_cast<long>(s) + n - 1, static_cast<long>(N));
    // The age grows by a year every 12 months after the base month: one
    // lookup of the age table for each such year.
    for (long m = first, end = first; m <= last; m = end + 1) {
        const long years = std::max(m - static_cast<long>(baseMonth), 0L) / 12;
        end = std::min(static_cast<long>(baseMonth) + 12 * years + 11, last);
        const long ageNow = static_cast<long>(age) + years;
        const int group = ageGroups.lookup(static_cast<int>(std::clamp(ageNow, -2147483647L, 2147483647L)));
        const long row = (static_cast<long>(group) - 1) * (static_cast<long>(N) + 2);
        if (group < 1 || row + end >= static_cast<long>(a.size())) outOfRange();
        addRange(a, idx(row + m), idx(row + end), w);
    }
}

namespace {

// element(level of month m, m) += w over the clipped month range.
void addSupervision(std::vector<double>& sup, int monthsPerLevel, const LevelList& levels, int s, int n, double w) {
    const long first = std::max(s, 0);
    const long last = std::min({static_cast<long>(s) + n - 1, static_cast<long>(monthsPerLevel) - 1,
                                static_cast<long>(levels.size()) - 1});
    // The size and cells read once: the writes cannot move the vector.
    double* cells = sup.data();
    const unsigned long size = sup.size();
    for (long m = first; m <= last; ++m) {
        const long cell = static_cast<long>(levels[idx(m)]) * monthsPerLevel + m;
        if (static_cast<unsigned long>(cell) >= size) outOfRange(); // negative too
        cells[idx(cell)] += w;
    }
}

} // namespace

void Engine::sendtsup(std::vector<double>& sup, int monthsPerLevel, int s, int n, double w) {
    err.record("sendtsup", 6070);
    ++counterOperations;
    addSupervision(sup, monthsPerLevel, levels, s, n, w);
}

void Engine::remtsup(std::vector<double>& sup, int monthsPerLevel, int s, int n, double w) {
    err.record("remtsup", 6090);
    ++counterOperations;
    addSupervision(sup, monthsPerLevel, levels, s, n, -w);
}

int Engine::aging(int a, int t, int k) {
    err.record("aging", 6110);
    // k is 0 for back-dated admissions just before the first simulated year.
    // The division then has no value; like the platform the model was built on,
    // such an age counts as below every threshold: the last age category.
    const double years = k * 12.0;
    if (years == 0.0) return ageGroups.lookup(INT_MIN);
    const double age = a + t / years;
    if (!std::isfinite(age) || age >= 2147483648.0 || age <= -2147483649.0) return ageGroups.lookup(INT_MIN);
    return ageGroups.lookup(static_cast<int>(age));
}

void Engine::dotop(const Series& source, Series& destination, int rows) {
    err.record("dotop", 6130);
    if (rows <= 0) return;
    if (source.size() < idx(rows) * 121 || destination.size() < idx(rows) * 120) outOfRange();
    for (int r = 0; r < rows; ++r) {
        const double* src = source.data() + idx(r) * 121;
        double* dst = destination.data() + idx(r) * 120;
        for (int m = 0; m < 120; ++m) {
            double sum = 0.0;
            for (int j = m + 1; j <= 120; ++j) sum += src[j];
            dst[m] += sum;
        }
    }
}

void Engine::dotopSaveStockSum(const Series& source, Series& destination) {
    err.record("dotopSaveStockSum", 6150);
    if (source.size() < 121 || destination.size() < 120) outOfRange();
    if (st.StockSum.size() < 120) st.StockSum.assign(121, 0.0);
    for (int m = 0; m < 120; ++m) {
        double sum = 0.0;
        for (int j = m + 1; j <= 120; ++j) sum += source[idx(j)];
        st.StockSum[idx(m)] = sum;
        destination[idx(m)] += sum;
    }
}

void Engine::hilo(std::array<double, 10>& destination, int flag) {
    err.record("hilo", 6170);
    const Series& totals = st.Tops[7];
    if (totals.size() < 120) outOfRange();
    for (int y = 0; y < 10; ++y) {
        double v = totals[idx(12 * y)];
        for (int m = 12 * y + 1; m < 12 * y + 12; ++m) {
            const double x = totals[idx(m)];
            if (flag > 0 ? x > v : x < v) v = x;
        }
        destination[idx(y)] = v;
    }
}

} // namespace kov
