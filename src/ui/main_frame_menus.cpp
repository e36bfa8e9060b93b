// The main window's menus and toolbar, and the rules that enable and check
// their items.
#include "engine/programs.h"
#include "ui/help_window.h"
#include "ui/main_frame.h"
#include "ui/prompts.h"
#include "ui/what_if_window.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace kov::ui {
namespace {

struct TableItem {
    const char* caption;
    const char* label;
};

// Edit Files > Probabilities: menu caption and the block label in the court file.
const TableItem CourtTables[] = {
    {"Misdemeanor", "Misdemeanor probability"},
    {"Prison", "Prison probability"},
    {"Jail Level 1", "Jail probability (county level 1)"},
    {"Jail Level 2", "Jail probability (county level 2)"},
    {"Jail Level 3", "Jail probability (county level 3)"},
    {"Residential Treatment Level 1", "residential treatment (region level 1)"},
    {"Residential Treatment Level 2", "residential treatment (region level 2)"},
    {"Residential Treatment Level 3", "residential treatment (region level 3)"},
    {"Home Detention Level 1", "home detention (region level 1)"},
    {"Home Detention Level 2", "home detention (region level 2)"},
    {"Home Detention Level 3", "home detention (region level 3)"},
    {"Community Service Level 1", "community service (region level 1)"},
    {"Community Service Level 2", "community service (region level 2)"},
    {"Community Service Level 3", "community service (region level 3)"},
    {"Restitution Level 1", "restitution (region level 1)"},
    {"Restitution Level 2", "restitution (region level 2)"},
    {"Restitution Level 3", "restitution (region level 3)"},
    {"Fines Level 1", "fines (region level 1)"},
    {"Fines Level 2", "fines (region level 2)"},
    {"Fines Level 3", "fines (region level 3)"},
    {"Supervision Revocation", "supervision revocation probability"},
};

const TableItem StockTables[] = {
    {"Residential Treatment", "Postprison residential treatment"},
    {"Home detention", "Postprison home detention"},
    {"Community Service", "Postprison community service"},
    {"Restitution", "Postprison restitution"},
    {"Fine", "Postprison fines"},
    {"Supervision Revocation", "Postprison supervision revocation"},
};

// The check items of Output Tables and their keys.
const std::pair<const char*, int> CheckItems[] = {
    {"countyPopulation", OutCounty}, {"excelPrison", OutExcelFile}, {"excelOffenses", OutExcelFileForOffenses}};

} // namespace

std::vector<std::string> courtTableLabels() {
    std::vector<std::string> out;
    for (const TableItem& t : CourtTables) out.emplace_back(t.label);
    return out;
}

std::vector<std::string> stockTableLabels() {
    std::vector<std::string> out;
    for (const TableItem& t : StockTables) out.emplace_back(t.label);
    return out;
}

QAction* CMainFrame::makeAction(const QString& name, const QString& caption) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    actions_[name] = a;
    return a;
}

QMenu* CMainFrame::menu(const QString& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

QStringList CMainFrame::menuTitles() const {
    QStringList titles;
    for (QAction* a : menuBar()->actions()) titles << a->text();
    return titles;
}

void CMainFrame::createActions() {
    const auto newMenu = [this](const QString& name, const QString& title) {
        auto* m = new QMenu(title, this);
        m->setObjectName(name);
        menus_[name] = m;
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        // Items made as the menu opens (programs, recent files) change the configuration too.
        connect(m, &QMenu::triggered, this, &CMainFrame::updateTitle);
        return m;
    };
    QStyle* st = style();

    // File
    QAction* fileNew = makeAction(QStringLiteral("fileNew"), QStringLiteral("&New"));
    fileNew->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    fileNew->setIcon(st->standardIcon(QStyle::SP_FileIcon));
    connect(fileNew, &QAction::triggered, this, &CMainFrame::OnFileNew);
    QAction* fileOpen = makeAction(QStringLiteral("fileOpen"), QStringLiteral("&Open..."));
    fileOpen->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    fileOpen->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    connect(fileOpen, &QAction::triggered, this, &CMainFrame::OnFileOpen);
    QAction* fileSave = makeAction(QStringLiteral("fileSave"), QStringLiteral("&Save"));
    fileSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    fileSave->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    connect(fileSave, &QAction::triggered, this, [this] { OnFileSave(); });
    QAction* fileSaveAs = makeAction(QStringLiteral("fileSaveAs"), QStringLiteral("Save &As..."));
    connect(fileSaveAs, &QAction::triggered, this, [this] { OnFileSaveAs(); });
    QAction* fileExit = makeAction(QStringLiteral("fileExit"), QStringLiteral("E&xit"));
    connect(fileExit, &QAction::triggered, this, &CMainFrame::close);

    QMenu* recent = newMenu(QStringLiteral("recentFilesMenu"), QStringLiteral("Recent Files"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentFiles(recent); });

    QMenu* shortFile = newMenu(QStringLiteral("shortFileMenu"), QStringLiteral("&File"));
    shortFile->addAction(fileNew);
    shortFile->addAction(fileOpen);
    shortFile->addSeparator();
    shortFile->addMenu(recent);
    shortFile->addSeparator();
    shortFile->addAction(fileExit);

    QMenu* file = newMenu(QStringLiteral("fileMenu"), QStringLiteral("&File"));
    file->addAction(fileNew);
    file->addAction(fileOpen);
    file->addAction(fileSave);
    file->addAction(fileSaveAs);
    file->addSeparator();
    file->addMenu(recent);
    file->addSeparator();
    file->addAction(fileExit);

    // Set Up
    QMenu* setup = newMenu(QStringLiteral("setupMenu"), QStringLiteral("&Set Up"));
    const std::pair<const char*, const char*> setupItems[] = {
        {"setupRelease", "Release Parameters"}, {"setupSanctions", "Non-Prison Sanctions Parameters"},
        {"setupRun", "Run Parameters"},         {"setupTrend", "Trend Weights"},
        {"setupTitle", "Run Title"}};
    for (const auto& [name, caption] : setupItems) {
        QAction* a = makeAction(QString::fromLatin1(name), QString::fromLatin1(caption));
        connect(a, &QAction::triggered, this, [this, n = QString::fromLatin1(name)] { openSetupDialog(n); });
        setup->addAction(a);
    }
    QAction* fileNames = makeAction(QStringLiteral("setupFileNames"), QStringLiteral("Input/Output File Names"));
    connect(fileNames, &QAction::triggered, this, &CMainFrame::OnFileNames);
    setup->addAction(fileNames);
    QAction* postprison = makeAction(QStringLiteral("setupPostprison"), QStringLiteral("Postprison Mode"));
    connect(postprison, &QAction::triggered, this, &CMainFrame::OnPostprisonMode);
    setup->addAction(postprison);
    QMenu* programParameters = newMenu(QStringLiteral("programParametersMenu"), QStringLiteral("Program Parameters"));
    setup->addMenu(programParameters);
    connect(setup, &QMenu::aboutToShow, this, [this, programParameters] { fillProgramMenu(programParameters, false); });

    // Edit Files
    QMenu* edit = newMenu(QStringLiteral("editFilesMenu"), QStringLiteral("&Edit Files"));
    QMenu* probabilities = newMenu(QStringLiteral("probabilitiesMenu"), QStringLiteral("Probabilities"));
    int i = 0;
    for (const TableItem& t : CourtTables) {
        QAction* a = makeAction(QStringLiteral("editProb%1").arg(i++), QString::fromLatin1(t.caption));
        connect(a, &QAction::triggered, this,
                [this, l = QString::fromLatin1(t.label)] { OnGridEditor(CourtProbabilitiesFile, l); });
        probabilities->addAction(a);
    }
    QMenu* stock = newMenu(QStringLiteral("stockProbabilitiesMenu"), QStringLiteral("Stock"));
    i = 0;
    for (const TableItem& t : StockTables) {
        QAction* a = makeAction(QStringLiteral("editStock%1").arg(i++), QString::fromLatin1(t.caption));
        connect(a, &QAction::triggered, this,
                [this, l = QString::fromLatin1(t.label)] { OnGridEditor(StockProbabilities, l); });
        stock->addAction(a);
    }
    probabilities->addMenu(stock);
    QMenu* programs = newMenu(QStringLiteral("programProbabilitiesMenu"), QStringLiteral("Programs"));
    probabilities->addMenu(programs);
    connect(probabilities, &QMenu::aboutToShow, this, [this, programs] { fillProgramMenu(programs, true); });
    edit->addMenu(probabilities);

    const auto viewerItem = [&](QMenu* into, const char* name, const char* caption, int key) {
        QAction* a = makeAction(QString::fromLatin1(name), QString::fromLatin1(caption));
        connect(a, &QAction::triggered, this, [this, key] { OnEditFile(key); });
        into->addAction(a);
    };
    viewerItem(edit, "gridFileCourt", "Grid File Court", GridFile);
    viewerItem(edit, "gridFileStock", "Grid File Stock", StockGridFile);
    QMenu* tables = newMenu(QStringLiteral("tablesMenu"), QStringLiteral("Tables"));
    viewerItem(tables, "tablesStock", "Stock", StockTablesFile);
    viewerItem(tables, "tablesOutput", "Output", TablesOutputFile);
    edit->addMenu(tables);
    viewerItem(edit, "countyInput", "County Input File", CountyFile);
    viewerItem(edit, "countyOutput", "County Output File", CountyOutputFile);
    viewerItem(edit, "labels", "Labels", LabelsFile);
    QAction* other = makeAction(QStringLiteral("otherFiles"), QStringLiteral("Other Files"));
    connect(other, &QAction::triggered, this, &CMainFrame::OnOtherFile);
    edit->addAction(other);
    viewerItem(edit, "stockParameterFile", "Stock Parameter File", StockParameterFile);
    viewerItem(edit, "trendWeightsByGroup", "Trend Weights by Group", TrendWeightsByGroup);

    // Output Tables
    QMenu* output = newMenu(QStringLiteral("outputTablesMenu"), QStringLiteral("&Output Tables"));
    QAction* breakdowns = makeAction(QStringLiteral("breakdownTables"), QStringLiteral("Breakdown Tables"));
    connect(breakdowns, &QAction::triggered, this, [this] { openSetupDialog(QStringLiteral("breakdownTables")); });
    output->addAction(breakdowns);
    QAction* probTables = makeAction(QStringLiteral("probabilityTables"), QStringLiteral("Input Probability Tables"));
    connect(probTables, &QAction::triggered, this, [this] { openSetupDialog(QStringLiteral("probabilityTables")); });
    output->addAction(probTables);
    const auto checkItem = [&](const char* name, const char* caption, int key) {
        QAction* a = makeAction(QString::fromLatin1(name), QString::fromLatin1(caption));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, key] { toggleCheckItem(key); });
        output->addAction(a);
    };
    checkItem("countyPopulation", "County Population", OutCounty);
    QAction* graphs = makeAction(QStringLiteral("graphs"), QStringLiteral("Graphs"));
    connect(graphs, &QAction::triggered, this, &CMainFrame::OnGraphOutput);
    output->addAction(graphs);
    checkItem("excelPrison", "Excel File for Prison", OutExcelFile);
    checkItem("excelOffenses", "Excel File for Admission Groups and Offenses", OutExcelFileForOffenses);

    // Run
    QMenu* run = newMenu(QStringLiteral("runMenu"), QStringLiteral("&Run"));
    QAction* runSim = makeAction(QStringLiteral("runSimulation"), QStringLiteral("Run Simulation"));
    runSim->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    runSim->setIcon(st->standardIcon(QStyle::SP_MediaPlay));
    connect(runSim, &QAction::triggered, this, &CMainFrame::OnRunSimulation);
    run->addAction(runSim);
    QAction* compare = makeAction(QStringLiteral("compareScenarios"), QStringLiteral("&Compare Scenarios"));
    compare->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+R")));
    connect(compare, &QAction::triggered, this, &CMainFrame::OnCompareScenarios);
    run->addAction(compare);

    // View and Help
    QMenu* view = newMenu(QStringLiteral("viewMenu"), QStringLiteral("&View"));
    QAction* viewToolbar = makeAction(QStringLiteral("viewToolbar"), QStringLiteral("&Toolbar"));
    viewToolbar->setCheckable(true);
    viewToolbar->setChecked(true);
    view->addAction(viewToolbar);
    QAction* viewStatus = makeAction(QStringLiteral("viewStatusBar"), QStringLiteral("&Status Bar"));
    viewStatus->setCheckable(true);
    viewStatus->setChecked(true);
    connect(viewStatus, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    view->addAction(viewStatus);
    QAction* viewScenarios = scenariosDock_->toggleViewAction();
    viewScenarios->setObjectName(QStringLiteral("viewScenarios"));
    viewScenarios->setText(QStringLiteral("S&cenarios"));
    actions_[viewScenarios->objectName()] = viewScenarios;
    view->addAction(viewScenarios);
    QAction* viewWhatIf = makeAction(QStringLiteral("viewWhatIf"), QStringLiteral("&What-if..."));
    connect(viewWhatIf, &QAction::triggered, this, &CMainFrame::OnWhatIf);
    view->addAction(viewWhatIf);
    QMenu* help = newMenu(QStringLiteral("helpMenu"), QStringLiteral("&Help"));
    QAction* topics = makeAction(QStringLiteral("helpTopics"), QStringLiteral("&Help Topics"));
    topics->setShortcut(QKeySequence::HelpContents);
    connect(topics, &QAction::triggered, this, [this] { HelpWindow::show(this); });
    help->addAction(topics);
    QAction* about = makeAction(QStringLiteral("helpAbout"), QStringLiteral("&About KOV for Windows..."));
    about->setIcon(st->standardIcon(QStyle::SP_MessageBoxInformation));
    connect(about, &QAction::triggered, this, &CMainFrame::OnAbout);
    help->addAction(about);

    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    for (QAction* a : {fileNew, fileOpen, fileSave, runSim, about}) toolBar_->addAction(a);
    connect(viewToolbar, &QAction::toggled, toolBar_, &QToolBar::setVisible);
    // The window's own shortcuts work whichever menu is in place; the rules decide.
    addActions({fileNew, fileOpen, fileSave, runSim, compare});
    // Connected last, so the title follows what the command itself changed.
    for (const auto& entry : actions_) connect(entry.second, &QAction::triggered, this, &CMainFrame::updateTitle);
    // A setup dialog may have changed what the what-if's base runs.
    for (const auto& entry : actions_)
        connect(entry.second, &QAction::triggered, whatIf_, &WhatIfWindow::followConfiguration);
}

void CMainFrame::showShortMenu() {
    menuBar()->clear();
    menuBar()->addMenu(menu(QStringLiteral("shortFileMenu")));
    menuBar()->addMenu(menu(QStringLiteral("viewMenu")));
    menuBar()->addMenu(menu(QStringLiteral("helpMenu")));
    fullMenu_ = false;
    updateCommandStates();
}

void CMainFrame::showFullMenu() {
    menuBar()->clear();
    for (const char* name : {"fileMenu", "setupMenu", "editFilesMenu", "outputTablesMenu", "runMenu", "viewMenu",
                             "helpMenu"})
        menuBar()->addMenu(menu(QString::fromLatin1(name)));
    fullMenu_ = true;
}

void CMainFrame::fillRecentFiles(QMenu* m) {
    m->clear();
    const QStringList files = recentFiles();
    int n = 1;
    for (const QString& f : files) {
        QAction* a = m->addAction(QStringLiteral("&%1 %2").arg(n++).arg(f));
        connect(a, &QAction::triggered, this, [this, f] { openHandedOver(f); });
    }
    if (files.isEmpty()) m->addAction(QStringLiteral("Recent File"))->setEnabled(false);
}

void CMainFrame::fillProgramMenu(QMenu* m, bool probabilities) {
    m->clear();
    static const char* const numbers[] = {"One", "Two", "Three", "Four", "Five"};
    const bool named = cfg_.isOn(SecRun, NorvaleCustomizationsKey) && programs_;
    const int count = named ? programs_->count() : Programs::MaxPrograms;
    for (int i = 0; i < count; ++i) {
        const QString caption = named ? QString::fromStdString(programs_->programs[static_cast<std::size_t>(i)].name)
                                      : QString::fromLatin1(numbers[i]);
        QAction* a = m->addAction(caption);
        a->setObjectName(QStringLiteral("%1%2").arg(probabilities ? "programProbabilities" : "programParameters").arg(i));
        a->setEnabled(named);
        if (probabilities)
            connect(a, &QAction::triggered, this, [this, i] { OnProgramProbabilities(i); });
        else
            connect(a, &QAction::triggered, this, [this, i] { OnProgramParameters(i); });
    }
}

void CMainFrame::updateCommandStates() {
    const auto enable = [this](const char* name, bool on) {
        if (QAction* a = action(QString::fromLatin1(name))) a->setEnabled(on);
    };
    enable("fileSave", saveEnabled_);
    enable("fileSaveAs", saveEnabled_);
    enable("runSimulation", runEnabled_);
    enable("compareScenarios", runEnabled_);
    enable("viewWhatIf", runEnabled_);
    enable("setupFileNames", fileNamesEnabled_);
    enable("setupPostprison", postprisonEnabled_);

    const bool customizations = cfg_.isOn(SecRun, NorvaleCustomizationsKey);
    if (QMenu* m = menu(QStringLiteral("programParametersMenu"))) m->setEnabled(customizations);
    if (QMenu* m = menu(QStringLiteral("programProbabilitiesMenu"))) m->setEnabled(customizations);
    enable("trendWeightsByGroup", customizations);

    const int option = postprisonOption_;
    for (int i = 0; i < 6; ++i) enable(QStringLiteral("editStock%1").arg(i).toLatin1().constData(), option != 1);
    if (QMenu* m = menu(QStringLiteral("stockProbabilitiesMenu"))) m->setEnabled(option != 1);
    enable("gridFileStock", option != 1 && cfg_.intValue(SecPostprison, SingleGuidelines) == 0);
    enable("stockParameterFile", option == 2);

    for (const auto& [name, key] : CheckItems)
        if (QAction* a = action(QString::fromLatin1(name))) a->setChecked(cfg_.isOn(SecOutputTables, key));
    updateTitle();
}

} // namespace kov::ui
