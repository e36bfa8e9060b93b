#include "ui/compare_window.h"

#include "reports/graphs/comparison_chart.h"
#include "scenarios/compare_report.h"
#include "ui/chart_export.h"
#include "ui/copy_table.h"
#include "ui/discard_widget.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kov::ui {
namespace {


QString count(double v) { return std::isfinite(v) ? QString::number(v, 'f', 0) : QStringLiteral("n/a"); }

QString signedCount(double v) {
    if (!std::isfinite(v)) return QStringLiteral("n/a");
    const QString s = QString::number(v, 'f', 0);
    if (s == QLatin1String("0") || s == QLatin1String("-0")) return QStringLiteral("0");
    return s.startsWith(QLatin1Char('-')) ? s : QLatin1Char('+') + s;
}

/// "Prison" of "Prison population".
QString populationOf(const scenarios::CompareChart& c) {
    QString y = QString::fromStdString(c.yTitle);
    y.chop(static_cast<int>(QStringLiteral(" population").size()));
    return y;
}

} // namespace

CompareWindow::CompareWindow(Prompts& prompts, QWidget* parent) : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName(QStringLiteral("compareWindow"));
    setWindowTitle(QStringLiteral("Compare Scenarios"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Population:"));
    populations_ = new QComboBox;
    populations_->setObjectName(QStringLiteral("comparePopulations"));
    label->setBuddy(populations_);
    export_ = new QPushButton(QStringLiteral("&Export Chart..."));
    export_->setObjectName(QStringLiteral("exportChart"));
    costsButton_ = new QPushButton(QStringLiteral("C&osts..."));
    costsButton_->setObjectName(QStringLiteral("compareCosts"));
    costsButton_->setToolTip(QStringLiteral("A cost file: the cost of each scenario against the base by fiscal year"));
    actualsButton_ = new QPushButton(QStringLiteral("O&bserved..."));
    actualsButton_->setObjectName(QStringLiteral("compareActuals"));
    actualsButton_->setToolTip(QStringLiteral("An actuals file: the observed counts drawn on the chart"));
    bar->addWidget(label);
    bar->addWidget(populations_);
    bar->addStretch(1);
    for (QPushButton* b : {costsButton_, actualsButton_, export_}) bar->addWidget(b);
    layout->addLayout(bar);

    auto* split = new QSplitter(Qt::Vertical);
    auto* chartHolder = new QWidget;
    chartArea_ = new QVBoxLayout(chartHolder);
    chartArea_->setContentsMargins(0, 0, 0, 0);
    split->addWidget(chartHolder);
    split->addWidget(buildTabs());
    // The chart wants the room to be read; the table scrolls.
    chartHolder->setMinimumHeight(360);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({600, 240});
    layout->addWidget(split, 1);

    connect(populations_, &QComboBox::currentIndexChanged, this, &CompareWindow::choose);
    connect(export_, &QPushButton::clicked, this, [this] { exportChart(); });
    connect(costsButton_, &QPushButton::clicked, this, &CompareWindow::chooseCostFile);
    connect(actualsButton_, &QPushButton::clicked, this, &CompareWindow::chooseActualsFile);
    resize(1000, 900);
}

QWidget* CompareWindow::buildTabs() {
    const auto newTable = [](const char* name, const QString& tip) {
        auto* t = new CopyTable;
        t->setObjectName(QString::fromLatin1(name));
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->verticalHeader()->hide();
        t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
        t->setToolTip(tip + QStringLiteral(" Ctrl+C copies the selected cells for a spreadsheet."));
        return t;
    };
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("compareTabs"));
    table_ = newTable("compareTable", QStringLiteral("Average population by year."));
    tabs_->addTab(table_, QStringLiteral("&Averages"));

    auto* costPage = new QWidget;
    auto* costColumn = new QVBoxLayout(costPage);
    costNote_ = new QLabel;
    costNote_->setWordWrap(true);
    costTable_ = newTable("compareCostTable", QStringLiteral("Scenario less base by fiscal year."));
    costColumn->addWidget(costNote_);
    costColumn->addWidget(costTable_, 1);
    tabs_->addTab(costPage, QStringLiteral("C&osts"));

    auto* impactPage = new QWidget;
    auto* impactColumn = new QVBoxLayout(impactPage);
    auto* impactBar = new QHBoxLayout;
    auto* impactLabel = new QLabel(QStringLiteral("Prison population by:"));
    breakdowns_ = new QComboBox;
    breakdowns_->setObjectName(QStringLiteral("compareBreakdowns"));
    impactLabel->setBuddy(breakdowns_);
    impactNote_ = new QLabel;
    impactNote_->setWordWrap(true);
    impactBar->addWidget(impactLabel);
    impactBar->addWidget(breakdowns_);
    impactBar->addWidget(impactNote_, 1);
    impactTable_ = newTable("compareImpactTable", QStringLiteral("Average prison population by group and year."));
    impactColumn->addLayout(impactBar);
    impactColumn->addWidget(impactTable_, 1);
    tabs_->addTab(impactPage, QStringLiteral("&Impact by group"));
    connect(breakdowns_, &QComboBox::currentIndexChanged, this, &CompareWindow::fillImpact);
    return tabs_;
}

void CompareWindow::showComparison(const scenarios::Comparison& comparison) {
    comparison_ = comparison;
    charts_ = scenarios::compareCharts(comparison);
    drawActuals();
    fillCosts();
    impact_ = scenarios::impactOf(comparison);
    {
        const QString was = breakdowns_->currentText();
        const QSignalBlocker quiet(breakdowns_);
        breakdowns_->clear();
        for (const auto& b : impact_.breakdowns) breakdowns_->addItem(QString::fromStdString(b.name));
        breakdowns_->setCurrentIndex(std::max(0, breakdowns_->findText(was)));
    }
    fillImpact();
    const QString was = populations_->currentText();
    {
        const QSignalBlocker quiet(populations_);
        populations_->clear();
        for (const auto& c : charts_) populations_->addItem(populationOf(c));
    }
    // The population looked at before stays in view.
    const int again = populations_->findText(was);
    populations_->setCurrentIndex(again >= 0 ? again : 0);
    choose(populations_->currentIndex());
}

const scenarios::CompareChart* CompareWindow::chart() const {
    const int i = populations_->currentIndex();
    return i >= 0 && i < static_cast<int>(charts_.size()) ? &charts_[static_cast<std::size_t>(i)] : nullptr;
}

void CompareWindow::choose(int index) {
    // Gone from the window at once: it shows only the chart chosen now.
    discardWidget(chartWidget_);
    chartWidget_ = nullptr;
    export_->setEnabled(false);
    if (index < 0 || index >= static_cast<int>(charts_.size())) return;
    const scenarios::CompareChart& c = charts_[static_cast<std::size_t>(index)];
    chartWidget_ = reports::comparisonChartWidget(c);
    chartArea_->addWidget(chartWidget_);
    fillTable(c);
    export_->setEnabled(true);
}

void CompareWindow::fillTable(const scenarios::CompareChart& c) {
    std::vector<std::vector<scenarios::YearFigures>> figures;
    for (const auto& run : c.monthly) figures.push_back(scenarios::yearFigures(run));
    const int years = figures.empty() ? 0 : static_cast<int>(figures.front().size());
    table_->clear();
    table_->setColumnCount(years + 1);
    QStringList heading{QStringLiteral("Average population")};
    for (int y = 0; y < years; ++y) heading << QString::number(c.firstYear + y);
    table_->setHorizontalHeaderLabels(heading);
    const bool banded = c.bands.size() == figures.size();
    table_->setRowCount(figures.empty() ? 0
                                        : static_cast<int>(1 + 3 * (figures.size() - 1) + (banded ? figures.size() : 0)));
    int row = 0;
    const auto addRow = [&](const QString& label, auto cell) {
        table_->setItem(row, 0, new QTableWidgetItem(label));
        for (int y = 0; y < years; ++y) {
            auto* item = new QTableWidgetItem(cell(static_cast<std::size_t>(y)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, y + 1, item);
        }
        ++row;
    };
    for (std::size_t r = 0; r < figures.size(); ++r) {
        const auto& run = figures[r];
        const auto& base = figures.front();
        addRow(QString::fromStdString(c.names[r]), [&](std::size_t y) { return count(run[y].average); });
        if (banded) {
            const scenarios::ReplicateBand& band = c.bands[r];
            addRow(QStringLiteral("  p05\u2013p95"), [&](std::size_t y) {
                return y < band.yearLow.size() ? count(band.yearLow[y]) + QStringLiteral("\u2013") + count(band.yearHigh[y])
                                               : QString();
            });
        }
        if (r == 0) continue;
        addRow(QStringLiteral("  difference"),
               [&](std::size_t y) { return signedCount(run[y].average - base[y].average); });
        addRow(QStringLiteral("  % change"), [&](std::size_t y) {
            return QString::fromStdString(scenarios::percentChange(base[y].average, run[y].average));
        });
    }
    table_->resizeColumnsToContents();
}

bool CompareWindow::exportChart() {
    const scenarios::CompareChart* c = chart();
    return c && exportComparisonChart(this, prompts_, *c);
}

} // namespace kov::ui
