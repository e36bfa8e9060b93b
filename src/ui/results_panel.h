#pragma once
// The main window's view of the last run: the prison counts by year as the
// summary report gives them, a chart of each total per month, and the files
// the run wrote, each with a button that opens it in the program's viewers.
#include "ui/run_results.h"

#include <QStringList>
#include <QWidget>

class QGridLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace kov::ui {

class Prompts;

class ResultsPanel : public QWidget {
    Q_OBJECT
public:
    ResultsPanel(Prompts& prompts, QWidget* parent = nullptr);

    void showResults(const RunResults& results);
    /// Nothing to show: before any run, after New or Open, or after a run that did not end.
    void clear(const QString& why);

    QTableWidget* summaryTable() const { return summary_; }
    QTabWidget* charts() const { return charts_; }
    /// The "View" button of each listed file, in the order of RunResults::files.
    const std::vector<QPushButton*>& viewButtons() const { return viewButtons_; }
    /// The listed files, full paths, in the same order.
    const QStringList& files() const { return files_; }

private:
    void fillSummary(const TotalSeries& prison);
    void fillCharts(const std::vector<TotalSeries>& totals);
    void fillFiles(const std::vector<std::string>& files);
    void view(const QString& path);

    Prompts& prompts_;
    QLabel* heading_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QTabWidget* charts_ = nullptr;
    QWidget* filesBox_ = nullptr;
    QGridLayout* filesGrid_ = nullptr;
    std::vector<QPushButton*> viewButtons_;
    QStringList files_;
};

} // namespace kov::ui
