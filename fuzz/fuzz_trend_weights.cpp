// The trend weights by admission group. Choice: the felony-type count 0..5,
// with the yearly tables sized as the allocation sizes them (choices 0..5) or
// left empty (6..11).
#include "base/host.h"
#include "config/run_parameters.h"
#include "fuzz_support.h"
#include "input/state_tables.h"
#include "input/trend_weights.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("trend_groups.txt");
    const auto in = kov::fuzz::takeChoice(data, size, 12);
    const std::string& path = file.write(in.rest);

    const int felonyTypes = static_cast<int>(in.choice % 6);
    kov::StateTables st;
    st.Values[kov::VarFelonyType].count = felonyTypes;
    if (in.choice < 6)
        for (auto& year : st.TrendsByAdmissionGroup) year.assign(static_cast<std::size_t>(felonyTypes), 0.0);
    kov::RunParameters p;
    kov::NullHost host;
    bool loaded = false;
    kov::readTrendWeights(path, "trend_groups.txt", p, st, host, &loaded);
    kov::fuzz::require(loaded, "an existing file is read");
    for (const auto& year : st.TrendsByAdmissionGroup)
        kov::fuzz::require(year.size() == static_cast<std::size_t>(felonyTypes), "one weight per felony type");
    return 0;
}
