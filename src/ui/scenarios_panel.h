#pragma once
// The Scenarios panel: the base (the open configuration) and the named
// scenarios of a scenario file, each scenario's changes edited as the file
// writes them and checked as they are typed; the file opened and saved in the
// command line's format; Compare runs the base and every scenario on a thread
// of their own and shows the results in the Compare window.
#include "scenarios/comparison.h"
#include "scenarios/scenario_file.h"
#include "scenarios/scenario_sections.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace kov::ui {

class CompareWindow;
class ComparisonJob;
class Prompts;

class ScenariosPanel : public QWidget {
    Q_OBJECT
public:
    /// The base run of a comparison, from the window's configuration; nullopt
    /// (after saying why) when there is none to run.
    using BaseRun = std::function<std::optional<scenarios::ComparedRun>()>;

    ScenariosPanel(Prompts& prompts, QWidget* parent = nullptr);
    ~ScenariosPanel() override;

    void setBaseRun(BaseRun baseRun) { baseRun_ = std::move(baseRun); }
    /// The configuration the base runs, as the list names it.
    void setBaseName(const QString& name);

    // ---- the file (scenarios_panel_file.cpp)
    void onOpen();
    bool openFile(const QString& path);
    bool onSave();
    bool onSaveAs();
    /// Asks to save changed scenarios; false when the action that asked must not go on.
    bool saveModified();
    bool isModified() const { return modified_; }
    const QString& filePath() const { return path_; }

    // ---- the scenarios
    /// Adds a scenario with a name of its own and selects it for editing.
    void newScenario();
    /// Adds a scenario of the given changes under a name of its own made from
    /// stem ("What-if 2"), selected for editing; returns its index.
    int addScenario(const QString& stem, const QString& changes);
    /// False (with the reason shown) when the name cannot be taken.
    bool renameScenario(int index, const QString& name);
    void removeScenario(int index);
    /// Selects scenario index (0 is the first scenario), or the base for -1.
    void selectScenario(int index);
    int scenarioCount() const { return static_cast<int>(file_.sections.size()); }

    // ---- comparing (scenarios_panel_compare.cpp)
    /// Checks every scenario, then runs the comparison on its thread.
    void compare();
    void cancel();
    bool running() const { return job_ != nullptr; }
    /// The last comparison that went through.
    const std::optional<scenarios::Comparison>& comparison() const { return comparison_; }

    QListWidget* list() const { return list_; }
    QPlainTextEdit* editor() const { return editor_; }
    QLabel* faultLabel() const { return fault_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* compareButton() const { return compareButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    /// Runs of each run of a comparison; above 1, the chart shades their spread.
    QSpinBox* replicatesBox() const { return replicates_; }
    CompareWindow* compareWindow() const { return compareWindow_; }

signals:
    /// A comparison ended: went through, failed or was cancelled.
    void comparisonEnded();
    /// The What-if button: the levers for the base.
    void whatIfRequested();

private:
    void buildLayout();
    void fillList();
    void showSelected();
    void editorChanged();
    void recheck(std::size_t section);
    void showFault();
    void updateStates();
    void setModified(bool modified);
    void setStatus(const QString& text, bool fault);
    /// The whole file's scenarios, checked as kovary compare reads them.
    std::optional<std::vector<scenarios::Scenario>> parsedScenarios(QString& error) const;
    void comparisonFinished();
    bool writeTo(const QString& path);
    QString freeName(const QString& stem) const;

    Prompts& prompts_;
    BaseRun baseRun_;
    QString baseName_;
    QString path_;
    bool modified_ = false;
    scenarios::ScenarioSections file_;
    std::vector<std::optional<scenarios::ScenarioFault>> faults_; ///< per section
    int selected_ = -1; ///< section shown in the editor, -1 for the base
    bool filling_ = false; ///< the editor or the list is being filled, not edited

    QListWidget* list_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    QLabel* fault_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QSpinBox* replicates_ = nullptr;
    QProgressBar* busy_ = nullptr;
    ComparisonJob* job_ = nullptr;
    CompareWindow* compareWindow_ = nullptr;
    std::optional<scenarios::Comparison> comparison_;
};

} // namespace kov::ui
