// The output tables against the six reference runs, independent of the
// engine's numbers: every series the tables print is filled from the numbers
// the reference printed, and the table writer must then write the reference's
// tables part byte for byte. Percentages, totals, case counts, zero-case
// lines, headings and layouts are all recomputed by the writer.
#include "config/run_configuration.h"
#include "engine/programs.h"
#include "input/grid.h"
#include "input/labels.h"
#include "input/state_tables_ops.h"
#include "reports/text/table_writer.h"
#include "run/recording_host.h"
#include "run/simulation.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

std::size_t u(long long v) { return static_cast<std::size_t>(v); }

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<double> numbersIn(const std::string& s) {
    std::vector<double> v;
    std::istringstream in(s);
    for (double x; in >> x;) v.push_back(x);
    return v;
}

bool startsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

// Reads the expected tables part in the writer's order, filling the series.
class Reader {
public:
    explicit Reader(const std::string& text) : lines_(splitLines(text)) {}

    // Moves to the next line starting with the heading; false when none.
    bool seek(const std::string& heading) {
        for (std::size_t i = at_; i < lines_.size(); ++i)
            if (startsWith(lines_[i], heading)) {
                at_ = i + 1;
                return true;
            }
        ADD_FAILURE() << "no heading \"" << heading << "\" after line " << at_;
        return false;
    }
    // The next non-empty line, consumed.
    std::string next() {
        while (at_ < lines_.size() && lines_[at_].empty()) ++at_;
        return at_ < lines_.size() ? lines_[at_++] : std::string();
    }
    std::string peek() const {
        std::size_t i = at_;
        while (i < lines_.size() && lines_[i].empty()) ++i;
        return i < lines_.size() ? lines_[i] : std::string();
    }

    // A breakdown table under heading: rows of numbers after labels of labelWidth,
    // stored at row * width + start + c * step; extra numbers go to *extra.
    // False when the table was a zero-cases table.
    bool table(const std::string& heading, int rows, std::size_t labelWidth, Series& data, int width, int start,
               int step, Series* extra = nullptr) {
        if (!seek(heading)) return false;
        if (startsWith(peek(), "\t Zero cases")) return false;
        next(); // the year line
        for (int r = 0; r < rows; ++r) {
            const std::string line = next();
            const auto v = numbersIn(line.substr(std::min(line.size(), labelWidth + 2)));
            for (std::size_t c = 0; c < v.size(); ++c) {
                if (extra && c == v.size() - 1 && v.size() == 11) {
                    (*extra)[u(r)] = v[c];
                    continue;
                }
                const long long i = static_cast<long long>(r) * width + start + static_cast<long long>(c) * step;
                if (u(i) < data.size()) data[u(i)] = v[c];
            }
        }
        return true;
    }
    // Year rows ("%4d" and twelve values) under heading, into series from `from`.
    int months(const std::string& heading, std::vector<double>& series, std::size_t from, int years) {
        if (!seek(heading)) return 0;
        if (startsWith(peek(), "\t Zero cases")) return 0;
        next(); // "Year 1 2 ..."
        for (int y = 0; y < years; ++y) {
            const auto v = numbersIn(next());
            for (std::size_t i = 1; i < v.size() && i <= 12; ++i) {
                const std::size_t at = from + u(y) * 12 + i - 1;
                if (at < series.size()) series[at] = v[i];
            }
        }
        return years;
    }
    // A wrpro block: titled, the year rows and the average line.
    void wrpro(const std::string& heading, Series& series, std::size_t from, int years) {
        if (!seek(heading)) return;
        if (lines_[at_ - 1].find("zero cases") != std::string::npos) return;
        next();
        for (int y = 0; y < years; ++y) {
            const auto v = numbersIn(next());
            for (std::size_t i = 1; i <= 12 && i < v.size(); ++i) series[from + u(y) * 12 + i - 1] = v[i];
        }
        const std::string avg = next();
        series[from + u(years) * 12] = numbersIn(avg.substr(avg.find('=') + 1)).at(0);
    }

private:
    std::vector<std::string> lines_;
    std::size_t at_ = 0;
};

struct ReferenceTables {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;
    std::unique_ptr<Simulation> sim;
    std::string expected; ///< the tables part of the reference file

    explicit ReferenceTables(int set) {
        const std::string name = "reference/set" + std::to_string(set);
        dir.copyFrom(name);
        cfg.filePath = dir.file("run.kov");
        cfg.ReadFromFile();
        sim = std::make_unique<Simulation>(cfg, dir.str(), host);
        Simulation& s = *sim;
        resetStateTables(s.st);
        ApplyToRunParameters(cfg, s.ctx.params, nullptr);
        s.postprisonOption = s.ctx.params.PostprisonOption;
        EXPECT_TRUE(readTableDefinitions(s.filePath(GridFile), s.filePath(StockGridFile), s.postprisonOption,
                                         s.ctx.params.DualGuidelines, s.st, host));
        EXPECT_TRUE(readLabels(s.filePath(LabelsFile), s.st, host));
        TableSwitches sw;
        sw.felonyByAgeAndGender = true;
        EXPECT_TRUE(allocateStateTables(s.st, sw, host)) << host.joined();
        s.m_JailByDays.assign(3600, 0.0);
        s.m_Tsup.assign(600, 0.0);
        if (s.ctx.params.NorvaleCustomizations != 0) {
            s.programs = std::make_unique<Programs>();
            s.programs->Load(s.filePath(ProgramDefinitions), s.filePath(ProgramProbabilities),
                             s.st.count(VarFelonyType), s.st.count(VarOffense), s.ctx.params, s.ctx.crt, host);
        }
        const std::string full = test::readBytes(test::testDataPath(name + "/expected/" + cfg.value(SecFiles, TablesOutputFile)));
        const std::size_t last = full.rfind("(weighted) = ");
        expected = full.substr(full.find("\n\n", last) + 2);
        // The county table copies the county output file of the run.
        test::writeBytes(s.filePath(CountyOutputFile),
                         test::readBytes(test::testDataPath(name + "/expected/" + cfg.value(SecFiles, CountyOutputFile))));
        fill();
    }

    std::string label(int v, int r) const { return sim->st.Values[u(v)].labelsptr[u(r)].text; }

    void fill() {
        Simulation& s = *sim;
        StateTables& st = s.st;
        Reader in(expected);
        auto title = [&](int v) { return st.Values[u(v)].name; };
        for (int k = 1; k <= 7; ++k) {
            const std::string h = " Prison " + title(k - 1) + " ";
            in.table(h, st.count(k - 1), 8, st.Tops[u(k - 1)], 120, 11, 12, k == 5 ? &st.Timers : nullptr);
        }
        in.months("Prison - Total Count Per Month:", st.Tops[7], 0, 10);
        const std::string sw = s.ctx.params.ProbationWord.substr(0, 14), rw = s.ctx.params.ParoleWord.substr(0, 14);
        in.wrpro("New Prison Entries", st.Entry, 0, 10);
        in.wrpro("Prison Entries Due to " + sw + " Revocation", st.Prc, 0, 10);
        in.wrpro("Prison Entries Due to " + rw + " Revocation", st.Parc, 0, 10);
        in.wrpro("Entries Into Pre-release", st.Work, 0, 10);
        in.wrpro("Prison Entries Due to Failure of Pre-release", st.Pwrc, 0, 10);
        in.wrpro("Total Admissions", st.Totc, 0, 10);
        in.wrpro("Total Releases", st.Rel, 0, 10);
        if (s.programs)
            for (Program& p : s.programs->programs) {
                in.months(p.name, p.occupancy, u(p.backupYears) * 12, 10);
                p.admissionCount = static_cast<int>(numbersIn(in.next().substr(17)).at(0));
            }

        auto sanction = [&](std::array<Series, 8>& set, const std::string& name, int width, int start, bool daily) {
            for (int k = 1; k <= 7; ++k) {
                const bool byDays = daily && k == 5;
                const int v = byDays ? VarJailLength : k - 1;
                Series& data = set[u(k - 1)];
                const bool shown = in.table(" " + name + " " + title(v), st.count(v), 10, data, byDays ? 2520 : width,
                                            byDays ? 719 : start, byDays ? 360 : 12);
                // A by-days table also counts its sixth year-end day, which no column shows.
                if (shown && byDays) data[u(2519)] = 1.0;
            }
            in.months(name + " - Total Count Per Month:", set[7], u(start - 11), 5);
        };
        sanction(st.Tjail, "Jail", 85, 35, true);
        in.wrpro("Total Violations", st.Violations, 12, 5);
        fillDays(in);
        fillSupervision(in, sw);
        sanction(st.Trt, "Residential Treatment", 73, 23, true);
        sanction(st.Thd, "Home Detention", 73, 23, false);
        sanction(st.Tcs, "Community Service", 73, 23, false);
        sanction(st.Trest, "Restitution", 73, 23, false);
        sanction(st.Tfine, "Fines", 73, 23, false);

        for (int g = 0; g < st.count(VarGender); ++g)
            for (int a = 0; a < st.count(VarAge); ++a)
                in.table(" Prison " + title(VarOffense) + " for " + label(VarGender, g) + "s of age " + label(VarAge, a),
                         st.count(VarOffense), 8, st.CrimeByAgeAndGender[u(g)][u(a)], 120, 11, 12);
    }

    // Thirty days per month whose last value, mean, largest and smallest are the printed ones.
    void fillDays(Reader& in) {
        std::vector<double> end(60), mean(60), high(60), low(60);
        in.months("Jail count at the end of each month", end, 0, 5);
        in.months("Jail count average for each month", mean, 0, 5);
        in.months("Jail count high value for each month", high, 0, 5);
        in.months("Jail count low value for each month", low, 0, 5);
        for (std::size_t m = 0; m < 60; ++m) {
            double* d = &sim->m_JailByDays[720 + 30 * m];
            const double rest = (30 * mean[m] - low[m] - high[m] - end[m]) / 27.0;
            d[0] = low[m];
            d[1] = high[m];
            for (int i = 2; i < 29; ++i) d[i] = rest;
            d[29] = end[m];
        }
    }

    // The all-levels sum is of unrounded counts: spread its difference from the
    // rounded levels over the five levels, less than half a case each.
    void fillSupervision(Reader& in, const std::string& word) {
        std::vector<double> all(60);
        for (int level = 1; level <= 5; ++level)
            in.months(word + " Counts Per Month for Level " + std::to_string(level), sim->m_Tsup, u(level - 1) * 60, 5);
        in.months(word + " Counts Per Month for All Levels", all, 0, 5);
        for (std::size_t m = 0; m < 60; ++m) {
            double sum = 0;
            for (std::size_t level = 0; level < 5; ++level) sum += sim->m_Tsup[level * 60 + m];
            for (std::size_t level = 0; level < 5; ++level) sim->m_Tsup[level * 60 + m] += (all[m] - sum) / 5.0;
        }
    }

    std::string written() {
        TableOptions o = sim->tableOptions();
        o.tablesPath = dir.file("tables_only.out");
        TableWriter(*sim, o).writeAll();
        return test::readBytes(o.tablesPath);
    }
};

class TablesReference : public ::testing::TestWithParam<int> {};

TEST_P(TablesReference, PrintedNumbersGiveTheReferenceTables) {
    ReferenceTables r(GetParam());
    const std::string written = r.written();
    const auto want = splitLines(r.expected), got = splitLines(written);
    for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
        const std::string w = i < want.size() ? want[i] : "<end of file>";
        const std::string g = i < got.size() ? got[i] : "<end of file>";
        ASSERT_EQ(w, g) << "set" << GetParam() << " tables line " << i + 1;
    }
    EXPECT_EQ(r.expected, written); // line ends included
    EXPECT_TRUE(r.host.messages.empty()) << r.host.joined();
}

INSTANTIATE_TEST_SUITE_P(Sets, TablesReference, ::testing::Values(1, 2, 3, 4, 5, 6));

} // namespace
} // namespace kov
