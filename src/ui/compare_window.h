#pragma once
// The results of a comparison: a chart of one total population at a time
// (the base and the scenarios above, each scenario's difference from the base
// below, as kovary compare draws it), the average population by year of the
// base and each scenario with the difference and percent change, and Export
// Chart to PNG, SVG or PDF.
#include "scenarios/compare_charts.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace kov::ui {

class CopyTable;
class Prompts;

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    CompareWindow(Prompts& prompts, QWidget* parent = nullptr);

    void showComparison(const scenarios::Comparison& comparison);

    QComboBox* populations() const { return populations_; }
    CopyTable* table() const { return table_; }
    QPushButton* exportButton() const { return export_; }
    /// The chart now drawn.
    const scenarios::CompareChart* chart() const;
    /// Asks where, then writes the chart now drawn; false when nothing was written.
    bool exportChart();

private:
    void choose(int index);
    void fillTable(const scenarios::CompareChart& chart);

    Prompts& prompts_;
    QComboBox* populations_ = nullptr;
    QVBoxLayout* chartArea_ = nullptr;
    QWidget* chartWidget_ = nullptr;
    CopyTable* table_ = nullptr;
    QPushButton* export_ = nullptr;
    std::vector<scenarios::CompareChart> charts_;
};

} // namespace kov::ui
