// The court and stock probability files (and, with option 1, the stock
// parameter file) over two court grid tables of 4 x 3 and 3 x 3, the shapes of
// the second reference set. Choice: the postprison option 0..3; options 2 and 3
// use a stock grid of its own (3 x 2 and 4 x 2). The input holds the court
// file, the stock file and the stock parameter file, cut at form feeds; a file
// not given is missing.
#include "base/host.h"
#include "fuzz_support.h"
#include "input/probabilities.h"
#include "input/state_tables.h"

#include <memory>

namespace {

std::shared_ptr<kov::TableDef> table(int rows, int cols) {
    auto t = std::make_shared<kov::TableDef>();
    t->rows = rows;
    t->cols = cols;
    t->rowlabels.assign(static_cast<std::size_t>(rows), "r");
    t->collabels.assign(static_cast<std::size_t>(cols), "c");
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile courtFile("court_prob.inp");
    static const kov::fuzz::ScratchFile stockFile("stock_prob.inp");
    static const kov::fuzz::ScratchFile parameterFile("stock_par.inp");
    static const std::string missing = courtFile.path() + ".missing";
    const auto in = kov::fuzz::takeChoice(data, size, 4);
    const auto parts = kov::fuzz::splitFiles(in.rest, 3);
    kov::ProbabilityPaths paths{courtFile.write(parts[0]), missing, missing};
    if (parts.size() > 1) paths.stock = stockFile.write(parts[1]);
    if (parts.size() > 2) paths.stockParameter = parameterFile.write(parts[2]);

    const int option = static_cast<int>(in.choice);
    kov::StateTables st;
    st.Values[kov::VarOffense].count = 4;
    st.m_Tables = {table(4, 3), table(3, 3)};
    if (option >= 2)
        st.Postables = {table(3, 2), table(4, 2)};
    else if (option == 1)
        st.Postables = st.m_Tables;
    kov::NullHost host;
    if (kov::readProbabilities(paths, option, st, host)) {
        for (const auto& outcome : st.P) {
            kov::fuzz::require(outcome.size() == 2, "one court matrix per table");
            kov::fuzz::require(outcome[0].size() == 12 && outcome[1].size() == 9, "court matrices keep their shape");
        }
    }
    return 0;
}
