// The stock parameter file on its own. Choice: the offense count, 0..5.
#include "base/host.h"
#include "fuzz_support.h"
#include "input/state_tables.h"
#include "input/stock_parameters.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("stock_par.inp");
    const auto in = kov::fuzz::takeChoice(data, size, 6);
    const std::string& path = file.write(in.rest);

    kov::StateTables st;
    const int offenses = static_cast<int>(in.choice);
    st.Values[kov::VarOffense].count = offenses;
    kov::NullHost host;
    if (kov::readStockParameters(path, st, host)) {
        for (std::size_t k = 1; k <= 2; ++k)
            kov::fuzz::require(st.Suplengths[k].size() == static_cast<std::size_t>(st.SuplengthCounts[k]),
                               "a supervision-length list holds its count");
        for (std::size_t k = 0; k < 3; ++k) {
            kov::fuzz::require(st.Parray[k].size() == static_cast<std::size_t>(st.SuplengthCounts[k]),
                               "one distribution row per length");
            for (const auto& row : st.Parray[k])
                kov::fuzz::require(row.size() == static_cast<std::size_t>(offenses), "one number per offense");
        }
    }
    return 0;
}
