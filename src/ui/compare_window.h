#pragma once
// The results of a comparison: a chart of one total population at a time
// (the base and the scenarios above, each scenario's difference from the base
// below, as kovary compare draws it), the average population by year of the
// base and each scenario with the difference and percent change, and Export
// Chart to PNG, SVG or PDF. With a cost file chosen, each scenario's cost
// against the base by fiscal year; whom each scenario affects, breakdown by
// breakdown; with an actuals file chosen, the observed counts on the chart.
#include "actuals/actuals_file.h"
#include "costs/cost_file.h"
#include "scenarios/compare_charts.h"
#include "scenarios/impact.h"

#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

namespace kov::ui {

class CopyTable;
class Prompts;

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    CompareWindow(Prompts& prompts, QWidget* parent = nullptr);

    void showComparison(const scenarios::Comparison& comparison);

    /// Reads the cost file and shows the costs of the comparison; false after a message.
    bool setCostFile(const QString& path);
    /// Reads the observed counts and draws them; false after a message.
    bool setActualsFile(const QString& path);

    QComboBox* populations() const { return populations_; }
    CopyTable* table() const { return table_; }
    CopyTable* costTable() const { return costTable_; }
    CopyTable* impactTable() const { return impactTable_; }
    QComboBox* breakdowns() const { return breakdowns_; }
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* costsButton() const { return costsButton_; }
    QPushButton* actualsButton() const { return actualsButton_; }
    /// The chart now drawn.
    const scenarios::CompareChart* chart() const;
    /// Asks where, then writes the chart now drawn; false when nothing was written.
    bool exportChart();

private:
    QWidget* buildTabs();
    void choose(int index);
    void fillTable(const scenarios::CompareChart& chart);
    // compare_window_files.cpp
    void chooseCostFile();
    void chooseActualsFile();
    void fillCosts();
    void fillImpact();
    void drawActuals();

    Prompts& prompts_;
    QComboBox* populations_ = nullptr;
    QVBoxLayout* chartArea_ = nullptr;
    QWidget* chartWidget_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    CopyTable* table_ = nullptr;
    CopyTable* costTable_ = nullptr;
    QLabel* costNote_ = nullptr;
    CopyTable* impactTable_ = nullptr;
    QComboBox* breakdowns_ = nullptr;
    QLabel* impactNote_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* costsButton_ = nullptr;
    QPushButton* actualsButton_ = nullptr;
    std::vector<scenarios::CompareChart> charts_;
    std::optional<scenarios::Comparison> comparison_;
    scenarios::Impact impact_;
    std::optional<costs::CostFile> costs_;
    std::optional<actuals::ActualsFile> actuals_;
};

} // namespace kov::ui
