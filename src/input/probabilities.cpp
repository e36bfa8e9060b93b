// The court and stock probability files hold one block per (outcome, grid
// table), outcome-major: a line of any text, the block's label, a line of
// column headings, then the matrix. The run reads the blocks by position and
// never looks at the labels, so a file with a header line missing reads
// misaligned rather than failing; that is how the format has always behaved.
#include "input/probabilities.h"

#include "base/host.h"
#include "input/input_reading.h"
#include "input/stock_parameters.h"
#include "input/text_file.h"

#include <span>

namespace kov {
namespace {

using TableList = std::vector<std::shared_ptr<TableDef>>;

/// Largest grid matrix we agree to allocate; real grids are a few dozen cells.
constexpr long long MaxGridCells = 1LL << 20;

/// rows x columns of a grid table, -1 when the shape cannot be allocated.
long long cellCount(const std::shared_ptr<TableDef>& def) {
    if (!def) return 0;
    if (def->rows < 0 || def->cols < 0) return -1;
    const long long cells = static_cast<long long>(def->rows) * static_cast<long long>(def->cols);
    return cells <= MaxGridCells ? cells : -1;
}

/// One zero-filled matrix per table for every outcome; name is "P" or "Pp".
bool allocateOutcomes(std::span<SeriesList> outcomes, const TableList& tables, const std::string& name, Host& host) {
    for (std::size_t p = 0; p < outcomes.size(); ++p) {
        const int outcome = static_cast<int>(p);
        if (!tryAssign(outcomes[p], tables.size(), Series{})) {
            reportAllocationFailure(host, indexedName(name, outcome));
            return false;
        }
        for (std::size_t t = 0; t < tables.size(); ++t) {
            const long long cells = cellCount(tables[t]);
            if (cells < 0 || !tryAssign(outcomes[p][t], static_cast<std::size_t>(cells), 0.0)) {
                reportAllocationFailure(host, indexedName(name, outcome, static_cast<int>(t)));
                return false;
            }
        }
    }
    return true;
}

/// Reads the blocks into already sized matrices. A file that cannot be opened
/// leaves every probability at 0 without a word: many runs have no such file.
void readProbabilityFile(const std::string& path, std::span<SeriesList> outcomes) {
    TextFile f(path);
    if (!f.isOpen()) return;
    for (SeriesList& perTable : outcomes) {
        for (Series& matrix : perTable) {
            for (int header = 0; header < 3; ++header) f.skipRestOfLine();
            readNumbersInto(f, matrix, 0, matrix.size());
            dropRestOfNumberLine(f, matrix.size());
        }
    }
}

} // namespace

bool readProbabilities(const ProbabilityPaths& paths, int postprisonOption, StateTables& st, Host& host) {
    if (!allocateOutcomes(st.P, st.m_Tables, "P", host)) return false;
    readProbabilityFile(paths.court, st.P);

    if (postprisonOption != 0) {
        if (!allocateOutcomes(st.Pp, st.Postables, "Pp", host)) return false;
        readProbabilityFile(paths.stock, st.Pp);
    }
    if (postprisonOption == 1) return readStockParameters(paths.stockParameter, st, host);
    return true;
}

} // namespace kov
