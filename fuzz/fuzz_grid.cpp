// The sentencing grid files. Choice 0: the court grid alone (no postprison
// option); 1: the court grid shared as the postprison grid; 2: dual guidelines,
// the court grid, then after a form feed the stock grid (the same text when
// there is no form feed).
#include "base/host.h"
#include "fuzz_support.h"
#include "input/grid.h"
#include "input/state_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile courtFile("grid.inp");
    static const kov::fuzz::ScratchFile stockFile("stocgrid.inp");
    const auto in = kov::fuzz::takeChoice(data, size, 3);
    const auto parts = kov::fuzz::splitFiles(in.rest, 2);
    courtFile.write(parts[0]);
    stockFile.write(parts.back());

    const int postprisonOption = in.choice == 0 ? 0 : 1;
    const int dualGuidelines = in.choice == 2 ? 1 : 0;
    kov::NullHost host;
    kov::StateTables st;
    if (kov::readTableDefinitions(courtFile.path(), stockFile.path(), postprisonOption, dualGuidelines, st, host)) {
        // What the later steps rely on: every table there, with as many labels as its counts say.
        kov::fuzz::require(st.m_TableNames.size() == st.m_Tables.size(), "one name per court table");
        for (const auto& tables : {st.m_Tables, st.Postables})
            for (const auto& t : tables) {
                kov::fuzz::require(t != nullptr, "every table read");
                kov::fuzz::require(t->rows >= 0 && t->cols >= 0, "counts are not negative");
                kov::fuzz::require(t->rowlabels.size() == static_cast<std::size_t>(t->rows) &&
                                       t->collabels.size() == static_cast<std::size_t>(t->cols),
                                   "one label per row and column");
            }
    }
    return 0;
}
