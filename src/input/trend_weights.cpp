#include "input/trend_weights.h"

#include "base/host.h"
#include "config/run_parameters.h"
#include "input/input_reading.h"
#include "input/text_file.h"

namespace kov {

bool readTrendWeights(const std::string& path, const std::string& configuredName, RunParameters& p,
                      StateTables& st, Host& host, bool* loaded) {
    if (loaded) *loaded = false;
    TextFile f(path);
    if (!f.isOpen()) {
        // Not a failure: the run goes on without the customizations.
        host.message("Trend Weight File\n" + configuredName + "\nCould not be opened!" +
                         "\nPlease check the name and path in the Set Up Menu." +
                         "\nNorvale Customizations are no longer in effect.",
                     MessageIcon::Plain);
        p.NorvaleCustomizations = 0;
        return true;
    }

    const int felonyTypes = st.count(VarFelonyType);
    const std::size_t groups = felonyTypes > 0 ? static_cast<std::size_t>(felonyTypes) : 0;
    // The allocation sizes these already; make sure of the shape we write into.
    for (Series& year : st.TrendsByAdmissionGroup)
        if (year.size() != groups) year.assign(groups, 0.0);

    // Group by group, fifteen years each; numbers missing at the end stay 0.
    for (std::size_t g = 0; g < groups; ++g) {
        for (Series& year : st.TrendsByAdmissionGroup) {
            double v = 0.0;
            if (!f.readDouble(v)) break;
            year[g] = v;
        }
    }
    for (int y = 0; y < TrendYears; ++y) p.TrendWeights[static_cast<std::size_t>(y)] = 1.0;
    if (loaded) *loaded = true;
    return true;
}

} // namespace kov
