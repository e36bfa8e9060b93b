#include "ui/compare_window.h"

#include "reports/graphs/comparison_chart.h"
#include "scenarios/compare_report.h"
#include "ui/copy_table.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <cmath>

namespace kov::ui {
namespace {

const QString ChartFilter =
    QStringLiteral("PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf|");

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
    bar->addWidget(label);
    bar->addWidget(populations_);
    bar->addStretch(1);
    bar->addWidget(export_);
    layout->addLayout(bar);

    auto* split = new QSplitter(Qt::Vertical);
    auto* chartHolder = new QWidget;
    chartArea_ = new QVBoxLayout(chartHolder);
    chartArea_->setContentsMargins(0, 0, 0, 0);
    split->addWidget(chartHolder);
    table_ = new CopyTable;
    table_->setObjectName(QStringLiteral("compareTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setToolTip(QStringLiteral("Average population by year. Ctrl+C copies the selected cells for a spreadsheet."));
    split->addWidget(table_);
    // The chart wants the room to be read; the table scrolls.
    chartHolder->setMinimumHeight(360);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({600, 240});
    layout->addWidget(split, 1);

    connect(populations_, &QComboBox::currentIndexChanged, this, &CompareWindow::choose);
    connect(export_, &QPushButton::clicked, this, [this] { exportChart(); });
    resize(1000, 900);
}

void CompareWindow::showComparison(const scenarios::Comparison& comparison) {
    charts_ = scenarios::compareCharts(comparison);
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
    delete chartWidget_;
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
    table_->setRowCount(figures.empty() ? 0 : static_cast<int>(1 + 3 * (figures.size() - 1)));
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
    if (!c) return false;
    const QString path = prompts_.saveFileName(this, QString::fromStdString(c->fileStem) + QStringLiteral(".png"),
                                               ChartFilter, QStringLiteral("png"), QStringLiteral("Export Chart"));
    if (path.isEmpty()) return false;
    if (reports::saveComparisonChart(*c, path.toStdString())) return true;
    prompts_.message(this, QStringLiteral("The chart could not be written to ") + path, Icon::Stop);
    return false;
}

} // namespace kov::ui
