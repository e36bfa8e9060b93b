// The run dialog over the demonstration data: a whole run, Abort, the error
// report, the wait loop after completion and the live-chart hook.
#include "config/run_configuration.h"
#include "reports/graphs/chart_image.h"
#include "support/configuration.h"
#include "support/text.h"
#include "ui/demo_copy.h"
#include "ui/live_chart_area.h"
#include "ui/run_dialog.h"
#include "ui/scripted_prompts.h"
#include "ui/text_viewer.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

namespace kov::ui {
namespace {

using test::ScriptedPrompts;

struct DemoRun : test::Demo {
    RunConfiguration cfg = kov::test::readConfiguration(dir.file("demo.kov"));
    ScriptedPrompts prompts;
    QString directory() const { return QString::fromStdString(dir.str()); }
};

TEST(RunDialog, RunsTheDemonstrationToCompletionAndWaits) {
    DemoRun r;
    CRunSim1 d(r.cfg, r.directory(), r.prompts);
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Run  Simulation Screen"));
    EXPECT_EQ(d.layoutNumber(), 1);
    EXPECT_EQ(d.chartArea(), nullptr);
    EXPECT_EQ(d.promptLine()->text(), QStringLiteral("Press Run Simulation to begin"));
    EXPECT_FALSE(d.viewOutputButton()->isEnabled());

    d.runButton()->click();
    EXPECT_EQ(d.state(), CRunSim1::State::Waiting);
    // 3000 court cases in the demonstration's microdata file.
    EXPECT_EQ(d.statusLine()->text(), QStringLiteral("Simulation Complete, 3000 Cases"));
    EXPECT_EQ(d.promptLine()->text(), QString());
    EXPECT_TRUE(r.dir.exists("tables.out"));
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(d.viewOutputButton()->isEnabled());
    EXPECT_TRUE(d.viewOutputWithButton()->isEnabled());
    EXPECT_FALSE(d.viewGraphsButton()->isEnabled()); // "Create Graphs" is 0
    EXPECT_TRUE(d.runButton()->isEnabled()); // a change and a rerun need no reopening
    EXPECT_TRUE(r.prompts.messages.isEmpty()) << r.prompts.messages.join('|').toStdString();

    // OK only starts the wait again; View Output hands the file to the desktop.
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.state(), CRunSim1::State::Waiting);
    d.viewOutputButton()->click();
    EXPECT_EQ(r.prompts.externallyOpened, QStringList{QString::fromStdString(r.dir.file("tables.out"))});
    EXPECT_TRUE(d.isVisible());
    // Exit closes.
    d.cancelButton()->click();
    EXPECT_FALSE(d.isVisible());
}

TEST(RunDialog, ViewOutputFallsBackToTheViewerWhichOutlivesTheDialog) {
    DemoRun r;
    QWidget owner;
    const QString tables = QString::fromStdString(r.dir.file("tables.out"));
    {
        CRunSim1 d(r.cfg, r.directory(), r.prompts, {}, &owner);
        d.show();
        d.OnRunSim();
        ASSERT_EQ(d.state(), CRunSim1::State::Waiting);
        d.viewOutputWithButton()->click();
        EXPECT_TRUE(d.isVisible());
        // A desktop with no program for the file: the program's own viewer, and the dialog waits on.
        r.prompts.openExternallyWorks = false;
        d.viewOutputButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.findChildren<TextViewer*>().size(), 2);
        EXPECT_TRUE(r.prompts.messages.isEmpty());
        // With no file to show either, the message says so and the dialog closes.
        std::filesystem::remove(r.dir.file("tables.out"));
        d.viewOutputButton()->click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(r.prompts.messages, QStringList{QStringLiteral("Could not run Notepad on ") + tables});
    }
    // The viewers stay open under the dialog's owner when it is gone.
    const QList<TextViewer*> viewers = owner.findChildren<TextViewer*>();
    ASSERT_EQ(viewers.size(), 2);
    for (TextViewer* v : viewers) {
        EXPECT_EQ(v->path(), tables);
        EXPECT_TRUE(v->isVisible());
    }
}

TEST(RunDialog, AbortDuringTheRunStopsItAndTheButtonBecomesExit) {
    DemoRun r;
    CRunSim1 d(r.cfg, r.directory(), r.prompts);
    d.show();
    bool nestedRunReturnedAtOnce = false;
    // Runs inside the run's first pump: a second Run is refused, Cancel asks the run to stop.
    QTimer::singleShot(0, &d, [&] {
        EXPECT_EQ(d.state(), CRunSim1::State::Running);
        EXPECT_FALSE(d.runButton()->isEnabled());
        d.runButton()->click(); // disabled: nothing happens
        d.OnRunSim();           // and the guard refuses a direct call
        nestedRunReturnedAtOnce = d.state() == CRunSim1::State::Running;
        d.reject(); // Escape and the close box do the same as Cancel
        EXPECT_TRUE(d.isVisible());
        d.cancelButton()->click();
    });
    d.OnRunSim();
    EXPECT_TRUE(nestedRunReturnedAtOnce);
    EXPECT_EQ(d.state(), CRunSim1::State::ErrorShown);
    EXPECT_EQ(d.statusLine()->text(), QStringLiteral("User Canceled Simulation"));
    EXPECT_EQ(d.promptLine()->text(), QString());
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(d.runButton()->isEnabled());
    EXPECT_FALSE(r.dir.exists("tables.out")); // no summary report after a cancel

    // A new run in the same dialog goes to its end.
    d.OnRunSim();
    EXPECT_EQ(d.statusLine()->text(), QStringLiteral("Simulation Complete, 3000 Cases"));
    d.cancelButton()->click();
    EXPECT_FALSE(d.isVisible());
}

TEST(RunDialog, AFailedRunSaysWhatAndWhereInOneBoxAndCanBeRunAgain) {
    // A file that is not there, with what its cause code means; a labels file cut short, with its line.
    const std::pair<std::function<void(DemoRun&)>, std::string> cases[] = {
        {[](DemoRun& r) { r.cfg.setValue(SecFiles, CourtMicrodataFile, "missing.inp"); },
         "File @DIR@/missing.inp could not be opened, cause = 2 (No such file or directory)\n\nin missing.inp"},
        {[](DemoRun& r) {
             const std::string labels = r.dir.read("labels.inp");
             r.dir.write("labels.inp", labels.substr(0, labels.find('\n', labels.find('\n') + 1) + 1));
         },
         "Labels file invalid, 3, i = 0, j = 1\n\n"
         "in labels.inp, line 3; the file ends where label 2 of Gender was expected"}};
    for (const auto& [spoil, says] : cases) {
        DemoRun r;
        spoil(r);
        CRunSim1 d(r.cfg, r.directory(), r.prompts);
        d.show();
        d.OnRunSim();
        EXPECT_EQ(d.state(), CRunSim1::State::ErrorShown);
        EXPECT_EQ(d.statusLine()->text(), QStringLiteral("Simulation Canceled, an error occurred"));
        const std::string message = kov::test::replaceAll(says, "@DIR@", r.dir.str());
        EXPECT_TRUE(r.prompts.messages.contains(QString::fromStdString(message)))
            << r.prompts.messages.join('|').toStdString();
        EXPECT_TRUE(d.runButton()->isEnabled());
        EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("Exit"));
        EXPECT_TRUE(d.isVisible());
        d.cancelButton()->click();
        EXPECT_FALSE(d.isVisible());
    }
}

TEST(RunDialog, GraphLayoutRefreshesTheLiveChartOnlyWithAPositiveInterval) {
    DemoRun r;
    r.cfg.setValue(SecRun, ShowGraph, "1");
    int draws = 0;
    QWidget* drawnInto = nullptr;
    const CRunSim1::LiveChartRenderer renderer = [&](QWidget* area, const Series& totals,
                                                     const std::vector<std::string>& labels) {
        ++draws;
        drawnInto = area;
        EXPECT_EQ(totals.size(), 120u);
        EXPECT_EQ(labels.size(), 120u);
    };
    {
        // The demonstration's interval is 500: one refresh per 500 cases.
        CRunSim1 d(r.cfg, r.directory(), r.prompts, renderer);
        EXPECT_EQ(d.layoutNumber(), 2);
        ASSERT_NE(d.chartArea(), nullptr);
        EXPECT_EQ(d.graphInterval(), 500);
        d.OnRunSim();
        EXPECT_EQ(d.state(), CRunSim1::State::Waiting);
        // After 500, 1000, ..., 2500 cases and at the end, as often as the refresh allows.
        EXPECT_GE(draws, 1);
        EXPECT_LE(draws, 6);
        EXPECT_EQ(drawnInto, d.chartArea());
    }
    {
        // A chart for every case is drawn a few times a second at most, and at the end.
        draws = 0;
        r.cfg.setValue(SecRun, CasesBetweenGraphs, "1");
        CRunSim1 d(r.cfg, r.directory(), r.prompts, renderer);
        QElapsedTimer clock;
        clock.start();
        d.OnRunSim();
        EXPECT_GE(draws, 1);
        EXPECT_LE(draws, 2 + clock.elapsed() / CRunSim1::RefreshMilliseconds);
    }
    for (const char* interval : {"0", "", "-5"}) {
        // Never refreshed, and the run goes on.
        draws = 0;
        r.cfg.setValue(SecRun, CasesBetweenGraphs, interval);
        CRunSim1 d(r.cfg, r.directory(), r.prompts, renderer);
        d.OnRunSim();
        EXPECT_EQ(d.state(), CRunSim1::State::Waiting) << interval;
        EXPECT_EQ(draws, 0) << interval;
    }
}

TEST(RunDialog, TheLiveChartEndsOnTheTotalsTheRunWrites) {
    DemoRun r;
    r.cfg.setValue(SecRun, ShowGraph, "1");
    // An interval that does not divide the 3000 cases, and one that does.
    for (const char* interval : {"700", "500"}) {
        r.cfg.setValue(SecRun, CasesBetweenGraphs, interval);
        Series last;
        CRunSim1 d(r.cfg, r.directory(), r.prompts,
                   [&](QWidget* area, const Series& totals, const std::vector<std::string>& labels) {
                       last = totals;
                       drawLiveTotalsChart(area, totals, labels);
                   });
        d.show();
        d.OnRunSim();
        ASSERT_EQ(d.state(), CRunSim1::State::Waiting) << r.prompts.messages.join('|').toStdString();
        ASSERT_EQ(last.size(), 120u);
        // The summary's prison total in the twelfth month of each year, and the highest month, as written.
        const std::string tables = r.dir.read("tables.out");
        const auto row = [&](const char* name) {
            const std::size_t at = tables.find(name);
            EXPECT_NE(at, std::string::npos) << name;
            std::istringstream numbers(tables.substr(at + 9, tables.find('\n', at) - at - 9));
            std::vector<double> out(10, -1.0);
            for (double& v : out) numbers >> v;
            return out;
        };
        const std::vector<double> twelfth = row(" 12th Mo."), high = row(" High Mo.");
        for (std::size_t year = 0; year < 10; ++year)
            EXPECT_NEAR(last[12 * year + 11], twelfth[year], 0.5) << interval << " year " << year;

        // On screen: the top of the line, read against the grid lines drawn for the axis's ticks.
        auto* view = d.chartArea()->findChild<QChartView*>();
        ASSERT_NE(view, nullptr);
        const QImage shown = d.grab().toImage();
        const QPoint origin = view->mapTo(&d, QPoint(0, 0));
        const auto* axis = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
        ASSERT_NE(axis, nullptr);
        std::vector<int> gridRows;
        int top = -1;
        for (int y = origin.y(); y < origin.y() + view->height(); ++y) {
            int grey = 0;
            for (int x = origin.x(); x < origin.x() + view->width(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                if (c == QColor(0xC0, 0xC0, 0xC0)) ++grey;
                if (top < 0 && c == reports::lineColour(0)) top = y;
            }
            if (grey > view->width() / 2) gridRows.push_back(y);
        }
        ASSERT_GE(gridRows.size(), 2u);
        ASSERT_GE(top, 0);
        const double perPixel = axis->tickInterval() / (gridRows[1] - gridRows[0]);
        const double peakShown = axis->tickInterval() * static_cast<double>(gridRows.size()) -
                                 (top - gridRows.front()) * perPixel;
        const double peakWritten = *std::max_element(high.begin(), high.end());
        // A pixel of the plot is about 100 people.
        EXPECT_NEAR(peakShown, peakWritten, peakWritten * 0.01) << interval;
    }
}

TEST(RunDialog, EnterRunsAgainTheProgressCountsTheCasesAndTheChartGrows) {
    DemoRun r;
    r.cfg.setValue(SecRun, ShowGraph, "1");
    CRunSim1 d(r.cfg, r.directory(), r.prompts, drawLiveTotalsChart);
    d.show();
    QTest::keyClick(&d, Qt::Key_Return);
    ASSERT_EQ(d.state(), CRunSim1::State::Waiting) << r.prompts.messages.join('|').toStdString();
    EXPECT_EQ(d.progressBar()->text(), QStringLiteral("3000 of 3000 cases (100%)"));
    EXPECT_TRUE(d.runButton()->isEnabled());

    // A changed input and a second run straight from the wait, by Enter again:
    // 50 more cases, a count the case loop does not report by itself.
    const std::string cases = r.dir.read("courtm.inp");
    std::size_t end = 0;
    for (int i = 0; i < 50; ++i) end = cases.find('\n', end) + 1;
    r.dir.write("courtm.inp", cases + cases.substr(0, end));
    std::filesystem::remove(r.dir.file("tables.out"));
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_EQ(d.state(), CRunSim1::State::Waiting);
    EXPECT_TRUE(r.dir.exists("tables.out"));
    EXPECT_EQ(d.progressBar()->text(), QStringLiteral("3050 of 3050 cases (100%)"));
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("Exit"));

    auto* view = d.chartArea()->findChild<QChartView*>();
    ASSERT_NE(view, nullptr);
    const QSize before = view->size();
    d.resize(d.width() + 300, d.height() + 200);
    QApplication::processEvents();
    EXPECT_GT(view->width(), before.width());
    EXPECT_GT(view->height(), before.height());
}

} // namespace
} // namespace kov::ui
