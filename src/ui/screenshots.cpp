#include "ui/screenshots.h"

#include "config/paths.h"
#include "config/run_configuration.h"
#include "engine/programs.h"
#include "ui/about_dialog.h"
#include "ui/compare_window.h"
#include "ui/field_store.h"
#include "ui/file_names_dialog.h"
#include "ui/graph_output_dialog.h"
#include "ui/grid_editor.h"
#include "ui/help_window.h"
#include "ui/image_viewer.h"
#include "ui/lever_row.h"
#include "ui/main_frame.h"
#include "ui/other_file_dialog.h"
#include "ui/postprison_dialog.h"
#include "ui/prompts.h"
#include "ui/run_dialog.h"
#include "ui/scenarios_panel.h"
#include "ui/setup_dialog.h"
#include "ui/text_viewer.h"
#include "ui/view_graphs_dialog.h"
#include "ui/what_if_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QDir>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace kov::ui {
namespace {

/// Answers for the person: messages go to stderr, questions are declined.
class AutoPrompts final : public Prompts {
public:
    void message(QWidget*, const QString& text, Icon) override {
        std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
    }
    bool okCancel(QWidget*, const QString&) override { return false; }
    SaveAnswer saveChanges(QWidget*, const QString&) override { return SaveAnswer::Discard; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
    bool openExternally(const QString&) override { return false; }
};

class Shooter {
public:
    explicit Shooter(const QString& directory) : dir_(directory) { QDir().mkpath(dir_); }
    void shoot(QWidget* w, const QString& name) {
        w->show();
        settle();
        const QString path = dir_ + QLatin1Char('/') + name + QStringLiteral(".png");
        if (w->grab().save(path)) std::printf("%s\n", path.toLocal8Bit().constData());
        else std::fprintf(stderr, "could not save %s\n", path.toLocal8Bit().constData());
    }
    static void settle() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
    const QString& directory() const { return dir_; }

private:
    QString dir_;
};

void shootMenus(Shooter& s, CMainFrame& frame) {
    for (QAction* top : frame.menuBar()->actions()) {
        QMenu* m = top->menu();
        if (!m) continue;
        m->popup(frame.mapToGlobal(QPoint(0, 0)));
        s.settle();
        s.shoot(m, QStringLiteral("menu-") + m->objectName());
        m->hide();
    }
}

/// The Scenarios panel on the demonstration's scenario file, the Compare
/// window after its comparison, and a change that does not read.
void shootScenarios(Shooter& s, CMainFrame& frame) {
    ScenariosPanel& panel = *frame.scenarios();
    if (!panel.openFile(frame.dataDirectory() + QStringLiteral("/scenarios.txt"))) return;
    panel.selectScenario(1);
    QEventLoop wait;
    QObject::connect(&panel, &ScenariosPanel::comparisonEnded, &wait, &QEventLoop::quit);
    frame.OnCompareScenarios();
    s.shoot(&frame, QStringLiteral("scenarios-running"));
    if (panel.running()) wait.exec();
    // The configuration the file's scenarios are written for; the one open
    // cannot run some of them, and says which.
    s.shoot(&frame, QStringLiteral("scenarios-failed"));
    if (!frame.loadConfiguration(frame.dataDirectory() + QStringLiteral("/demo-stock.kov"))) return;
    frame.OnCompareScenarios();
    if (panel.running()) wait.exec();
    s.shoot(&frame, QStringLiteral("scenarios-panel"));
    if (CompareWindow* compare = panel.compareWindow(); compare->isVisible()) {
        s.shoot(compare, QStringLiteral("compare-window"));
        // The fiscal impact, whom the scenarios affect, and the observed counts on the chart.
        if (compare->setCostFile(frame.dataDirectory() + QStringLiteral("/costs.txt")) &&
            compare->setActualsFile(frame.dataDirectory() + QStringLiteral("/actuals.csv"))) {
            s.shoot(compare, QStringLiteral("compare-window-costs"));
            compare->tabs()->setCurrentIndex(2);
            s.shoot(compare, QStringLiteral("compare-window-impact"));
        }
        // Eight replicates of each run, half the cases sampled and their months
        // drawn: the band 90% of them fall in, shaded around each line.
        RunConfiguration& cfg = frame.configuration();
        const RunConfiguration was = cfg;
        cfg.setValue(SecRun, SamplingFractionKey, "0.5");
        cfg.setValue(SecRun, RandomizeMonthKey, "1");
        compare->tabs()->setCurrentIndex(0);
        panel.replicatesBox()->setValue(8);
        frame.OnCompareScenarios();
        if (panel.running()) wait.exec();
        s.shoot(compare, QStringLiteral("compare-window-bands"));
        panel.replicatesBox()->setValue(1);
        cfg = was;
        compare->close();
    }
    panel.editor()->moveCursor(QTextCursor::End);
    panel.editor()->insertPlainText(QStringLiteral("admissions \"Class E\" = lots from 2027\n"));
    s.shoot(&frame, QStringLiteral("scenarios-fault"));
}

/// Waits for the What-if window's projections to end.
void waitFor(const WhatIfWindow& w) {
    while (w.running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    Shooter::settle();
}

/// The What-if window over its base, then with fewer Class E admissions from
/// 2027 and longer sentences at the top of the nondrug grid.
void shootWhatIf(Shooter& s, CMainFrame& frame) {
    WhatIfWindow& w = *frame.whatIf();
    frame.OnWhatIf();
    waitFor(w);
    s.shoot(&w, QStringLiteral("what-if-base"));
    w.groupChoice()->setCurrentIndex(w.groupChoice()->findText(QStringLiteral("Class E")));
    w.admissionsLever()->field()->setValue(-10);
    w.tableChoice()->setCurrentIndex(w.tableChoice()->findText(QStringLiteral("Nondrug")));
    w.scopeChoice()->setCurrentIndex(1);
    w.rowChoice()->setValue(9);
    w.sentenceLever()->field()->setValue(1.4);
    w.fromYear()->setValue(w.fromYear()->minimum() + 2);
    waitFor(w);
    s.shoot(&w, QStringLiteral("what-if"));
    w.close();
}

} // namespace

int takeScreenshots(const QString& directory, const QString& configuration) {
    AutoPrompts prompts;
    Shooter s(directory);
    CMainFrame frame(prompts);
    s.shoot(&frame, QStringLiteral("main-short-menu"));
    if (configuration.isEmpty()) return 0;
    frame.openHandedOver(configuration);
    s.shoot(&frame, QStringLiteral("main-full-menu"));
    shootMenus(s, frame);

    RunConfiguration& cfg = frame.configuration();
    const RunConfiguration saved = cfg;
    ConfigStore store(cfg);
    const std::pair<const char*, DialogSpec (*)()> specs[] = {
        {"setup-release-parameters", releaseParametersSpec}, {"setup-sanction-parameters", sanctionParametersSpec},
        {"setup-run-parameters", runParametersSpec},
        {"setup-run-title", runTitleSpec},                   {"output-breakdown-tables", breakdownTablesSpec},
        {"output-probability-tables", probabilityTablesSpec}};
    for (const auto& [name, make] : specs) {
        SetupDialog d(make(), store, prompts, &frame);
        s.shoot(&d, QString::fromLatin1(name));
    }
    {
        SetupDialog d(trendWeightsSpec(cfg.intValue(SecRun, FirstSimulatedYearKey)), store, prompts, &frame);
        s.shoot(&d, QStringLiteral("setup-trend-weights"));
    }
    if (Programs* programs = frame.programs(); programs && programs->count() > 0) {
        ProgramStore programStore(programs->programs[0]);
        SetupDialog d(programParametersSpec(), programStore, prompts, &frame);
        s.shoot(&d, QStringLiteral("setup-program-parameters"));
    }
    {
        CPostprisonOpt d(cfg, frame.postprisonOption(), &frame);
        s.shoot(&d, QStringLiteral("setup-postprison-mode"));
    }
    {
        CSetIOFileNames d(cfg, frame.dataDirectory(), frame.postprisonOption(), prompts, &frame);
        s.shoot(&d, QStringLiteral("setup-file-names"));
    }
    {
        COtherFile d(prompts, &frame);
        s.shoot(&d, QStringLiteral("edit-other-file"));
    }
    {
        CAboutDlg d(&frame);
        s.shoot(&d, QStringLiteral("about"));
    }
    {
        GraphOutput d(cfg, prompts, &frame);
        s.shoot(&d, QStringLiteral("output-graphs"));
    }
    {
        CViewGraphs d(cfg, prompts, &frame);
        s.shoot(&d, QStringLiteral("view-graphs"));
    }
    {
        GridTarget t{CourtProbabilitiesFile, "Prison probability", courtTableLabels()};
        CGridEditor d(cfg, frame.dataDirectory(), t, QStringLiteral("Grid Editor for Court Probabilities"), prompts,
                      &frame);
        if (d.opened()) {
            s.shoot(&d, QStringLiteral("grid-editor-court"));
            d.tableChoice()->setCurrentIndex(d.tableChoice()->count() - 1);
            s.shoot(&d, QStringLiteral("grid-editor-court-last-table"));
        }
    }
    if (Programs* programs = frame.programs(); programs && programs->count() > 0) {
        GridTarget t{ProgramProbabilities, programs->programs[0].name, {}};
        CGridEditor d(cfg, frame.dataDirectory(), t, QStringLiteral("Grid Editor for Program Probabilities"), prompts,
                      &frame);
        if (d.opened()) s.shoot(&d, QStringLiteral("grid-editor-program"));
    }
    if (TextViewer* v = TextViewer::open(QString::fromStdString(cfg.filePath), prompts, &frame)) {
        s.shoot(v, QStringLiteral("text-viewer"));
        v->close();
    }
    // The run dialog in both layouts, before and after a run; the run in the
    // graph layout draws its live chart and writes the graph files.
    for (int layout = 1; layout <= 2; ++layout) {
        cfg.setValue(SecRun, ShowGraph, layout == 2 ? "1" : "0");
        cfg.setValue(SecRun, CreateGraphs, layout == 2 ? "1" : "0");
        CRunSim1 d(cfg, frame.dataDirectory(), prompts, frame.liveChartRenderer, &frame);
        const QString base = QStringLiteral("run-dialog-layout%1").arg(layout);
        s.shoot(&d, base + QStringLiteral("-idle"));
        d.OnRunSim();
        s.shoot(&d, base + QStringLiteral("-complete"));
    }
    // The main window after a run from its Run command, with the graph files drawn.
    cfg.setValue(SecRun, ShowGraph, "0");
    cfg.setValue(SecRun, CreateGraphs, "1");
    QTimer::singleShot(0, &frame, [] {
        if (auto* d = qobject_cast<CRunSim1*>(QApplication::activeModalWidget())) {
            d->OnRunSim();
            d->reject(); // Exit
        }
    });
    frame.OnRunSimulation();
    s.shoot(&frame, QStringLiteral("main-after-run"));
    {
        CViewGraphs d(cfg, prompts, &frame);
        d.viewGraphs();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<ImageViewer*>(w); v && v->isVisible()) {
                s.shoot(v, QStringLiteral("view-graph-window"));
                v->close();
            }
    }
    shootScenarios(s, frame);
    shootWhatIf(s, frame);
    HelpWindow* help = HelpWindow::show(&frame);
    s.shoot(help, QStringLiteral("help-topics"));
    help->close();
    cfg = saved;
    cfg.modified = 0;
    return 0;
}

} // namespace kov::ui
