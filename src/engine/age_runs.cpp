#include "engine/age_runs.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cmath>

namespace kov {

AgeRuns::AgeRuns(const Groups& groups, int age, int yearsFactor, long long lastMonth)
    : groups_(groups), age_(age), years_(yearsFactor * 12.0), lastMonth_(lastMonth) {
    // With small ages, factors and months, the rounding of age + t / years
    // is far smaller than the distance 1 / |years| of a fractional age from
    // a whole one, so integer division gives the same whole ages exactly.
    const long long ageBound = 1LL << 30, yearsBound = 1LL << 12, monthBound = 1LL << 10;
    if (yearsFactor != 0 && static_cast<long long>(std::abs(yearsFactor)) * 12 <= yearsBound &&
        std::abs(static_cast<long long>(age)) <= ageBound && lastMonth <= monthBound)
        wholeYears_ = static_cast<long long>(yearsFactor) * 12;
}

long long AgeRuns::wholeAge(long long t) const {
    // The expression of Engine::aging, month for month (months fit an int).
    if (years_ == 0.0) return Outside;
    const double age = age_ + static_cast<int>(t) / years_;
    if (!std::isfinite(age) || age >= 2147483648.0 || age <= -2147483649.0) return Outside;
    return static_cast<int>(age);
}

long long AgeRuns::firstChangeGuess(long long key) const {
    // The month where age_ + t / years_ leaves the values that truncate to
    // key: [key, key + 1) above zero, (key - 1, key] below, (-1, 1) at zero.
    const double k = static_cast<double>(key) - age_;
    double t = 0.0;
    if (years_ > 0.0)
        t = key >= 0 ? std::ceil((k + 1.0) * years_) : std::floor(k * years_) + 1.0;
    else
        t = key > 0 ? std::floor(k * years_) + 1.0 : std::ceil((k - 1.0) * years_);
    if (!(t > -1e15 && t < 1e15)) return 0;
    return static_cast<long long>(t);
}

AgeRuns::Run AgeRuns::wholeRunOf(long long m) const {
    // The whole age is trunc(n / Y) with n = age x Y + t; n grows with t
    // whatever the sign of Y. With Z = |Y| and k = trunc(n / Z), the values of
    // n that share k are kZ..kZ + Z - 1 above zero, -(Z - 1)..Z - 1 at zero,
    // kZ - Z + 1..kZ below.
    const long long Y = wholeYears_, Z = Y < 0 ? -Y : Y;
    const long long base = static_cast<long long>(age_) * Y;
    const long long n = base + m;
    const long long k = n / Z;
    const long long firstN = k > 0 ? k * Z : (k == 0 ? 1 - Z : k * Z - Z + 1);
    const long long lastN = k > 0 ? k * Z + Z - 1 : (k == 0 ? Z - 1 : k * Z);
    const long long key = Y > 0 ? k : -k;
    return Run{std::max(firstN - base, 1LL), std::min(lastN - base, lastMonth_), groups_.lookup(static_cast<int>(key))};
}

AgeRuns::Run AgeRuns::runFrom(long long m) const {
    const long long key = wholeAge(m);
    Run run{m, lastMonth_, groups_.lookup(key == Outside ? INT_MIN : static_cast<int>(key))};
    // No age: the same for every later month, as the integer range is only
    // ever left toward larger ages, for good.
    if (key == Outside || m >= lastMonth_) return run;
    // The whole age moves one way only, so its months form one run. The
    // guess of its end is almost always right; otherwise search for it.
    const long long next = firstChangeGuess(key);
    if (next > m && next <= lastMonth_ + 1 && wholeAge(next - 1) == key && (next > lastMonth_ || wholeAge(next) != key)) {
        run.last = next - 1;
        return run;
    }
    if (wholeAge(lastMonth_) == key) return run;
    long long same = m, other = lastMonth_; // wholeAge(same) == key, wholeAge(other) != key
    while (other - same > 1) {
        const long long mid = same + (other - same) / 2;
        (wholeAge(mid) == key ? same : other) = mid;
    }
    run.last = same;
    return run;
}

int AgeRuns::category(long long m, long long& runEnd) {
    if (last_.first <= m && m <= last_.last) {
        runEnd = last_.last;
        return last_.group;
    }
    for (std::size_t i = 0; i < found_; ++i) {
        if (runs_[i].first <= m && m <= runs_[i].last) {
            last_ = runs_[i];
            runEnd = last_.last;
            return last_.group;
        }
    }
    const Run run = wholeYears_ != 0 && m >= 1 ? wholeRunOf(m) : runFrom(m);
    last_ = run;
    if (found_ < runs_.size()) runs_[found_++] = run;
    runEnd = run.last;
    return run.group;
}

} // namespace kov
