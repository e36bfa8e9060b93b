// The county file.
#include "base/host.h"
#include "fuzz_support.h"
#include "input/county.h"
#include "input/state_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("county.inp");
    const std::string& path = file.write(kov::fuzz::asText(data, size));
    kov::NullHost host;
    kov::StateTables st;
    if (kov::readCounties(path, st, host))
        for (const auto& c : st.Counties) kov::fuzz::require(c.name.size() <= 27, "a county name holds 27 characters");
    return 0;
}
