#pragma once
// The What-if window: levers for admissions by group, the prison probability
// and sentence length of grid cells, the main release values and the year the
// changes start; each move projects again on a thread of its own and draws the
// what-if over the base (run once when the window opens or the configuration
// changes), with the difference by year. A move made while a projection runs
// cancels it; the last projection that went through stays on show until the
// newest one has. Save as Scenario hands the levers to the Scenarios panel
// as a scenario's change lines.
#include "engine/held_files.h"
#include "scenarios/comparison.h"
#include "scenarios/compare_charts.h"
#include "scenarios/what_if_levers.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace kov::ui {

class CopyTable;
class LeverRow;
class Prompts;
class WhatIfJob;

class WhatIfWindow : public QWidget {
    Q_OBJECT
public:
    using BaseRun = std::function<std::optional<scenarios::ComparedRun>()>;

    WhatIfWindow(Prompts& prompts, QWidget* parent = nullptr);
    ~WhatIfWindow() override;

    void setBaseRun(BaseRun baseRun) { baseRun_ = std::move(baseRun); }
    /// Shows the window; runs the base when there is none yet or the configuration changed since.
    void open();
    /// The configuration was replaced: the base runs again now if the window is
    /// shown, else when it is next opened.
    void configurationChanged();
    /// Runs the base again when the window is shown and its configuration is
    /// no longer the one the base ran (a setup dialog changed it).
    void followConfiguration();
    /// Runs the base again and puts every lever at rest.
    void restart();

    /// The levers as change lines.
    std::vector<std::string> changeLines() const;
    bool running() const;
    const std::optional<RunResult>& baseResult() const { return baseResult_; }
    /// The projection on show and the change lines it ran.
    const std::optional<RunResult>& shownResult() const { return shown_; }
    const std::vector<std::string>& shownLines() const { return shownLines_; }
    const std::optional<scenarios::ComparedRun>& base() const { return base_; }
    /// The chart now drawn.
    const scenarios::CompareChart* chart() const { return chart_ ? &*chart_ : nullptr; }
    bool exportChart();

    QComboBox* groupChoice() const { return groupChoice_; }
    LeverRow* admissionsLever() const { return admissions_; }
    QComboBox* tableChoice() const { return tableChoice_; }
    QComboBox* scopeChoice() const { return scopeChoice_; }
    QSpinBox* rowChoice() const { return row_; }
    QSpinBox* columnChoice() const { return column_; }
    LeverRow* prisonLever() const { return prison_; }
    LeverRow* sentenceLever() const { return sentence_; }
    const std::vector<LeverRow*>& releaseLevers() const { return release_; }
    QSpinBox* fromYear() const { return fromYear_; }
    QComboBox* populations() const { return populations_; }
    CopyTable* table() const { return table_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* exportButton() const { return export_; }
    QLabel* statusLabel() const { return status_; }

signals:
    /// Save as Scenario: the levers' change lines, one a line.
    void saveAsScenario(const QString& changes);
    /// A projection ended; shown when it replaced the one on show.
    void projectionEnded(bool shown);
    void baseEnded();

private:
    // what_if_window.cpp
    QWidget* buildLevers();
    QWidget* buildResults();
    void fillChoices();
    void resetLevers();
    void leversChanged();
    void updateCells();
    void setStatus(const QString& text, bool fault);

    // what_if_window_runs.cpp
    void restartWith(std::optional<scenarios::ComparedRun> base);
    void runBase();
    void baseFinished(WhatIfJob* job);
    void reproject();
    void projectionFinished(WhatIfJob* job);
    void fillPopulations();
    void redraw();

    Prompts& prompts_;
    BaseRun baseRun_;
    std::optional<scenarios::ComparedRun> base_;
    /// The base's microdata, read once by the base's job; every projection reads them.
    std::shared_ptr<const HeldFiles> held_;
    scenarios::LeverChoices choices_;
    std::vector<double> admissionsPercent_; ///< per group; the chooser shows one at a time
    bool filling_ = false;

    WhatIfJob* baseJob_ = nullptr;
    WhatIfJob* job_ = nullptr; ///< the newest projection; older ones are cancelled
    std::optional<RunResult> baseResult_;
    std::optional<RunResult> shown_;
    std::vector<std::string> shownLines_;
    std::optional<scenarios::CompareChart> chart_;

    QComboBox* groupChoice_ = nullptr;
    LeverRow* admissions_ = nullptr;
    QComboBox* tableChoice_ = nullptr;
    QComboBox* scopeChoice_ = nullptr;
    QSpinBox* row_ = nullptr;
    QSpinBox* column_ = nullptr;
    QLabel* cellLabel_ = nullptr;
    LeverRow* prison_ = nullptr;
    LeverRow* sentence_ = nullptr;
    std::vector<LeverRow*> release_;
    QSpinBox* fromYear_ = nullptr;
    QLabel* lines_ = nullptr;
    QPushButton* save_ = nullptr;
    QComboBox* populations_ = nullptr;
    QPushButton* export_ = nullptr;
    QVBoxLayout* chartArea_ = nullptr;
    QWidget* chartWidget_ = nullptr;
    CopyTable* table_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace kov::ui
