#include "input/grid.h"

#include "base/host.h"
#include "input/line_scanner.h"
#include "input/text_file.h"
#include "input/try_allocate.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kov {
namespace {

constexpr std::size_t CourtGridLineBuffer = 254;
constexpr std::size_t StockGridLineBuffer = 80;
/// A row or column label is read with room for 14 characters, the line end included.
constexpr std::size_t LabelLineBuffer = 15;
constexpr std::size_t TitleWidth = 15;
/// Far beyond any real grid; a larger count is a damaged file, not a size to allocate.
constexpr int MaxGridCount = 10000;

bool countInRange(int n) { return n >= 0 && n <= MaxGridCount; }

/// One grid file read line by line, counting file lines for the messages.
class GridReader {
public:
    GridReader(TextFile& file, std::string path, std::size_t lineBuffer, Host& host)
        : file_(file), path_(std::move(path)), lineBuffer_(lineBuffer), host_(host) {}

    /// The first line: " %*[^.] %*s %d" (court) or " %*15[^.] %*s %d" (stock).
    bool tableCount(std::size_t titleWidth, int& n) {
        std::string line;
        if (!next(line, lineBuffer_)) return fail("the number of tables");
        LineScanner scan(line);
        scan.skipBlanks();
        if (!scan.notFullStop(nullptr, titleWidth) || !scan.skipToken() || !scan.integer(n))
            return fail("the number of tables");
        return true;
    }

    /// One table: name line, row title and count, row labels, column title and
    /// count, column labels. owner names the array in the allocation messages.
    bool table(const std::string& owner, int i, TableDef& def, std::string& name) {
        std::string line;
        if (!next(line, lineBuffer_)) return fail("a table name");
        LineScanner scan(line);
        scan.skipBlanks();
        if (!scan.notFullStop(&name, TitleWidth)) return fail("a table name");

        const std::string at = owner + "[" + std::to_string(i) + "]";
        return labelledAxis(at + "->rowlabels", "a row", def.rowTitle, def.rows, def.rowlabels) &&
               labelledAxis(at + "->collabels", "a column", def.colTitle, def.cols, def.collabels);
    }

    bool allocationFailed(const std::string& what) {
        host_.messageAt("Unable to allocate memory for " + what, MessageIcon::Stop,
                        Location{path_, readingLine_, {}, {}});
        return false;
    }

private:
    /// " %15[^.] %*s %d", then that many label lines.
    bool labelledAxis(const std::string& arrayName, const std::string& kind, std::string& title, int& count,
                      std::vector<std::string>& labels) {
        std::string line;
        const std::string header = kind + " title and its number of labels";
        if (!next(line, lineBuffer_)) return fail(header);
        LineScanner scan(line);
        scan.skipBlanks();
        int n = 0;
        if (!scan.notFullStop(&title, TitleWidth) || !scan.skipToken() || !scan.integer(n)) return fail(header);
        if (!countInRange(n)) return allocationFailed(arrayName);
        if (!tryAllocate([&] { labels.assign(static_cast<std::size_t>(n), std::string{}); }))
            return allocationFailed(arrayName);
        count = n;
        for (auto& label : labels)
            if (!labelLine(label)) return fail(kind + " label");
        return true;
    }

    /// The label line's last character is taken as its line end and removed:
    /// a label of up to 13 characters is kept whole, a longer one is cut and
    /// the rest of its line is read as the next line. A last line without a
    /// line end reads as if it had one.
    bool labelLine(std::string& label) {
        bool hadLineEnd = false;
        if (!next(label, LabelLineBuffer, &hadLineEnd)) return false;
        if (!hadLineEnd && label.size() == LabelLineBuffer - 1) label.pop_back();
        if (!label.empty() && label.back() == '\r') label.pop_back();
        return true;
    }

    bool next(std::string& line, std::size_t buffer, bool* hadLineEnd = nullptr) {
        bool ended = false;
        readingLine_ = lineNumber_;
        if (!file_.readLine(line, buffer, &ended)) return false;
        if (ended) ++lineNumber_;
        if (hadLineEnd) *hadLineEnd = ended;
        if ((ended || file_.atEnd()) && !line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }

    bool fail(const std::string& expected) {
        host_.messageAt("Error in grid file " + path_ + ", line " + std::to_string(readingLine_) + ": " + expected +
                            " expected",
                        MessageIcon::Stop, Location{path_, readingLine_, {}, {}});
        return false;
    }

    TextFile& file_;
    std::string path_;
    std::size_t lineBuffer_;
    Host& host_;
    int lineNumber_ = 1;  ///< file line of the next read
    int readingLine_ = 1; ///< file line of the last read
};

bool readCourtGrid(const std::string& path, StateTables& st, Host& host) {
    TextFile file(path);
    if (!file.isOpen()) {
        host.messageAt("Unable to open file " + path, MessageIcon::Stop, Location{path, 0, {}, {}});
        return false;
    }
    GridReader reader(file, path, CourtGridLineBuffer, host);
    int n = 0;
    if (!reader.tableCount(0, n)) return false;
    if (!countInRange(n)) return reader.allocationFailed("m_Tables");
    if (!tryAllocate([&] { st.m_Tables.assign(static_cast<std::size_t>(n), nullptr); }))
        return reader.allocationFailed("m_Tables");
    for (int i = 0; i < n; ++i) {
        if (!tryAllocate([&] { st.m_Tables[static_cast<std::size_t>(i)] = std::make_shared<TableDef>(); }))
            return reader.allocationFailed("m_Tables[" + std::to_string(i) + "]");
    }
    if (!tryAllocate([&] { st.m_TableNames.assign(static_cast<std::size_t>(n), std::string{}); }))
        return reader.allocationFailed("m_TableNames");
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!reader.table("m_Tables", i, *st.m_Tables[k], st.m_TableNames[k])) return false;
    }
    return true;
}

/// Single grid: the postprison tables are the court tables themselves.
bool shareCourtGrid(StateTables& st, Host& host) {
    st.PostablesOwned = 0;
    if (!tryAllocate([&] { st.Postables = st.m_Tables; })) {
        host.message("Unable to allocate memory for Postables", MessageIcon::Stop);
        return false;
    }
    if (!tryAllocate([&] { st.m_PostTableNames.assign(st.m_Tables.size(), std::string{}); })) {
        host.message("Unable to allocate memory for m_PostTableNames", MessageIcon::Stop);
        return false;
    }
    return true;
}

/// Dual grid: the postprison tables come from the stock grid file.
bool readStockGrid(const std::string& path, StateTables& st, Host& host) {
    st.PostablesOwned = 1;
    TextFile file(path);
    if (!file.isOpen()) {
        host.messageAt("Unable to open file " + path, MessageIcon::Stop, Location{path, 0, {}, {}});
        return false;
    }
    GridReader reader(file, path, StockGridLineBuffer, host);
    int m = 0;
    if (!reader.tableCount(TitleWidth, m)) return false;
    if (!countInRange(m)) return reader.allocationFailed("Postables");
    if (!tryAllocate([&] { st.Postables.assign(static_cast<std::size_t>(m), nullptr); }))
        return reader.allocationFailed("Postables");
    if (!tryAllocate([&] { st.m_PostTableNames.assign(static_cast<std::size_t>(m), std::string{}); }))
        return reader.allocationFailed("m_PostTableNames");
    for (int i = 0; i < m; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!tryAllocate([&] { st.Postables[k] = std::make_shared<TableDef>(); }))
            return reader.allocationFailed("Postables[" + std::to_string(i) + "]");
        if (!reader.table("Postables", i, *st.Postables[k], st.m_PostTableNames[k])) return false;
    }
    return true;
}

} // namespace

// Every probability file holds a matrix per table and outcome: the cells of all
// tables together bound what the run allocates for them.
constexpr long long MaxGridCells = 1LL << 20;

bool cellsWithinLimit(const std::vector<std::shared_ptr<TableDef>>& tables, const std::string& path, Host& host) {
    long long cells = 0;
    for (const auto& t : tables)
        if (t) cells += static_cast<long long>(t->rows) * t->cols;
    if (cells <= MaxGridCells) return true;
    host.messageAt("Error in grid file " + path + ": its tables hold more than " + std::to_string(MaxGridCells) +
                       " cells",
                   MessageIcon::Stop, Location{path, 0, {}, {}});
    return false;
}

bool readTableDefinitions(const std::string& gridPath, const std::string& stockGridPath, int postprisonOption,
                          int dualGuidelines, StateTables& st, Host& host) {
    if (!readCourtGrid(gridPath, st, host) || !cellsWithinLimit(st.m_Tables, gridPath, host)) return false;
    if (postprisonOption == 0) return true;
    if (dualGuidelines == 0) return shareCourtGrid(st, host);
    return readStockGrid(stockGridPath, st, host) && cellsWithinLimit(st.Postables, stockGridPath, host);
}

} // namespace kov
