#pragma once
// The run dialog: starts a run, shows its progress, lets it be cancelled and
// the output viewed afterwards. The run executes inside the Run Simulation
// handler on this (the only) thread; pump() lets button presses through
// while it goes on. Its runs draw the graph files and write the workbooks;
// a workbook written under a new name gives the configuration that name.
#include "base/host.h"
#include "run/simulation.h"
#include "ui/run_results.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

class CRunSim1 : public QDialog, public Host {
    Q_OBJECT
public:
    /// Draws the live totals chart into the chart area (the graph layout only).
    using LiveChartRenderer = std::function<void(QWidget* chartArea, const Series& totals,
                                                 const std::vector<std::string>& monthLabels)>;
    enum class State { Idle, Running, Waiting, ErrorShown };

    CRunSim1(RunConfiguration& cfg, const QString& dataDirectory, Prompts& prompts,
             LiveChartRenderer liveChart = {}, QWidget* parent = nullptr);
    ~CRunSim1() override;

    // Host: what the run shows and asks.
    void message(const std::string& text, MessageIcon icon) override;
    void status(const std::string& text) override;
    void prompt(const std::string& text) override;
    void progress(long done, long total) override;
    bool pump() override;

    /// The status line and the chart change at most this often during a run.
    static constexpr int RefreshMilliseconds = 250;

    State state() const { return state_; }
    /// 1: plain layout; 2: with the chart area ("Show Graph" on).
    int layoutNumber() const { return graphLayout_ ? 2 : 1; }
    int graphInterval() const { return graphInterval_; }
    Simulation& simulation() { return *sim_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* viewOutputButton() const { return viewOutput_; }
    QPushButton* viewOutputWithButton() const { return viewOutputWith_; }
    QPushButton* viewGraphsButton() const { return viewGraphs_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* statusLine() const { return status_; }
    QLabel* promptLine() const { return prompt_; }
    /// Cases done of the court microdata's lines, with the time left.
    QProgressBar* progressBar() const { return progress_; }
    /// Where the run will write its outputs, shown before Run.
    QLabel* outputsLine() const { return outputs_; }
    /// The area the live chart is drawn in; nullptr in the plain layout.
    QWidget* chartArea() const { return chartArea_; }
    /// What the last run showed, when it went through to its end.
    const std::optional<RunResults>& lastResults() const { return lastResults_; }
    /// Runs started in this dialog, whatever their end.
    int runsStarted() const { return runsStarted_; }

public slots:
    void OnRunSim();
    void OnViewOutput();
    void OnViewOutputWith();
    void OnViewGraphs();
    /// Cancel, Escape and the close box.
    void reject() override;
    /// OK (Enter).
    void accept() override;

protected:
    void keyPressEvent(class QKeyEvent* event) override;

private:
    void OnInitDialog();
    void enterWaitLoop();
    /// The end of one turn of the wait loop: close when asked or when viewing failed.
    void endWait(bool viewFailed);
    void showErrorWindow();
    void removeExchangeFile() const;
    /// Shows what the run reported since the last refresh: status, progress, chart.
    void refresh();
    /// refresh() when the last one is long enough ago, or the run is over.
    void refreshSoon();
    /// Lines of the court microdata file: the cases the run will read.
    long countCases() const;

    RunConfiguration& cfg_;
    QString dataDirectory_;
    Prompts& prompts_;
    LiveChartRenderer liveChart_;
    std::unique_ptr<Simulation> sim_;
    State state_ = State::Idle;
    bool graphLayout_ = false;
    int graphInterval_ = 0;
    /// Cancel (Exit after a run) pressed: the run's pump answers it, the wait ends on it.
    bool cancelPressed_ = false;
    bool canClose_ = true; ///< an idle dialog may be closed; a running one only after its report

    // What the run reported, shown by refresh().
    QElapsedTimer sinceRefresh_, sinceStart_;
    QString pendingStatus_;
    bool statusPending_ = false;
    long casesDone_ = 0, casesTotal_ = 0;
    bool progressPending_ = false;
    Series pendingTotals_;
    std::vector<std::string> pendingLabels_;
    bool chartPending_ = false;
    std::optional<RunResults> lastResults_;
    int runsStarted_ = 0;

    QPushButton* run_ = nullptr;
    QPushButton* viewOutput_ = nullptr;
    QPushButton* viewOutputWith_ = nullptr;
    QPushButton* viewGraphs_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLabel* outputs_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QWidget* chartArea_ = nullptr;
};

} // namespace kov::ui
