#include "reports/text/county_output.h"

#include "engine/engine.h"

#include <cstddef>

namespace kov {

void writeCountyOutput(std::FILE* out, const Engine& e) {
    const auto u = [](int v) { return static_cast<std::size_t>(v); };
    for (int ci = 0; ci < e.st.numberOfCounties(); ++ci) {
        const County& county = e.st.Counties[u(ci)];
        const Series& total = e.st.Jailtot[u(ci)];
        const Series& days = e.st.Jaildays[u(ci)];
        std::fprintf(out, "\n%3d %.10s %4d %4d %4d %4d", ci + 1, county.name.c_str(), county.count1, county.count2,
                     county.count3, county.count4);
        std::fputs("   Jail Tot:", out);
        for (int y = 0; y < 10; ++y) std::fprintf(out, " %5.0f", total[u(y)]);
        std::fputs("\n                                     Fel Days:", out);
        for (int y = 0; y < 10; ++y) std::fprintf(out, " %5.0f", days[u(y)]);
        std::fputs("\n", out);
    }
    std::fputs("\n\n", out);
    std::fputs("             Total Jail Population Estimates: ", out);
    for (int y = 0; y < 10; ++y) std::fprintf(out, " %5.0f", e.yearJailTotals[u(y)]);
    std::fputs("\n", out);
}

} // namespace kov
