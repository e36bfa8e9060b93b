// The What-if window driven as a person drives it: levers moved and moved
// back give the base again; a lever moved twice quickly shows only the newest
// projection, which is the run of its policy; the levers saved as a scenario
// run as the command line runs that scenario, and the Compare window shows
// its costs, whom it affects and the observed counts.
#include "reports/csv/csv_format.h"
#include "results/run_for_results.h"
#include "scenarios/compare_csv.h"
#include "support/run_cli.h"
#include "ui/compare_window.h"
#include "ui/copy_table.h"
#include "ui/demo_copy.h"
#include "ui/lever_row.h"
#include "ui/main_frame.h"
#include "ui/scenarios_panel.h"
#include "ui/scripted_prompts.h"
#include "ui/what_if_window.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace kov::ui {
namespace {

using test::Demo;
using test::ScriptedPrompts;

struct WhatIfSession {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame{prompts};
    WhatIfWindow& w = *frame.whatIf();
    WhatIfSession() {
        frame.show();
        EXPECT_TRUE(frame.loadConfiguration(demo.kov("demo-stock.kov")));
        frame.action(QStringLiteral("viewWhatIf"))->trigger();
        EXPECT_TRUE(settle());
        EXPECT_TRUE(w.baseResult().has_value()) << w.statusLabel()->text().toStdString();
    }
    bool settle() { return QTest::qWaitFor([this] { return !w.running(); }, 300000); }
    /// Drags the lever's slider to v and lets it go.
    static void slide(LeverRow* lever, double v) {
        QSlider* s = lever->slider();
        s->setSliderDown(true);
        s->setValue(static_cast<int>(std::lround((v - lever->field()->minimum()) / lever->field()->singleStep())));
        s->setSliderDown(false);
    }
    void chooseGroup(const char* name) { w.groupChoice()->setCurrentIndex(w.groupChoice()->findText(QString::fromLatin1(name))); }
    std::string shownSeries() const { return csvText(w.shownResult()->series); }
    std::string baseSeries() const { return csvText(w.baseResult()->series); }
};

/// The lines of a CSV text whose table is a total series (the window runs for
/// its totals only), with the header.
std::string totalLines(const std::string& csv) {
    std::istringstream in(csv);
    std::string out, line;
    for (bool header = true; std::getline(in, line); header = false)
        if (header || line.find(" - Total Count Per Month:,") != std::string::npos ||
            line.find(" Counts Per Month for All Levels,") != std::string::npos)
            out += line + '\n';
    return out;
}

std::vector<std::string> lines(std::initializer_list<const char*> l) { return {l.begin(), l.end()}; }

TEST(WhatIf, LeversMovedAndMovedBackGiveTheBaseAgain) {
    WhatIfSession s;
    WhatIfWindow& w = s.w;
    ASSERT_EQ(s.shownSeries(), s.baseSeries());

    s.chooseGroup("Class E");
    s.slide(w.admissionsLever(), 10);
    w.tableChoice()->setCurrentIndex(w.tableChoice()->findText(QStringLiteral("Drug")));
    w.scopeChoice()->setCurrentIndex(1); // one row
    w.rowChoice()->setValue(2);
    w.prisonLever()->field()->setValue(0.8);
    LeverRow* preRelease = w.releaseLevers()[1];
    const double months = preRelease->value();
    s.slide(preRelease, months + 2);
    ASSERT_TRUE(s.settle());
    ASSERT_EQ(w.shownLines(), lines({"set RELEASE PARAMETERS/Length of pre-release=6",
                                     "admissions \"Class E\" x 1.1", "probability prison table Drug row 2 x 0.8"}))
        << w.statusLabel()->text().toStdString();
    EXPECT_NE(s.shownSeries(), s.baseSeries());
    // The difference by year: the prison population moves against the base.
    const CopyTable& table = *w.table();
    const int years = w.baseResult()->years;
    ASSERT_EQ(table.columnCount(), years + 1);
    ASSERT_EQ(table.horizontalHeaderItem(years)->text(), QString::number(w.baseResult()->firstYear + years - 1));
    EXPECT_NE(table.item(2, years)->text(), QStringLiteral("0"));

    // Each lever back where it was: the base, every series to the last bit.
    s.slide(w.admissionsLever(), 0);
    w.prisonLever()->field()->setValue(1);
    s.slide(preRelease, months);
    ASSERT_TRUE(s.settle());
    EXPECT_TRUE(w.shownLines().empty());
    EXPECT_EQ(s.shownSeries(), s.baseSeries());
    for (int y = 1; y <= years; ++y) EXPECT_EQ(table.item(2, y)->text(), QStringLiteral("0")) << y;

    // The chart exports as the person names it.
    s.prompts.saveNames.push_back(QString::fromStdString(s.demo.dir.file("what-if.pdf")));
    w.exportButton()->click();
    EXPECT_EQ(s.demo.dir.read("what-if.pdf").substr(0, 4), "%PDF");
    EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join('|').toStdString();
}

TEST(WhatIf, AMoveBeforeTheProjectionEndsCancelsItAndTheNewestIsTheRunOfItsPolicy) {
    WhatIfSession s;
    WhatIfWindow& w = s.w;
    s.chooseGroup("Class B");
    s.slide(w.admissionsLever(), 5);
    ASSERT_TRUE(s.settle());
    const std::vector<std::string> first = w.shownLines();
    ASSERT_EQ(first, lines({"admissions \"Class B\" x 1.05"}));
    const std::string firstSeries = s.shownSeries();

    // What was on show when each projection ended.
    std::vector<std::pair<bool, std::vector<std::string>>> ends;
    QObject::connect(&w, &WhatIfWindow::projectionEnded, &w, [&](bool shown) { ends.emplace_back(shown, w.shownLines()); });
    s.slide(w.admissionsLever(), 10);
    s.slide(w.admissionsLever(), 15);
    EXPECT_EQ(w.shownLines(), first);
    EXPECT_EQ(s.shownSeries(), firstSeries);
    ASSERT_TRUE(s.settle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.size() == 2; }, 60000));
    const std::vector<std::string> newest = lines({"admissions \"Class B\" x 1.15"});
    int shown = 0;
    for (const auto& [wasShown, onShow] : ends) {
        shown += wasShown;
        // The cancelled one left on show what was there: the first, or the newest had it ended before.
        if (!wasShown) {
            EXPECT_TRUE(onShow == first || onShow == newest);
        }
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(w.shownLines(), newest);

    // The newest is the run of the policy the lever stands for.
    PolicyChanges policy;
    policy.admissions.push_back({"Class B", ChangeMode::Scale, 1.15, 0, {}});
    const FinishedRun direct = runForResults(w.base()->cfg, w.base()->dataDirectory, policy, {});
    ASSERT_TRUE(direct.ok) << direct.message;
    EXPECT_EQ(s.shownSeries(), totalLines(csvText(direct.result.series)));
}

TEST(WhatIf, LeversSavedAsAScenarioRunAsTheCommandLineRunsIt) {
    WhatIfSession s;
    WhatIfWindow& w = s.w;
    s.chooseGroup("Class E");
    s.slide(w.admissionsLever(), -10);
    w.tableChoice()->setCurrentIndex(w.tableChoice()->findText(QStringLiteral("Nondrug")));
    w.scopeChoice()->setCurrentIndex(1);
    w.rowChoice()->setValue(9);
    s.slide(w.sentenceLever(), 1.25);
    w.fromYear()->setValue(2027);
    s.slide(w.releaseLevers()[1], 2);
    ASSERT_TRUE(s.settle());
    ASSERT_EQ(w.shownLines(),
              lines({"set RELEASE PARAMETERS/Length of pre-release=2", "admissions \"Class E\" x 0.9 from 2027",
                     "sentence table Nondrug row 9 x 1.25 from 2027"}))
        << w.statusLabel()->text().toStdString();

    w.saveButton()->click();
    ScenariosPanel& panel = *s.frame.scenarios();
    ASSERT_EQ(panel.scenarioCount(), 1);
    EXPECT_EQ(panel.list()->item(1)->text(), QStringLiteral("What-if 1"));
    s.prompts.saveNames.push_back(QString::fromStdString(s.demo.dir.file("mine.txt")));
    ASSERT_TRUE(panel.onSave());
    const auto cli = kov::test::kovary(s.demo.dir, "compare \"" + s.demo.dir.file("demo-stock.kov") + "\" \"" +
                                                       s.demo.dir.file("mine.txt") + "\" --no-charts --costs \"" +
                                                       s.demo.dir.file("costs.txt") + "\" --out \"" +
                                                       s.demo.dir.file("cli") + "\"");
    ASSERT_EQ(cli.code, 0) << cli.err;
    scenarios::Comparison shown;
    shown.names = {"base", "What-if 1"};
    shown.results = {*w.baseResult(), *w.shownResult()};
    EXPECT_EQ(scenarios::compareCsv(shown), totalLines(s.demo.dir.read("cli/compare.csv")));

    // Compared from the panel: the costs the command line wrote, whom it affects, the observed counts.
    QSignalSpy ended(&panel, &ScenariosPanel::comparisonEnded);
    panel.compareButton()->click();
    ASSERT_TRUE(ended.wait(300000));
    CompareWindow& view = *panel.compareWindow();
    s.prompts.openNames.push_back(QString::fromStdString(s.demo.dir.file("costs.txt")));
    view.costsButton()->click();
    EXPECT_EQ(view.tabs()->currentIndex(), 1);
    const CopyTable& costs = *view.costTable();
    std::vector<std::string> csv;
    std::istringstream in(s.demo.dir.read("cli/compare-costs.csv"));
    for (std::string line; std::getline(in, line);) csv.push_back(line);
    ASSERT_EQ(costs.rowCount() + 1, static_cast<int>(csv.size()));
    for (int r = 0; r < costs.rowCount(); ++r) {
        // bed_difference, the seventh field, to the tenth the table shows.
        std::string field = csv[static_cast<std::size_t>(r) + 1];
        for (int f = 0; f < 6; ++f) field.erase(0, field.find(',') + 1);
        const double beds = std::stod(field.substr(0, field.find(',')));
        QString shownBeds = costs.item(r, 6)->text();
        shownBeds.remove(QLatin1Char(',')).remove(QLatin1Char('+'));
        EXPECT_NEAR(shownBeds.toDouble(), beds, 0.05 + 1e-9) << r;
    }
    EXPECT_EQ(view.breakdowns()->itemText(0), QStringLiteral("Race"));
    EXPECT_GT(view.impactTable()->rowCount(), 0);
    EXPECT_EQ(view.impactTable()->item(2, 2)->text(), QStringLiteral("difference"));

    s.prompts.openNames.push_back(QString::fromStdString(s.demo.dir.file("actuals.csv")));
    view.actualsButton()->click();
    ASSERT_FALSE(view.chart()->actuals.empty());
    EXPECT_EQ(view.chart()->actuals.front(), 15253); // actuals.csv's prison count of January 2025
    EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join('|').toStdString();
}

} // namespace
} // namespace kov::ui
