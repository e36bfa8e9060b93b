#pragma once
// The main window. The document is the run configuration it holds; menus open
// the setup dialogs, the file viewers, the probability grid editor and the
// run dialog. The configuration reaches the disk only by Save; the grid
// editor and the program parameters write their own files at once, and say so.
#include "config/run_configuration.h"
#include "scenarios/comparison.h"
#include "ui/run_dialog.h"

#include <QMainWindow>

#include <map>
#include <optional>
#include <string>
#include <vector>
#include <memory>

class QAction;
class QMenu;

namespace kov {
class Programs;
}

namespace kov::ui {

class Prompts;
class RegistrySettings;
class ResultsPanel;
class ScenariosPanel;
class WhatIfWindow;

/// The 21 block labels of the court probability file and the 6 of the stock one, in file order.
std::vector<std::string> courtTableLabels();
std::vector<std::string> stockTableLabels();

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int RecentFileCount = 4;

    explicit CMainFrame(Prompts& prompts, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// Draws the run dialog's live totals chart; given to every run dialog.
    CRunSim1::LiveChartRenderer liveChartRenderer;

    RunConfiguration& configuration() { return cfg_; }
    const QString& dataDirectory() const { return dataDirectory_; }
    int postprisonOption() const { return postprisonOption_; }
    bool hasFullMenu() const { return fullMenu_; }
    Programs* programs() const { return programs_.get(); }
    /// An action by its object name (e.g. "fileSave", "runSimulation"), for the toolbar and tests.
    QAction* action(const QString& name) const;
    /// Names of the top menus now in the menu bar.
    QStringList menuTitles() const;
    /// A menu by its object name (e.g. "programParametersMenu").
    QMenu* menu(const QString& name) const;
    /// The run dialog while one is shown.
    CRunSim1* runDialog() const { return runDialog_; }
    /// The window's content: what the last run of this configuration showed.
    ResultsPanel* results() const { return results_; }
    /// The Scenarios panel, docked at the window's side.
    ScenariosPanel* scenarios() const { return scenarios_; }
    /// The What-if window (View > What-if), its base the configuration the window holds.
    WhatIfWindow* whatIf() const { return whatIf_; }

    // ---- file commands
    void OnFileNew();
    void OnFileOpen();
    /// Save: Save As when untitled. True when the configuration was written.
    bool OnFileSave();
    bool OnFileSaveAs();
    /// A file handed over by the command line, a recent-file entry or a drop.
    void openHandedOver(const QString& path);
    /// The Load step of Open; false (after a message) leaves everything as it was.
    bool loadConfiguration(const QString& path);
    /// Asks to save a changed configuration. False when the person chose to
    /// save and it was not saved: the action that asked must not go on.
    bool saveModified();

    // ---- other commands
    void OnRunSimulation();
    /// Shows the Scenarios panel and compares the base with its scenarios.
    void OnCompareScenarios();
    void OnWhatIf();
    void openSetupDialog(const QString& which);
    void OnPostprisonMode();
    void OnFileNames();
    void OnProgramParameters(int program);
    void OnGridEditor(int fileKey, const QString& label);
    void OnProgramProbabilities(int program);
    void OnEditFile(int fileKey);
    void OnOtherFile();
    void OnGraphOutput();
    void OnAbout();
    void toggleCheckItem(int outputTableKey);

    /// Evaluates the enable and check rules (whenever a menu opens).
    void updateCommandStates();
    /// Shows in the title whether the configuration has changes not yet saved.
    void updateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // main_frame_menus.cpp
    void createActions();
    void showShortMenu();
    void showFullMenu();
    void fillRecentFiles(QMenu* menu);
    void fillProgramMenu(QMenu* menu, bool probabilities);
    QAction* makeAction(const QString& name, const QString& caption);

    // main_frame_scenarios.cpp
    void createScenariosPanel();
    void showScenariosPanel();
    void makeRoomForScenarios();
    /// The base of a comparison or what-if: the configuration as the window holds it.
    std::optional<scenarios::ComparedRun> baseRun();

    // main_frame.cpp
    void afterNewOrOpen();
    void rebuildPrograms();
    void addRecentFile(const QString& path);
    QStringList recentFiles() const;
    void setTitle(const QString& title);
    /// A write that went to disk at once (not by Save) says so in the status bar.
    void showSaved(const QString& what);
    /// False, after a message, when path holds something other than a configuration.
    bool mayWriteConfigurationTo(const QString& path);
    /// Asks a new configuration's folder before anything reads or writes its
    /// files (a run, the grid editor, Edit Files), so nothing of it lands in the
    /// folder of the configuration open before; false when none was chosen.
    bool chooseDataDirectory();
    /// Open, the file names dialog or the question has given this configuration its folder.
    bool hasOwnDataDirectory() const;
    /// The data directory, or the current folder while none is known yet.
    QString workingDataDirectory() const;

    Prompts& prompts_;
    std::unique_ptr<RegistrySettings> registry_;
    RunConfiguration cfg_;
    QString dataDirectory_;
    bool dataDirectoryChosen_ = false; ///< by Open, the file names dialog or the question before a run
    int postprisonOption_ = 1;
    bool saveEnabled_ = false, runEnabled_ = false, fileNamesEnabled_ = false, postprisonEnabled_ = false;
    bool fullMenu_ = false;
    std::unique_ptr<Programs> programs_;
    CRunSim1* runDialog_ = nullptr;
    ResultsPanel* results_ = nullptr;
    ScenariosPanel* scenarios_ = nullptr;
    class QDockWidget* scenariosDock_ = nullptr;
    WhatIfWindow* whatIf_ = nullptr;
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    class QToolBar* toolBar_ = nullptr;
};

} // namespace kov::ui
