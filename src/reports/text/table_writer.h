#pragma once
// The output tables appended to the tables output file after the summary
// report: breakdown tables with totals and percentages, monthly totals, entry
// and exit series, prison programs, jail, sanction, supervision and county
// tables, and the felony tables (with their bare copy in feltab.out).
//
// One writer serves one run. Every `chart` call opens the tables file for
// appending and closes it at its end, so earlier output is always kept; a
// file that cannot be opened is reported and skipped, and a failed write is
// reported without ending the run.
#include "engine/engine.h"
#include "run/table_options.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kov {

/// Population kind codes handed to `chart` by the run driver.
enum ChartKind : int { ChartPrison = 1, ChartJail = 2, ChartSanctions = 3, ChartFelony = 5 };

/// Population kinds that shape the tables (columns, widths, headings).
enum PopulationKind : int { KindPrison = 0, KindJail = 1, KindSanctions = 2 };

/// Modes of chart1.
enum ChartMode : int {
    ModeAll = 0, ModeTable1 = 1, ModeTable2 = 2, ModeFromTotals = 8, ModeFromEntryExit = 9, ModeCountyOnly = 10
};

class TableWriter {
public:
    /// err is the run's error reporter: a failure names the table being written.
    TableWriter(const Engine& engine, const ErrorReporter& err, TableOptions options);

    /// The driver's selection of table kinds by the options; prisonExports
    /// runs after the prison tables (the workbook exports).
    void writeAll(const std::function<void()>& prisonExports = {});
    /// Appends the tables of one kind code (ChartKind) to the tables file.
    void chart(int kindCode);

    // ---- the generic table engine (public for tests)
    /// A block of tables of one series set (eight arrays, the last the totals).
    void chart1(const std::array<Series, 8>& set, int width, int start, int mode, const std::string& name);
    /// Sum of the year-end cells of the table, each rounded half up.
    long caseCountOf(const Series& data, int rows, int width, int start) const;
    void prthead(int table, const std::string& name);
    void prtint(const Series& data, int rows, int table, int width, int start, const std::string& name);
    void pct(const Series& data, int rows, int table, int width, int start);
    /// A monthly series from element `from` on as a year-by-month block.
    /// Negative months become 0 in the series itself.
    /// Counts by month with their yearly sums (the run has set negative months to 0).
    void wrpro(const Series& series, std::size_t from, int years);
    /// "\n\n" and the title.
    void title(const std::string& text);
    void PrintJailByDaysTables(const char* heading, const std::vector<double>& values);

    /// A row label cut or blank-padded to width characters.
    static std::string fitLabel(const std::string& label, std::size_t width);
    /// A supervision or release word as titles quote it.
    static std::string titleWord(const std::string& word);

    // ---- the writer's state
    std::FILE* out = nullptr; ///< where the tables go now
    int kind = KindPrison;
    long caseCount = 0;
    bool stockColumn = false;          ///< table 5 of the prison carries the long-term stock
    bool noTitle = false;              ///< felony tables: headings without the table title
    bool noTotals = false;             ///< rows and totals only (feltab.out)
    bool residentialSwitch = false;    ///< table 5 of this sanction is by days

private:
    void put(const char* fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void text(const std::string& s);
    void zeroCases();
    void fileError(const std::string& path);
    /// Reports a stream that failed while being written or closed.
    void finish(std::FILE* f, const std::string& path);
    /// First simulated year + y.
    long long yearLabel(int y) const;
    int years() const { return kind == KindPrison ? 10 : 5; }
    const ClassificationVariable& variable(int table) const;

    void breakdownTable(const std::array<Series, 8>& set, int table, int width, int start, const std::string& name);
    void totalPerMonth(const Series& totals, int width, int start, const std::string& name);
    void entryExitTables();
    void programTables();
    void jailChart();
    void dailyJailTables();
    void countyJailTable();
    void sanctionsChart();
    void supervisionTables(const std::string& word);
    /// A title and five years of twelve months, or the zero-cases line.
    void monthBlock(const std::string& heading, const std::vector<double>& months, long count);
    void chart5();

    const Engine& e;
    const ErrorReporter& err_;
    TableOptions opt;
    std::vector<std::string> writeFailures; ///< files already reported as not written
};

} // namespace kov
