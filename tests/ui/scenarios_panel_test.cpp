// The Scenarios panel: a scenario typed into it and saved runs the same from
// the command line as in the window; the Compare window's table and chart
// export; a change that does not read is shown and blocks Compare; a
// cancelled comparison leaves the one before on show.
#include "scenarios/compare_csv.h"
#include "scenarios/compare_report.h"
#include "support/run_cli.h"
#include "ui/compare_window.h"
#include "ui/copy_table.h"
#include "ui/demo_copy.h"
#include "ui/main_frame.h"
#include "ui/scenarios_panel.h"
#include "ui/scripted_prompts.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>

namespace kov::ui {
namespace {

using test::Demo;
using test::ScriptedPrompts;

struct ScenarioWindow {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame{prompts};
    ScenariosPanel& panel = *frame.scenarios();
    ScenarioWindow() {
        frame.show();
        EXPECT_TRUE(frame.loadConfiguration(demo.kov("demo-stock.kov")));
    }
    /// Compare, and wait for it to end; cancelNow cancels at once.
    bool compare(bool cancelNow = false) {
        QSignalSpy ended(&panel, &ScenariosPanel::comparisonEnded);
        panel.compareButton()->click();
        if (!panel.running()) return false;
        if (cancelNow) panel.cancelButton()->click();
        return ended.wait(300000);
    }
};

/// The lines of a compare.csv text of one table's Total.
std::string totalRows(const std::string& csv, const std::string& table) {
    std::istringstream in(csv);
    std::string line, out;
    while (std::getline(in, line))
        if (line.find("," + table + ",Total,") != std::string::npos) out += line + "\n";
    return out;
}

/// The monthly values of a run's rows of totalRows, in order.
std::vector<double> monthly(const std::string& rows, const std::string& run) {
    std::istringstream in(rows);
    std::string line;
    std::vector<double> values;
    while (std::getline(in, line))
        if (line.rfind(run + ",", 0) == 0 || line.rfind("\"" + run + "\",", 0) == 0)
            values.push_back(std::stod(line.substr(line.rfind(',') + 1)));
    return values;
}

/// The shaded bands of the levels chart now shown, and its title.
int bandsShown(const CompareWindow& view, QString& title) {
    int bands = 0;
    for (const QChartView* v : view.findChildren<QChartView*>())
        for (const QAbstractSeries* s : v->chart()->series())
            if (qobject_cast<const QAreaSeries*>(s)) {
                ++bands;
                title = v->chart()->title();
            }
    return bands;
}

QString tableText(const CopyTable& table) {
    QStringList rows;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) rows << table.item(r, c)->text();
    return rows.join(QLatin1Char('|'));
}

TEST(ScenariosPanel, AScenarioTypedAndSavedRunsTheSameFromTheCommandLine) {
    ScenarioWindow w;
    w.panel.newScenario();
    ASSERT_TRUE(w.panel.renameScenario(0, QStringLiteral("Fewer Class E admissions")));
    QTest::keyClicks(w.panel.editor(), QStringLiteral("admissions \"Class E\" = 0.90 from 2027"));
    EXPECT_TRUE(w.panel.faultLabel()->text().isEmpty()) << w.panel.faultLabel()->text().toStdString();
    EXPECT_TRUE(w.panel.isModified());
    w.prompts.saveNames.push_back(QString::fromStdString(w.demo.dir.file("mine.txt")));
    ASSERT_TRUE(w.panel.onSave());
    EXPECT_FALSE(w.panel.isModified());

    const auto cli = kov::test::kovary(w.demo.dir, "compare " + w.demo.dir.quoted("demo-stock.kov") + " \"" +
                                                       w.demo.dir.file("mine.txt") + "\" --no-charts --out \"" +
                                                       w.demo.dir.file("cli") + "\"");
    ASSERT_EQ(cli.code, 0) << cli.err;
    ASSERT_TRUE(w.compare());
    ASSERT_TRUE(w.panel.comparison().has_value()) << w.panel.statusLabel()->text().toStdString();
    const scenarios::Comparison& c = *w.panel.comparison();
    ASSERT_EQ(c.names, (std::vector<std::string>{"base", "Fewer Class E admissions"}));

    // The prison totals of both runs, byte for byte as the command line wrote them.
    const std::string prison = scenarios::totalSeries(c.results.front()).front().table;
    const std::string fromCli = totalRows(w.demo.dir.read("cli/compare.csv"), prison);
    EXPECT_EQ(totalRows(scenarios::compareCsv(c), prison), fromCli);
    const std::vector<double> base = monthly(fromCli, "base"), scenario = monthly(fromCli, c.names[1]);
    ASSERT_FALSE(base.empty());
    ASSERT_EQ(base.size(), scenario.size());
    EXPECT_NE(base, scenario); // the change reached the run

    // The Compare window's table: the command line's prison averages by year.
    CompareWindow& view = *w.panel.compareWindow();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.populations()->currentText(), QStringLiteral("Prison"));
    const CopyTable& table = *view.table();
    const auto baseYears = scenarios::yearFigures(base), scenarioYears = scenarios::yearFigures(scenario);
    ASSERT_EQ(table.rowCount(), 4);
    ASSERT_EQ(table.columnCount(), static_cast<int>(baseYears.size()) + 1);
    for (std::size_t y = 0; y < baseYears.size(); ++y) {
        const int col = static_cast<int>(y) + 1;
        EXPECT_EQ(table.item(0, col)->text(), QString::number(baseYears[y].average, 'f', 0));
        EXPECT_EQ(table.item(1, col)->text(), QString::number(scenarioYears[y].average, 'f', 0));
        EXPECT_EQ(table.item(3, col)->text().toStdString(),
                  scenarios::percentChange(baseYears[y].average, scenarioYears[y].average));
    }

    // Ctrl+C: the selection as tab-separated cells under their headings.
    view.table()->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 1), true);
    view.table()->setFocus();
    QTest::keyClick(view.table(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Average population\t%1\nbase\t%2\nFewer Class E admissions\t%3\n")
                  .arg(c.results.front().firstYear)
                  .arg(table.item(0, 1)->text(), table.item(1, 1)->text()));

    // Each total has its chart, and the chart drawn is exported in the format its name asks.
    EXPECT_GT(view.populations()->count(), 2);
    const std::string prisonStem = view.chart()->fileStem;
    const auto views = view.findChildren<QChartView*>().size();
    view.populations()->setCurrentIndex(1);
    EXPECT_EQ(view.findChildren<QChartView*>().size(), views) << "the chart before is gone, not merely hidden";
    EXPECT_NE(view.chart()->fileStem, prisonStem);
    EXPECT_EQ(view.chart()->table, scenarios::totalSeries(c.results.front())[1].table);
    for (const char* name : {"chart.svg", "chart.png"}) {
        w.prompts.saveNames.push_back(QString::fromStdString(w.demo.dir.file(name)));
        view.exportButton()->click();
        ASSERT_TRUE(w.demo.dir.exists(name)) << name;
    }
    EXPECT_NE(w.demo.dir.read("chart.svg").find("<svg"), std::string::npos);
    EXPECT_EQ(w.demo.dir.read("chart.png").substr(1, 3), "PNG");
    EXPECT_TRUE(w.prompts.messages.isEmpty()) << w.prompts.messages.join('|').toStdString();
}

TEST(ScenariosPanel, ReplicatesShadeABandAroundEachRun) {
    ScenarioWindow w;
    w.panel.newScenario();
    QTest::keyClicks(w.panel.editor(), QStringLiteral("admissions \"Class E\" = 0.90 from 2027"));
    CompareWindow& view = *w.panel.compareWindow();
    QString title;
    for (int replicates : {1, 3}) {
        w.panel.replicatesBox()->setValue(replicates);
        ASSERT_TRUE(w.compare());
        ASSERT_TRUE(w.panel.comparison().has_value()) << w.panel.statusLabel()->text().toStdString();
        EXPECT_EQ(bandsShown(view, title), replicates == 1 ? 0 : 2);
        // Under each run's name, its p05-p95 row.
        EXPECT_EQ(view.table()->rowCount(), replicates == 1 ? 4 : 6);
        EXPECT_EQ(view.table()->item(1, 0)->text().contains(QStringLiteral("p05")), replicates > 1);
    }
    EXPECT_TRUE(title.contains(QStringLiteral("90% of 3 replicates"))) << title.toStdString();
}

TEST(ScenariosPanel, AFaultyLineBlocksCompareAndCancellingKeepsTheResultsBefore) {
    ScenarioWindow w;
    // The demonstration's scenario file opens and saves byte for byte.
    w.prompts.openNames.push_back(QString::fromStdString(w.demo.dir.file("scenarios.txt")));
    w.panel.onOpen();
    ASSERT_EQ(w.panel.scenarioCount(), 4);
    EXPECT_EQ(w.panel.list()->item(2)->text(), QStringLiteral("Fewer Class E admissions"));
    w.prompts.saveNames.push_back(QString::fromStdString(w.demo.dir.file("again.txt")));
    ASSERT_TRUE(w.panel.onSaveAs());
    EXPECT_EQ(w.demo.dir.read("again.txt"), w.demo.dir.read("scenarios.txt"));

    // A change that does not read: its line and why, and nothing runs.
    w.panel.selectScenario(1);
    const QString good = w.panel.editor()->toPlainText();
    w.panel.editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.panel.editor(), QStringLiteral("admissions \"Class E\" = lots"));
    const QString fault = w.panel.faultLabel()->text();
    EXPECT_TRUE(fault.startsWith(QStringLiteral("Line 3: "))) << fault.toStdString();
    EXPECT_TRUE(fault.contains(QStringLiteral("lots"))) << fault.toStdString();
    EXPECT_FALSE(w.panel.compareButton()->isEnabled());
    w.panel.compare();
    EXPECT_FALSE(w.panel.running());
    EXPECT_FALSE(w.panel.comparison().has_value());
    // Another scenario's editor shows none of it, the faulty one's again on return.
    w.panel.selectScenario(0);
    EXPECT_TRUE(w.panel.faultLabel()->text().isEmpty());
    w.panel.selectScenario(1);
    EXPECT_EQ(w.panel.faultLabel()->text(), fault);

    w.panel.editor()->setPlainText(good);
    EXPECT_TRUE(w.panel.faultLabel()->text().isEmpty());
    ASSERT_TRUE(w.panel.compareButton()->isEnabled());
    ASSERT_TRUE(w.compare());
    ASSERT_TRUE(w.panel.comparison().has_value()) << w.panel.statusLabel()->text().toStdString();
    EXPECT_EQ(w.panel.comparison()->names.size(), 5u);
    const QString shown = tableText(*w.panel.compareWindow()->table());

    // Another comparison, cancelled: the results before stay, in the panel and the window.
    w.panel.editor()->setPlainText(QStringLiteral("admissions \"Class E\" = 0.5 from 2026\n"));
    ASSERT_TRUE(w.compare(true));
    EXPECT_FALSE(w.panel.running());
    EXPECT_TRUE(w.panel.statusLabel()->text().startsWith(QStringLiteral("Cancelled")))
        << w.panel.statusLabel()->text().toStdString();
    EXPECT_EQ(w.panel.comparison()->names.size(), 5u);
    EXPECT_EQ(tableText(*w.panel.compareWindow()->table()), shown);

    // Against a configuration that cannot run one of them, that scenario is put
    // in front with its message, and the results before stay.
    ASSERT_TRUE(w.frame.loadConfiguration(w.demo.kov("demo.kov")));
    EXPECT_EQ(w.panel.list()->item(0)->text(), QStringLiteral("base: demo.kov"));
    ASSERT_TRUE(w.compare());
    EXPECT_EQ(w.panel.list()->currentRow(), 3);
    EXPECT_TRUE(w.panel.statusLabel()->text().contains(QStringLiteral("\"Longer top sentences\" did not go through")))
        << w.panel.statusLabel()->text().toStdString();
    EXPECT_EQ(tableText(*w.panel.compareWindow()->table()), shown);

    // Edits not saved are asked about before the window closes.
    w.prompts.saveAnswers.push_back(SaveAnswer::Cancel);
    EXPECT_FALSE(w.frame.close());
    EXPECT_EQ(w.prompts.questions.size(), 1);
    w.prompts.saveAnswers.push_back(SaveAnswer::Discard);
    w.prompts.saveAnswers.push_back(SaveAnswer::Discard);
    EXPECT_TRUE(w.frame.close());
}

} // namespace
} // namespace kov::ui
