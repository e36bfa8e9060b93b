// The labels file, read both ways: the run's reader and the set-up dialog's
// lighter check. The age groups built from a good file are looked up too.
#include "base/host.h"
#include "fuzz_support.h"
#include "input/groups.h"
#include "input/labels.h"
#include "input/state_tables.h"

#include <climits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("labels.inp");
    const std::string& path = file.write(kov::fuzz::asText(data, size));
    kov::NullHost host;

    kov::StateTables st;
    if (kov::readLabels(path, st, host)) {
        const auto& ages = st.Values[kov::VarAge];
        const kov::Groups groups(ages.count, ages.labelsptr);
        for (const int age : {INT_MIN, -1, 0, 17, 18, 30, 64, 65, INT_MAX}) {
            const int g = groups.lookup(age);
            kov::fuzz::require(g >= 1 && g <= ages.count, "an age group lies in 1..count");
        }
    }
    const kov::LabelsCheck check = kov::checkLabelsFile(path, "labels.inp", host);
    kov::fuzz::require(!check.ok || (check.felonyTypes >= 0 && check.offenses >= 0), "checked counts are not negative");
    return 0;
}
