// The main window's commands that open dialogs, editors and viewers.
#include "config/paths.h"
#include "engine/programs.h"
#include "ui/about_dialog.h"
#include "ui/field_store.h"
#include "ui/file_names_dialog.h"
#include "ui/graph_output_dialog.h"
#include "ui/grid_editor.h"
#include "ui/main_frame.h"
#include "ui/other_file_dialog.h"
#include "ui/postprison_dialog.h"
#include "ui/prompts_host.h"
#include "ui/results_panel.h"
#include "ui/setup_dialog.h"
#include "ui/text_viewer.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include <algorithm>

namespace kov::ui {

QString CMainFrame::workingDataDirectory() const {
    return dataDirectory_.isEmpty() ? QDir::currentPath() : dataDirectory_;
}

void CMainFrame::openSetupDialog(const QString& which) {
    DialogSpec spec;
    if (which == QLatin1String("setupRelease")) spec = releaseParametersSpec();
    else if (which == QLatin1String("setupSanctions")) spec = sanctionParametersSpec();
    else if (which == QLatin1String("setupRun")) spec = runParametersSpec();
    else if (which == QLatin1String("setupTrend")) spec = trendWeightsSpec(cfg_.intValue(SecRun, FirstSimulatedYearKey));
    else if (which == QLatin1String("setupTitle")) spec = runTitleSpec();
    else if (which == QLatin1String("breakdownTables")) spec = breakdownTablesSpec();
    else if (which == QLatin1String("probabilityTables")) spec = probabilityTablesSpec();
    else return;
    const bool customizations = cfg_.isOn(SecRun, NorvaleCustomizationsKey);
    ConfigStore store(cfg_);
    SetupDialog dialog(std::move(spec), store, prompts_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Turning the customizations on reads the program files, from a folder
    // that is this configuration's (a new one reads them once it has one).
    if (!customizations && cfg_.isOn(SecRun, NorvaleCustomizationsKey) && hasOwnDataDirectory()) rebuildPrograms();
    updateCommandStates();
}

void CMainFrame::OnPostprisonMode() {
    if (!postprisonEnabled_) return;
    CPostprisonOpt dialog(cfg_, postprisonOption_, this);
    if (dialog.exec() == QDialog::Accepted) postprisonOption_ = dialog.option();
    updateCommandStates();
}

void CMainFrame::OnFileNames() {
    if (!fileNamesEnabled_) return;
    CSetIOFileNames dialog(cfg_, dataDirectory_, postprisonOption_, prompts_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.dataDirectoryChanged()) {
        dataDirectory_ = dialog.dataDirectory();
        dataDirectoryChosen_ = true;
    }
    // The program files are read from the data directory.
    if (dialog.programFilesChanged() || dialog.dataDirectoryChanged()) rebuildPrograms();
}

void CMainFrame::OnProgramParameters(int program) {
    // A new configuration reads its programs once it has its folder.
    if (!chooseDataDirectory() || !programs_ || program < 0 || program >= programs_->count()) return;
    Program& p = programs_->programs[static_cast<std::size_t>(program)];
    ProgramStore store(p);
    SetupDialog dialog(programParametersSpec(), store, prompts_, this);
    if (dialog.exec() != QDialog::Accepted || dialog.writtenCount() == 0) return;
    if (p.releaseFromPrison) p.completionProbability = 1.0;
    PromptsHost host(prompts_, this);
    const std::string dir = workingDataDirectory().toStdString();
    const std::string definitions = cfg_.value(SecFiles, ProgramDefinitions);
    const std::string probabilities = cfg_.value(SecFiles, ProgramProbabilities);
    const bool definitionsSaved = programs_->SaveDefinitions(dataPath(dir, definitions), host);
    const bool probabilitiesSaved = programs_->SaveProbabilities(dataPath(dir, probabilities), host);
    if (definitionsSaved && probabilitiesSaved)
        showSaved(QString::fromStdString(definitions) + QStringLiteral(" and ") + QString::fromStdString(probabilities));
    rebuildPrograms();
}

void CMainFrame::OnGridEditor(int fileKey, const QString& label) {
    if (!chooseDataDirectory()) return;
    GridTarget target;
    target.fileKey = fileKey;
    target.label = label.toStdString();
    target.labels = fileKey == StockProbabilities ? stockTableLabels() : courtTableLabels();
    const QString title = fileKey == StockProbabilities ? QStringLiteral("Grid Editor for Stock Probabilities")
                                                        : QStringLiteral("Grid Editor for Court Probabilities");
    CGridEditor editor(cfg_, workingDataDirectory(), std::move(target), title, prompts_, this);
    if (!editor.opened()) return;
    editor.exec();
    if (editor.saved()) showSaved(QString::fromStdString(cfg_.value(SecFiles, fileKey)));
}

void CMainFrame::OnProgramProbabilities(int program) {
    if (!chooseDataDirectory() || !programs_ || program < 0 || program >= programs_->count()) return;
    GridTarget target;
    target.fileKey = ProgramProbabilities;
    target.label = programs_->programs[static_cast<std::size_t>(program)].name;
    for (const Program& p : programs_->programs) target.labels.push_back(p.name);
    CGridEditor editor(cfg_, workingDataDirectory(), std::move(target),
                       QStringLiteral("Grid Editor for Program Probabilities"), prompts_, this);
    if (!editor.opened()) return;
    editor.exec();
    if (!editor.saved()) return;
    showSaved(QString::fromStdString(cfg_.value(SecFiles, ProgramProbabilities)));
    // The collection holds the entry probabilities it read: read them again.
    rebuildPrograms();
}

void CMainFrame::OnEditFile(int fileKey) {
    if (!chooseDataDirectory()) return;
    const QString path = QString::fromStdString(
        dataPath(workingDataDirectory().toStdString(), cfg_.value(SecFiles, fileKey)));
    TextViewer::open(path, prompts_, this);
}

void CMainFrame::OnOtherFile() {
    COtherFile dialog(prompts_, this);
    dialog.exec();
}

void CMainFrame::OnGraphOutput() {
    GraphOutput dialog(cfg_, prompts_, this);
    dialog.exec();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::toggleCheckItem(int outputTableKey) {
    cfg_.setValue(SecOutputTables, outputTableKey, cfg_.isOn(SecOutputTables, outputTableKey) ? "0" : "1");
    cfg_.modified = 1;
    updateCommandStates();
}

bool CMainFrame::hasOwnDataDirectory() const { return dataDirectoryChosen_ || !cfg_.filePath.empty(); }

bool CMainFrame::chooseDataDirectory() {
    if (hasOwnDataDirectory()) return true;
    const QString chosen = prompts_.folder(
        this, QStringLiteral("Folder of the input files and the outputs of this new configuration"),
        workingDataDirectory());
    if (chosen.isEmpty()) return false;
    dataDirectory_ = QFileInfo(chosen).absoluteFilePath();
    dataDirectoryChosen_ = true;
    // Graph files and the exchange file of a run go to the working folder.
    QDir::setCurrent(dataDirectory_);
    rebuildPrograms(); // the program files of this folder, not of the one before
    return true;
}

void CMainFrame::OnRunSimulation() {
    // A run dialog is modal; this guards the shortcut while one is shown.
    if (!runEnabled_ || runDialog_) return;
    if (!chooseDataDirectory()) return;
    CRunSim1 dialog(cfg_, workingDataDirectory(), prompts_, liveChartRenderer, this);
    runDialog_ = &dialog;
    dialog.exec();
    runDialog_ = nullptr;
    if (dialog.runsStarted() == 0) return;
    if (!dialog.lastResults()) {
        results_->clear(QStringLiteral("The last run did not go through to its end; it has no results to show."));
        return;
    }
    results_->showResults(*dialog.lastResults());
    // Room for the table, the chart and the files, within the screen.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(std::max(width(), 900), screen.width()), std::min(std::max(height(), 760), screen.height()));
}

} // namespace kov::ui
