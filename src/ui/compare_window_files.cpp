// The Compare window's cost and actuals files: chosen by the person, read as
// kovary compare --costs and --actuals read them.
#include "costs/run_costs.h"
#include "ui/compare_tables.h"
#include "ui/compare_window.h"
#include "ui/copy_table.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace kov::ui {
namespace {

const QString CostFilter = QStringLiteral("Cost Files (*.txt)|*.txt|All Files (*.*)|*.*|");
const QString ActualsFilter = QStringLiteral("Actuals Files (*.csv)|*.csv|All Files (*.*)|*.*|");

/// Where the dialog opens: the folder of the file chosen before.
template <typename File>
QString folderOf(const std::optional<File>& file) {
    return file ? QFileInfo(QString::fromStdString(file->path)).absolutePath() : QString();
}

} // namespace

void CompareWindow::chooseCostFile() {
    const QString path = prompts_.openFileName(this, folderOf(costs_), CostFilter);
    if (!path.isEmpty()) setCostFile(path);
}

void CompareWindow::chooseActualsFile() {
    const QString path = prompts_.openFileName(this, folderOf(actuals_), ActualsFilter);
    if (!path.isEmpty()) setActualsFile(path);
}

bool CompareWindow::setCostFile(const QString& path) {
    std::string error;
    auto file = costs::readCostFile(path.toStdString(), error);
    // Every run must write the counts the rates are laid on, as kovary compare checks.
    for (std::size_t i = 0; file && comparison_ && error.empty() && i < comparison_->results.size(); ++i)
        error = costs::missingTables(*file, comparison_->results[i].configuration);
    if (!file || !error.empty()) {
        prompts_.message(this, QString::fromStdString(error), Icon::Stop);
        return false;
    }
    costs_ = std::move(file);
    costsButton_->setText(QStringLiteral("C&osts: ") + QFileInfo(path).fileName());
    fillCosts();
    tabs()->setCurrentIndex(1);
    return true;
}

bool CompareWindow::setActualsFile(const QString& path) {
    std::string error;
    auto file = actuals::readActualsFile(path.toStdString(), error);
    if (!file) {
        prompts_.message(this, QString::fromStdString(error), Icon::Stop);
        return false;
    }
    actuals_ = std::move(file);
    actualsButton_->setText(QStringLiteral("O&bserved: ") + QFileInfo(path).fileName());
    drawActuals();
    choose(populations_->currentIndex());
    return true;
}

void CompareWindow::drawActuals() {
    if (!comparison_) return;
    for (scenarios::CompareChart& chart : charts_)
        chart.actuals = actuals_ ? scenarios::observedMonths(*actuals_, chart, comparison_->results.front().years)
                                 : std::vector<double>{};
}

void CompareWindow::fillCosts() {
    costTable_->clear();
    costTable_->setRowCount(0);
    if (!costs_) {
        costNote_->setText(QStringLiteral("Choose a cost file (Costs...) for each scenario's cost against the base."));
        return;
    }
    if (!comparison_) return;
    fillCostTable(*costTable_, *comparison_, scenarios::costImpacts(*costs_, *comparison_));
    costNote_->setText(QStringLiteral("Beds: the fiscal year's average population. Costs: the scenario's less the "
                                      "base's, at the average and at the marginal daily cost."));
    costNote_->setToolTip(QStringLiteral("Cost file ") + QString::fromStdString(costs_->path));
}

void CompareWindow::fillImpact() {
    const int i = breakdowns_->currentIndex();
    impactTable_->clear();
    impactTable_->setRowCount(0);
    impactNote_->clear();
    if (!comparison_ || i < 0 || i >= static_cast<int>(impact_.breakdowns.size())) return;
    const scenarios::ImpactBreakdown& b = impact_.breakdowns[static_cast<std::size_t>(i)];
    fillImpactTable(*impactTable_, *comparison_, impact_, b);
    if (!b.addsUp)
        impactNote_->setText(QStringLiteral("The groups do not add up to the prison population (the labels file "
                                            "weights them): read the differences only."));
}

} // namespace kov::ui
