#pragma once
// The simulation state of one run and the offender flow operations over it.
// Every operation of a run reads and writes these members directly, as the
// model is written; the run driver (Simulation), which owns one, adds the
// files and the steps.
#include "base/error_reporter.h"
#include "base/host.h"
#include "base/random.h"
#include "config/run_parameters.h"
#include "engine/case_profile.h"
#include "engine/case_weights.h"
#include "engine/flow_calls.h"
#include "engine/offender.h"
#include "engine/policy_changes.h"
#include "engine/range_sums.h"
#include "engine/read_case.h"
#include "engine/run_context.h"
#include "input/groups.h"
#include "input/state_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kov {

class CMicroDataFile;
class Programs;

/// Closes a C stream when its owner goes.
struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

/// Lengths and probabilities of the non-prison sanctions of one case and year,
/// computed in the in-totals call and reused by the other tables' calls.
struct NoprisonSetup {
    int jailMonths = 0, rtMonths = 0, T = 0, violationJailMonths = 0;
    int Lmis = 0, Lrev = 0, Lviol = 0, Linc = 0, Iviol = 0, Lauto = 0, Lhd = 0, Lcs = 0, Lrp = 0, Lfp = 0;
    double Pp = 0, Pj = 0, Pm = 0, Pnp = 0, Psup = 0, Prev = 0, Pviol = 0;
    double Prt = 0, Phd = 0, Pcs = 0, Prest = 0, Pfine = 0;
};

/// The prison call's lengths and probabilities: run parameters and the
/// case's grid cell, the same for every call of a profiled case.
struct PrisonSetup {
    long long Lsr = 0, Lpre = 0, Ladd = 0, Lrel = 0, Lrev1 = 0;
    double LpreParameter = 0, Ppre = 0, Pcomp = 0, Prel = 0;
    double P = 0, Q = 0, R = 0;
};

/// Post-prison values computed in the in-totals call and reused.
struct PostprisonSetup {
    int rtMonths = 0;            ///< field 22 days / 30
    int violationJailMonths = 0; ///< days / 30.0, integer part
    // Run parameters in whole months, the same for every call of a profiled case.
    int Lauto = 0, Lviol = 0, Linc = 0, Iviol = 0, Lrel = 0;
    std::array<int, 4> sanctionMonths{}; ///< home detention, community service, restitution, fines
};

class Engine {
public:
    explicit Engine(Host& h);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // ---------------------------------------------------------------- counters
    /// cell(c, m) += w for m in max(s,0)..min(s+n-1, N); rows of N+2 cells.
    void sendit(Series& a, int c, int s, int n, double w, int N);
    /// As sendit, the category being the age group at each month.
    void SenditForAge(Series& a, int s, int n, double w, int N, int baseMonth, int age);
    /// element(levels[m], m) += w over max(s,0)..min(s+n-1, monthsPerLevel-1).
    void sendtsup(std::vector<double>& sup, int monthsPerLevel, int s, int n, double w);
    void remtsup(std::vector<double>& sup, int monthsPerLevel, int s, int n, double w);
    /// Age group of age a after t months, years factor k.
    int aging(int a, int t, int k);
    /// destination(r, m) += sum of source(r, j), j = m+1..120.
    void dotop(const Series& source, Series& destination, int rows);
    void dotopSaveStockSum(const Series& source, Series& destination);
    /// Lowest (flag <= 0) or highest (flag > 0) monthly total of each year.
    void hilo(std::array<double, 10>& destination, int flag);

    // -------------------------------------------------------------- range sums
    /// Adds w to cells first..last of a table: to its pending ranges while the
    /// case loop defers them (short ranges excepted), else to every cell.
    void addRange(Series& table, std::size_t first, std::size_t last, double w) {
        if (deferRanges && last - first >= RangeSums::ShortRange) {
            rangeSums.add(table, first, last, w);
            return;
        }
        double* cells = table.data();
        for (std::size_t i = first; i <= last; ++i) cells[i] += w;
    }
    /// Adds the pending ranges to their tables: before anything reads them.
    void flushRanges() {
        addCategorySums();
        rangeSums.flush();
    }
    /// Adds the case profile's sums by category to their tables.
    void addCategorySums();

    // ----------------------------------------------------------------- flows
    void prison(const PrisonCall& call);
    void noprison(const NoprisonInput& in);
    void postprison(const PostprisonCall& call);
    /// One revocation period of n months of a post-prison call, starting
    /// Lrel months after month b, within supervision ending in month e; its
    /// last month.
    int doparc(const PostprisonCall& call, int b, int e, int n);

    // ------------------------------------------------------- prison programs
    /// The program step of one simulated year y of the current case (off),
    /// with sentencing month s and weight w = year weight x prison probability.
    /// runproj calls it only with the customizations on and sentenceMonths >= 3,
    /// after it has set off.programReturn to 2 and reset sentenceMonths and
    /// paroleMonths from the record. It stores the decision in off
    /// (programReturn, programIndex, programExit), may change both lengths for
    /// the year's prison and non-prison calls, and feeds the program's
    /// occupancy and admission count. True when the caller must go on to the
    /// next year without those calls: always for y >= 10, whose cases only
    /// fill the programs.
    bool programStep(int y, int s, double w, int& sentenceMonths, int& paroleMonths);

    /// One court case: 0 go on, 2 end of file, -1 error or cancel.
    int runproj();
    /// Hands the prison totals so far, with the stock still in prison, to liveGraph.
    void drawLiveGraph();
    /// The year loop of the case just read: years 0..years-1, in one part, or
    /// in parts where a policy change for the case's cell starts. False when
    /// a changed sentence is out of range (after a stop message).
    bool simulateYears(struct CaseFields& c, const CaseWeights& W, int years);
    /// Scales the sentence and parole of the case by the sentence changes for
    /// its cell that start in projection year `start`; false (after a stop
    /// message) when a length would leave the range a case may hold.
    bool changeSentence(struct CaseFields& c, int start);
    /// One simulated year of the case just read (the year loop of runproj).
    void simulateYear(int y, struct CaseFields& c, const CaseWeights& W);
    /// The row and factor of each breakdown table for the case just read, and
    /// which tables may take their flows from the case profile.
    void setCaseRows(const struct CaseFields& c, const CaseWeights& W);
    /// The post-prison probabilities of the case's cell into postCell.
    void setPostCell(const struct CaseFields& c);
    /// The prison call's probabilities of a grid cell and its month lengths.
    void setPrisonSetup(int table, int row, int col);
    /// Post-prison run parameters in whole months.
    void setPostprisonLengths();
    /// Adds the case profile to the totals and every table that shares it,
    /// and clears it for the next case.
    void addCaseProfile();
    /// A sentencing month drawn by the cumulative month distribution.
    int drawMonth();
    /// The county jail totals by year (Jailtot, Jaildays, yearJailTotals)
    /// when the court microdata end; the county output file prints them.
    void addUpCountyJail();

    // ----------------------------------------------------------------- stock
    /// Adds w1 x w2 to cell min(month, 120) of row `category` (0-based) of
    /// Stocks[table]; nothing when the row or month is not there.
    void AddStockRelease(int table, int category, int month, double w1, double w2);
    /// The same into slot `table` (0..4, region 5, totals 6) of the felony
    /// type's (0-based) StockForFelonyType.
    void AddStockReleaseByFelony(int table, int felonyType, int category, int month, double w1, double w2);

    /// The host's pump: lets the person's side run; true (and m_CancelRequested
    /// set) when the run is asked to stop.
    bool Abort();

    // ------------------------------------------------------------------ state
    Host& host;
    RunContext ctx;
    ErrorReporter err;
    StateTables st;

    std::vector<double> m_JailByDays; ///< 3600
    std::vector<double> m_JailTotals; ///< 120
    std::vector<double> m_Tsup;       ///< 10 x 60 (level-major: level * 60 + month)
    std::vector<double> m_Tpsup;      ///< 10 x 120
    std::vector<std::string> m_MonthLabels;

    Groups ageGroups, jailGroups, sentenceLengthGroups;
    bool m_CancelRequested = false; ///< set by the pump when the person asks the run to stop
    std::unique_ptr<RandomNumberGenerator> caseGenerator;
    std::unique_ptr<Programs> programs;
    std::unique_ptr<CMicroDataFile> microdata; ///< open during the case loop

    Offender off;
    int postprisonOption = 0;
    int dualGuidelines = 0;
    std::array<std::int8_t, 120> levels{}; ///< supervision level of each month (0-based), a LevelList
    /// Post-prison probabilities of the case's cell: 0..4 the sanctions, 5 the
    /// revocation probability, the one postprison reads for every case; the
    /// stock from stock tables stores the release parameter there.
    std::array<double, 6> postCell{};
    NoprisonSetup ns;
    PostprisonSetup ps;
    PrisonSetup prisonSetup;

    bool acceptedCase = false;
    double samplingThreshold = 1.0;
    std::array<double, 10> yearJailTotals{}; ///< all counties' jail totals by year
    std::array<double, 10> low{}, high{};
    Series courtTotals; ///< Tops[7] before the stock is added, 120
    std::array<int, 120> stockReleaseCounts{};
    std::string stockMessage;

    // Range additions of the case loop (sendit and its companions, the prison
    // and revocation stays, the jail days) are kept as differences while
    // deferRanges is set, and added to the tables by flushRanges(). The
    // straightforward way, every month added at once, stays for checking.
    RangeSums rangeSums;
    bool deferRanges = false;  ///< set by the driver around the case loop
    bool monthByMonth = false; ///< run option (RunOptions): no deferred ranges at all
    long long counterOperations = 0; ///< range additions and counter calls of the run

    // The case profile (case_profile.h): used while range sums are, so that
    // the straightforward way stays whole for checking.
    std::unique_ptr<CaseProfile> profile;
    /// The current case fills shared tables from the profile; ns, prisonSetup
    /// and ps's lengths then hold its setup, worked out by setCaseRows.
    bool profiled = false;
    std::array<CaseRow, 8> caseRows{};
    /// Some table of the current case takes its jail and sanctions from the
    /// profile, which the call standing for the totals then writes.
    bool sharedSanctions = false;
    int caseAge = -1; ///< the age read for the current case
    /// Run option (RunOptions, copied when the run starts): only the totals
    /// are wanted (a live re-projection). The breakdown tables are left empty
    /// but the gender table's jail and sanction rows, which the jail and
    /// sanction totals are summed from; every total comes out as in a full
    /// run, with the same operations in the same order.
    bool totalsOnly = false;
    /// Breakdown table k (the totals are 7) is filled in this run.
    bool fillsTable(int k) const { return !totalsOnly || k == VarGender || k >= 7; }
    /// Table k's prison population is filled: the gender table of a
    /// totals-only run is there for its jail and sanction rows alone.
    bool fillsStays(int k) const { return !totalsOnly || k >= 7; }
    /// The run fills what no total is made of: the event counts, the felony
    /// and offense side tables, the county and daily jail, violations, and
    /// post-prison supervision and sanctions.
    bool fillsSideTables() const { return !totalsOnly; }

    /// A policy's changes the case loop makes: sentences, and probabilities
    /// that change in a later year (see policy_changes.h).
    std::vector<ResolvedCellChange> caseChanges;

    /// Live totals chart (RunOptions, the run dialog's); empty when not shown.
    std::function<void(const Series& totals, const std::vector<std::string>& monthLabels)> liveGraph;
    int graphInterval = 0;
    /// The files a case's values refer to, for messages; last, away from what the case loop uses.
    CaseFileNames caseFiles;
};

} // namespace kov
