// The stock tables file, into tables the state allocation sized for small
// counts: gender 2, race 2, age 3, offense 2, sentence length 3, felony type 2,
// region 2, jail length 2. Choice 1 switches the felony-type tables on.
#include "base/host.h"
#include "fuzz_support.h"
#include "input/state_tables.h"
#include "input/state_tables_ops.h"
#include "input/stock_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("stock_tables.kov");
    const auto in = kov::fuzz::takeChoice(data, size, 2);
    const std::string& path = file.write(in.rest);

    kov::NullHost host;
    kov::StateTables st;
    kov::resetStateTables(st);
    constexpr int Counts[kov::VariableCount] = {2, 2, 3, 2, 3, 2, 2, 2};
    for (int k = 0; k < kov::VariableCount; ++k) st.Values[static_cast<std::size_t>(k)].count = Counts[k];
    kov::TableSwitches sw;
    sw.prisonDemosByFelonyType = in.choice == 1;
    kov::fuzz::require(kov::allocateStateTables(st, sw, host), "small tables are allocated");

    kov::readStockTables(path, st, host);
    // The reader fills the tables it was given and never resizes them.
    for (int k = 0; k < 7; ++k)
        kov::fuzz::require(st.Stocks[static_cast<std::size_t>(k)].size() == static_cast<std::size_t>(Counts[k]) * 121,
                           "a stock table keeps its size");
    kov::fuzz::require(st.Stocks[7].size() == 121 && st.Timers.size() == 7, "totals and timers keep their size");
    return 0;
}
