#pragma once
// A case's weight by year of admission: its weight times the product of the
// trend weights out from the first projected year. The fifteen years before
// the first projected year weigh the admissions a run back-dates.
#include <array>
#include <cstddef>

namespace kov {

struct CaseWeights {
    static constexpr int YearsBefore = 15;
    /// Index YearsBefore is the first projected year.
    std::array<double, 30> byYear{};

    /// The case's admissions in projection year y (0 is the first).
    double admittedIn(int y) const { return byYear[index(y)]; }
    /// The admissions `years` before projection year y.
    double admittedBefore(int y, int years) const { return byYear[index(y - years)]; }

private:
    static std::size_t index(int y) { return static_cast<std::size_t>(y + YearsBefore); }
};

} // namespace kov
