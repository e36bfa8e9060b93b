// The table writer's entry points: which kinds a run writes, one kind per
// call of `chart`, and the block of tables `chart1` writes for a series set.
#include "reports/text/table_writer.h"

#include <cstdarg>
#include <cstddef>
#include <utility>

namespace kov {

namespace {
std::size_t u(int v) { return static_cast<std::size_t>(v); }
} // namespace

TableWriter::TableWriter(const Engine& engine, const ErrorReporter& err, TableOptions options)
    : e(engine), err_(err), opt(std::move(options)) {}

void TableWriter::put(const char* fmt, ...) {
    if (!out) return;
    std::va_list args;
    va_start(args, fmt);
    std::vfprintf(out, fmt, args);
    va_end(args);
}

void TableWriter::text(const std::string& s) {
    if (out) std::fputs(s.c_str(), out);
}

void TableWriter::zeroCases() { put("\n\t Zero cases in table \n"); }

void TableWriter::title(const std::string& t) {
    put("\n\n");
    text(t);
}

void TableWriter::fileError(const std::string& path) {
    if (opt.filerr) {
        opt.filerr(path);
        return;
    }
    err_.record("filerr", 1075);
    e.host.message("Unable to open file " + path, MessageIcon::Stop);
}

void TableWriter::finish(std::FILE* f, const std::string& path) {
    // A full disk shows only in the stream state or at the final flush.
    bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0) failed = true;
    if (!failed) return;
    // Every kind appends to the same file: tell a full disk once per file.
    for (const std::string& p : writeFailures)
        if (p == path) return;
    writeFailures.push_back(path);
    e.host.message("Error writing file " + path, MessageIcon::Stop);
}

long long TableWriter::yearLabel(int y) const {
    // A hand-edited year may be anything: add in 64 bits.
    return static_cast<long long>(e.ctx.params.FirstSimulatedYear) + y;
}

const ClassificationVariable& TableWriter::variable(int table) const {
    static const ClassificationVariable none{};
    if (table < 1 || table > VariableCount) return none;
    return e.st.Values[u(table - 1)];
}

std::string TableWriter::fitLabel(const std::string& label, std::size_t width) {
    std::string s = label.substr(0, width);
    s.resize(width, ' ');
    return s;
}

std::string TableWriter::titleWord(const std::string& word) { return word.substr(0, 14); }

void TableWriter::writeAll(const std::function<void()>& prisonExports) {
    if (opt.prisonDemographics || opt.prisonEntryExit) {
        chart(ChartPrison);
        if (prisonExports) prisonExports();
    }
    if (opt.jail || opt.countyPopulation) chart(ChartJail);
    if (opt.residentialTreatment || opt.homeDetention || opt.fines || opt.restitution || opt.communityService ||
        opt.supervision)
        chart(ChartSanctions);
    if (opt.felonyByAgeAndGender) chart(ChartFelony);
}

void TableWriter::chart(int kindCode) {
    err_.record("chart", 6010);
    const std::string& writeTo = opt.tablesWritePath.empty() ? opt.tablesPath : opt.tablesWritePath;
    std::FILE* f = std::fopen(writeTo.c_str(), "a");
    if (!f) {
        fileError(opt.tablesPath);
        return;
    }
    out = f;
    stockColumn = noTitle = noTotals = residentialSwitch = false;
    switch (kindCode) {
    case ChartPrison:
        kind = KindPrison;
        if (opt.prisonDemographics)
            chart1(e.st.Tops, 120, 11, ModeAll, "Prison");
        else if (opt.prisonEntryExit)
            chart1(e.st.Tops, 120, 11, ModeFromTotals, "Prison");
        break;
    case ChartJail:
        jailChart();
        break;
    case ChartSanctions:
        sanctionsChart();
        break;
    case ChartFelony:
        chart5();
        break;
    default:
        break;
    }
    out = nullptr;
    finish(f, opt.tablesPath);
}

void TableWriter::chart1(const std::array<Series, 8>& set, int width, int start, int mode, const std::string& name) {
    err_.record("chart1", 6100);
    if (mode == ModeAll || mode == ModeTable1 || mode == ModeTable2) {
        const int first = mode == ModeAll ? 1 : mode;
        const int last = mode == ModeAll ? 7 : mode;
        for (int k = first; k <= last; ++k) breakdownTable(set, k, width, start, name);
    }
    if (mode == ModeAll || mode == ModeFromTotals) totalPerMonth(set[7], width, start, name);
    if (mode == ModeAll || mode == ModeFromTotals || mode == ModeFromEntryExit) {
        if (kind == KindPrison && opt.prisonEntryExit) {
            entryExitTables();
        } else if (kind == KindJail) {
            title("Total Violations");
            wrpro(e.st.Violations, 12, 5);
        } else if (kind == KindSanctions && mode == ModeFromEntryExit) {
            supervisionTables(name);
        }
    }
    const bool countyStep = (mode == ModeAll || mode == ModeFromEntryExit) && kind == KindJail && opt.countyPopulation;
    if (countyStep || mode == ModeCountyOnly) countyJailTable();
}

void TableWriter::breakdownTable(const std::array<Series, 8>& set, int k, int width, int start, const std::string& name) {
    err_.record("chart1", 6120);
    int table = k;
    if (k == 5) {
        // Jail and residential treatment keep their table 5 by days, under the jail-length rows.
        if (kind == KindJail || (kind == KindSanctions && residentialSwitch)) {
            table = 8;
            width = 2520;
            start = 719;
        }
        stockColumn = true;
    }
    const Series& data = set[u(k - 1)];
    const int rows = variable(table).count;
    caseCount = caseCountOf(data, rows, width, start);
    prthead(table, name);
    if (caseCount != 0)
        prtint(data, rows, table, width, start, name);
    else
        zeroCases();
    stockColumn = false;
}

void TableWriter::totalPerMonth(const Series& totals, int width, int start, const std::string& name) {
    err_.record("chart1", 6140);
    put("\n\n%s\n\n", (name + " - Total Count Per Month:").c_str());
    caseCount = caseCountOf(totals, 1, width, start);
    if (caseCount == 0) {
        zeroCases();
        return;
    }
    put("Year     1     2     3     4     5     6     7     8");
    put("     9    10    11    12\n");
    for (int y = 0; y < years(); ++y) {
        put("\n%4lld", yearLabel(y));
        for (int m = start - 11 + 12 * y; m <= start + 12 * y; ++m) {
            const double v = m >= 0 && u(m) < totals.size() && m < width ? totals[u(m)] : 0.0;
            put("%6.0f", v);
        }
    }
}

} // namespace kov
