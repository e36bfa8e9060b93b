// The graph files of a run: which graphs are drawn, what each shows, where
// its lines fall in the 400 x 250 picture, and the shared vertical scale.
#include "reports/hooks/install_hooks.h"
#include "reports/graphs/chart_image.h"
#include "reports/graphs/graph_content.h"
#include "reports/graphs/graph_writer.h"
#include "reports/graphs/live_chart.h"
#include "reports/hand_run.h"
#include "support/set_run.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace kov {
namespace {

using reports::LineChart;
using test::HandRun;
using test::ScratchDir;

// Share of the sampled months at which line i's colour lies within two pixels
// of where its value belongs on the plot area. Months where a line drawn later
// passes within two pixels (and may cover it) are not sampled; a line covered
// all along counts as shown.
double hitRate(const QImage& image, const LineChart& content, std::size_t i) {
    const QRgb colour = reports::lineColour(static_cast<int>(i)).rgb() & 0xFFFFFFU;
    const auto& values = content.lines[i].values;
    const int n = static_cast<int>(values.size());
    const auto yOf = [&](std::size_t line, int m) {
        return reports::pointY(content.lines[line].values[static_cast<std::size_t>(m)], content);
    };
    int samples = 0, hits = 0;
    for (int m = 0; m < n; m += 2) {
        bool covered = false;
        for (std::size_t later = i + 1; later < content.lines.size() && !covered; ++later)
            covered = std::fabs(yOf(later, m) - yOf(i, m)) <= 2.0;
        if (covered) continue;
        ++samples;
        const int x = static_cast<int>(std::lround(reports::pointX(m, n)));
        const int y = static_cast<int>(std::lround(yOf(i, m)));
        bool hit = false;
        for (int dx = -2; dx <= 2 && !hit; ++dx)
            for (int dy = -2; dy <= 2 && !hit; ++dy)
                hit = image.valid(x + dx, y + dy) && (image.pixel(x + dx, y + dy) & 0xFFFFFFU) == colour;
        hits += hit ? 1 : 0;
    }
    return samples == 0 ? 1.0 : static_cast<double>(hits) / samples;
}

TEST(AxisUpperLimit, RaisesTheIntegerPartToTheNextThousand) {
    // Worked by the rule: 12,345 mod 1000 = 345, so 12,345.6 + 655 = 13,000.6;
    // 12,000 mod 1000 = 0 keeps 12,000.4; 999.9 + 1 = 1,000.9.
    EXPECT_DOUBLE_EQ(reports::axisUpperLimit({1.0, 12345.6, 3.0}), 13000.6);
    EXPECT_DOUBLE_EQ(reports::axisUpperLimit({12000.4}), 12000.4);
    EXPECT_DOUBLE_EQ(reports::axisUpperLimit({999.9}), 1000.9);
    EXPECT_DOUBLE_EQ(reports::axisUpperLimit({0.0, 0.0}), 0.0);
    // Only the 120 months count, not the 121st cell.
    Series s(121, 10.0);
    s[120] = 50000.0;
    EXPECT_DOUBLE_EQ(reports::axisUpperLimit(s), 1000.0);
}

TEST(GraphContent, EachGraphDrawsTheSeriesItsNameSays) {
    HandRun run;
    run.setVariable(VarOffense, "Offense", {"Person", "Property", "Drug"});
    run.setVariable(VarSentenceLength, "Sentence Length", {"1", "13"});
    run.engine().ctx.params.ProbationWord = "Probation";
    run.engine().ctx.params.ParoleWord = "Parole and Post-Release"; // quoted by its first 14 characters
    const auto chart = [&](int i) { return reports::graphChart(i, run.st(), run.engine().ctx.params, {}); };

    // (The demonstration's graphs below are named by the rows of their tables.)
    const LineChart sl = chart(3), offense = chart(4);
    EXPECT_EQ(sl.title, "Prison Sentence Length Totals");
    EXPECT_DOUBLE_EQ(sl.lines.at(1).values[5], HandRun::tableValue(VarSentenceLength, 1, 5));
    EXPECT_EQ(offense.title, "Prison Offense Type Totals");
    EXPECT_DOUBLE_EQ(offense.lines.at(2).values[0], HandRun::tableValue(VarOffense, 2, 0));

    const LineChart totals = chart(7);
    EXPECT_EQ(totals.title, "Prison Totals");
    ASSERT_EQ(totals.lines.size(), 1u);
    EXPECT_TRUE(totals.lines[0].name.empty());
    // Largest total 5000 + 10 x 119 = 6190, so every graph's axis runs from -1 to 7000.
    EXPECT_DOUBLE_EQ(totals.yMin, -1.0);
    EXPECT_DOUBLE_EQ(totals.yMax, 7000.0);
    EXPECT_DOUBLE_EQ(sl.yMax, 7000.0);
    EXPECT_EQ(totals.xLabels[11], "2025");
    EXPECT_EQ(totals.xLabels[12], "2026");

    const LineChart admissions = chart(8);
    EXPECT_EQ(admissions.title, "Entry/Exit for Admissions and Releases");
    ASSERT_EQ(admissions.lines.size(), 2u);
    EXPECT_EQ(admissions.lines[0].name, "Total Admissions");
    EXPECT_EQ(admissions.lines[1].name, "Total Releases");
    EXPECT_DOUBLE_EQ(admissions.lines[1].values[3], 383.0);

    const LineChart other = chart(9);
    EXPECT_EQ(other.title, "Entry/Exit Other");
    ASSERT_EQ(other.lines.size(), 5u);
    EXPECT_EQ(other.lines[0].name, "Not Probation or Parole and Pos Revocation ");
    EXPECT_EQ(other.lines[1].name, "Probation Revocation ");
    EXPECT_EQ(other.lines[2].name, "Parole and Pos Revocation ");
    EXPECT_EQ(other.lines[3].name, " Pre-release ");
    EXPECT_EQ(other.lines[4].name, " Failure of Pre-release ");
    EXPECT_DOUBLE_EQ(other.lines[4].values[2], 12.0);

    // Empty words are the default ones.
    run.engine().ctx.params.ProbationWord.clear();
    run.engine().ctx.params.ParoleWord.clear();
    EXPECT_EQ(chart(9).lines[0].name, "Not Supervision or Release Revocation ");

    // A table without rows still gives a chart, with title and axes only.
    const LineChart gender = chart(0);
    EXPECT_EQ(gender.title, "Prison Gender Totals");
    EXPECT_TRUE(gender.lines.empty());
    EXPECT_EQ(reports::renderChart(gender).size(), QSize(400, 250));
}

TEST(LiveChart, StartsAtZeroAndNeverHasAnAxisOfZeroHeight) {
    const std::vector<std::string> labels(120, "2030");
    LineChart content = reports::liveTotalsChart(Series(120, 0.0), labels);
    EXPECT_EQ(content.title, "Prison Totals");
    EXPECT_DOUBLE_EQ(content.yMin, 0.0);
    EXPECT_DOUBLE_EQ(content.yMax, 1000.0); // an empty prison: the axis keeps a height
    Series totals(120, 100.0);
    totals[40] = 12345.6;
    content = reports::liveTotalsChart(totals, labels);
    EXPECT_DOUBLE_EQ(content.yMax, 13000.6);
    const QImage image = reports::renderLiveTotalsChart(totals, labels);
    EXPECT_EQ(image.size(), QSize(400, 250));
    EXPECT_GT(hitRate(image, content, 0), 0.9);
}

TEST(GraphFiles, OnlySelectedGraphsAreWrittenAndAFailedFileDoesNotStopTheOthers) {
    HandRun run;
    run.setVariable(VarGender, "Gender", {"Male", "Female"});
    run.setVariable(VarRace, "Race", {"White", "Black"});
    for (int i = 0; i < reports::GraphCount; ++i) run.cfg.setValue(SecGraphs, i, "0");
    EXPECT_TRUE(reports::writeGraphFiles(*run.sim).empty());
    EXPECT_FALSE(run.dir.exists("gender.bmp"));

    run.cfg.setValue(SecGraphs, 0, "1");
    run.cfg.setValue(SecGraphs, 1, "1");
    run.cfg.setValue(SecGraphs, 7, "1");
    run.cfg.setValue(SecGraphFiles, 0, "missing folder\\gender.bmp");
    run.cfg.setValue(SecGraphFiles, 7, run.dir.file("elsewhere.png")); // a name with its own folder
    const auto written = reports::writeGraphFiles(*run.sim);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0], run.dir.file("race.bmp"));
    EXPECT_TRUE(run.dir.exists("race.bmp"));
    EXPECT_TRUE(run.dir.exists("elsewhere.png"));
    EXPECT_TRUE(run.host.saw("Error writing file " + run.dir.file("missing folder/gender.bmp"))) << run.host.joined();
}

TEST(GraphFiles, TheFormatFollowsTheNamesSuffix) {
    HandRun run;
    run.setVariable(VarGender, "Gender", {"Male", "Female"});
    const LineChart content = reports::graphChart(0, run.st(), run.engine().ctx.params, {});
    const std::array<std::pair<const char*, std::string>, 6> cases{{{"a.bmp", "BM"},
                                                                   {"a.PNG", "\x89PNG"},
                                                                   {"a.jpg", "\xFF\xD8"},
                                                                   {"a.jpeg", "\xFF\xD8"},
                                                                   {"a.svg", "<?xml"},
                                                                   {"a.unknown", "BM"}}};
    for (const auto& [name, magic] : cases) {
        ASSERT_TRUE(reports::saveChart(content, run.dir.file(name))) << name;
        EXPECT_EQ(test::readPrefix(run.dir.file(name), magic.size()), magic) << name;
    }
    EXPECT_NE(run.dir.read("a.svg").find("Prison Gender Totals"), std::string::npos);
    EXPECT_EQ(QImage(QString::fromStdString(run.dir.file("a.jpg"))).size(), QSize(400, 250));
}

TEST(GraphFiles, TheCheckOfLinePositionsCatchesAMissingOrFlatLine) {
    HandRun run;
    run.setVariable(VarGender, "Gender", {"Male", "Female"});
    LineChart content = reports::graphChart(7, run.st(), run.engine().ctx.params, {});
    const QImage drawn = reports::renderChart(content);
    EXPECT_GT(hitRate(drawn, content, 0), 0.9);

    LineChart flat = content;
    flat.lines[0].values.assign(120, 5000.0);
    EXPECT_LT(hitRate(reports::renderChart(flat), content, 0), 0.2);
    LineChart none = content;
    none.lines.clear();
    EXPECT_EQ(hitRate(reports::renderChart(none), content, 0), 0.0);
    // A line drawn in another line's colour is caught too.
    LineChart swapped = content;
    swapped.lines.insert(swapped.lines.begin(), reports::ChartLine{"", Series(120, -1.0)});
    EXPECT_LT(hitRate(reports::renderChart(swapped), content, 0), 0.2);
}

// The demonstration run with graphs on: ten files, each the picture of its
// series, every line where its data put it.
TEST(GraphFiles, TheDemonstrationRunDrawsAllTenGraphs) {
    test::SetRun demo("../data/demo", "demo.kov");
    const ScratchDir& dir = demo.dir;
    demo.cfg.setValue(SecRun, CreateGraphs, "1");
    const auto made = demo.simulation();
    Simulation& sim = *made;
    RecordingHost& host = demo.host;
    sim.reports = reports::standardReportHooks();
    std::vector<LineChart> contents;
    StateTables kept;
    const auto writer = sim.reports.writeGraphs;
    sim.reports.writeGraphs = [&](const Simulation& s) {
        for (int i = 0; i < reports::GraphCount; ++i)
            contents.push_back(reports::graphChart(i, s.engine().st, s.engine().ctx.params, s.engine().m_MonthLabels));
        kept.Values = s.engine().st.Values;
        return writer(s);
    };
    ASSERT_EQ(sim.OnRunSim(), RunOutcome::Completed) << host.joined();
    ASSERT_EQ(contents.size(), 10u);
    EXPECT_NE(std::find(host.statuses.begin(), host.statuses.end(), "Creating Graph Files, Please Standby"),
              host.statuses.end());

    const char* files[] = {"gender.bmp", "race.bmp",   "age.bmp",    "sl.bmp",       "offense.bmp",
                           "felony.bmp", "region.bmp", "totals.bmp", "entryex1.bmp", "entryex2.bmp"};
    ASSERT_EQ(sim.m_GraphFiles.size(), 10u);
    for (int i = 0; i < reports::GraphCount; ++i) {
        const auto& content = contents[static_cast<std::size_t>(i)];
        SCOPED_TRACE(files[i]);
        EXPECT_EQ(sim.m_GraphFiles[static_cast<std::size_t>(i)], dir.file(files[i]));
        const QImage image = QImage(QString::fromStdString(dir.file(files[i]))).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.size(), QSize(400, 250));
        EXPECT_EQ(image, reports::renderChart(content));
        // Sentence Length shows the sentence-length rows, Offense Type the offense rows.
        if (i < 7) {
            const auto& var = kept.Values[static_cast<std::size_t>(reports::graphTable(i))];
            ASSERT_EQ(content.lines.size(), static_cast<std::size_t>(var.count));
            for (int r = 0; r < var.count; ++r)
                EXPECT_EQ(content.lines[static_cast<std::size_t>(r)].name, var.labelsptr[static_cast<std::size_t>(r)].text);
        }
        // Every line shows where its data put it (allowing for a stray month).
        std::ostringstream rates;
        double lowest = 1.0;
        for (std::size_t l = 0; l < content.lines.size(); ++l) {
            const double rate = hitRate(image, content, l);
            rates << content.lines[l].name << "=" << rate << " ";
            lowest = std::min(lowest, rate);
        }
        EXPECT_GT(lowest, 0.9) << rates.str();
    }
    EXPECT_EQ(contents[3].lines.size(), 7u); // seven sentence-length groups in the demonstration labels
    EXPECT_EQ(contents[4].lines.size(), 6u); // six offenses
}

} // namespace
} // namespace kov
