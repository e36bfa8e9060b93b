// The demo cost file: made-up daily costs per person of a mid-sized state,
// the marginal cost about a third of the average, as fiscal notes find it.
#include "generator.h"
#include "text_out.h"

namespace demo {

bool writeCosts(const std::string& path) {
    OutFile out(path);
    if (!out.isOpen()) return false;
    out.put("# Norvale: what one person costs per day in each population, in 2025 dollars.\n"
            "# Made-up figures for the demonstration.\n"
            "[COSTS]\n"
            "Currency Year = 2025\n"
            "Inflation = 0.03\n"
            "First Month of Fiscal Year = 7\n"
            "\n"
            "[DAILY COSTS]\n"
            "# population = average daily cost, marginal daily cost\n"
            "Prison = 98.50, 31.20\n"
            "Jail = 82.00, 27.50\n"
            "Home Detention = 14.75, 6.10\n"
            "Residential Treatment = 61.00, 24.40\n"
            "Supervision = 6.20, 2.45\n");
    return out.close();
}

} // namespace demo
