#pragma once
// Month lengths read as fractions are rounded half up: a fractional part of
// 0.5 or more rounds up (2.5 gives 3, 2.49 gives 2, -2.5 gives -2).
#include <climits>
#include <cmath>

namespace kov {

/// Rounds half up into result; false, leaving result alone, when x is not
/// finite or its rounded value does not fit in 32 bits.
inline bool roundHalfUpChecked(double x, int& result) {
    if (!std::isfinite(x)) return false;
    const double lower = std::floor(x);
    const double r = (x - lower >= 0.5) ? std::ceil(x) : lower;
    if (r < static_cast<double>(INT_MIN) || r > static_cast<double>(INT_MAX)) return false;
    result = static_cast<int>(r);
    return true;
}

/// Rounds half up. Values beyond 32 bits saturate at INT_MIN or INT_MAX and
/// NaN gives 0, so a caller that did not check first still gets a defined value.
inline int roundHalfUp(double x) {
    int r = 0;
    if (roundHalfUpChecked(x, r)) return r;
    if (std::isnan(x)) return 0;
    return x < 0.0 ? INT_MIN : INT_MAX;
}

} // namespace kov
