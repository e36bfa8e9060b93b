#include "ui/results_panel.h"

#include "reports/graphs/chart_image.h"
#include "reports/graphs/graph_content.h"
#include "ui/discard_widget.h"
#include "ui/image_viewer.h"
#include "ui/prompts.h"
#include "ui/text_viewer.h"

#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace kov::ui {
namespace {

// The row captions of the summary report.
const char* const SummaryRows[] = {"12th Mo.", "Low Mo.", "High Mo.", "Average"};

bool isImage(const QString& path) {
    return QImageReader::supportedImageFormats().contains(QFileInfo(path).suffix().toLower().toLatin1());
}

bool isWorkbook(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls");
}

reports::LineChart chartOf(const TotalSeries& series) {
    reports::LineChart chart;
    chart.title = series.name + " Totals";
    for (std::size_t m = 0; m < series.months.size(); ++m)
        chart.xLabels.push_back(std::to_string(series.firstYear + static_cast<long long>(m / 12)));
    chart.yMin = 0.0;
    chart.yMax = reports::axisUpperLimit(series.months);
    if (!std::isfinite(chart.yMax) || chart.yMax <= chart.yMin) chart.yMax = 1000.0; // nobody in it
    chart.lines.push_back({"", series.months});
    return chart;
}

} // namespace

ResultsPanel::ResultsPanel(Prompts& prompts, QWidget* parent) : QWidget(parent), prompts_(prompts) {
    auto* top = new QVBoxLayout(this);
    heading_ = new QLabel;
    heading_->setObjectName(QStringLiteral("resultsHeading"));
    // No word wrap: a height for width would make the window's scroll area
    // give the panel its preferred height, not the window's.
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(heading_);

    summary_ = new QTableWidget;
    summary_->setObjectName(QStringLiteral("summaryTable"));
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->setToolTip(QStringLiteral("Projected prison population counts by year, as the tables output's summary gives them"));
    summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // As large as its ten years and four rows, no larger: the window scrolls when narrower.
    summary_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summary_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summary_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    summary_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    top->addWidget(summary_);

    // The charts and the file list side by side, so both are seen without scrolling.
    auto* lower = new QSplitter(Qt::Horizontal);
    charts_ = new QTabWidget;
    charts_->setObjectName(QStringLiteral("totalCharts"));
    charts_->setMinimumSize(reports::ChartWidth + 20, reports::ChartHeight + 40);
    lower->addWidget(charts_);
    auto* files = new QGroupBox(QStringLiteral("Output files of the run"));
    auto* filesLayout = new QVBoxLayout(files);
    auto* filesScroll = new QScrollArea;
    filesScroll->setWidgetResizable(true);
    filesScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    filesScroll->setFrameShape(QFrame::NoFrame);
    auto* list = new QWidget;
    filesGrid_ = new QGridLayout(list);
    filesScroll->setWidget(list);
    filesLayout->addWidget(filesScroll);
    filesBox_ = files;
    lower->addWidget(files);
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 1);
    top->addWidget(lower, 1);
    clear(QString());
}

void ResultsPanel::clear(const QString& why) {
    heading_->setText(why);
    summary_->clear();
    summary_->setRowCount(0);
    summary_->setColumnCount(0);
    summary_->hide();
    while (charts_->count() > 0) {
        QWidget* page = charts_->widget(0);
        charts_->removeTab(0);
        discardWidget(page);
    }
    charts_->hide();
    fillFiles({});
    filesBox_->hide();
}

void ResultsPanel::showResults(const RunResults& results) {
    clear(QString());
    const QString folder = results.files.empty()
                               ? QString()
                               : QDir::toNativeSeparators(QFileInfo(QString::fromStdString(results.files.front())).absolutePath());
    heading_->setText(QStringLiteral("Last run: %1 cases, outputs in %2\nSummary of projected prison population counts:")
                          .arg(results.cases)
                          .arg(folder));
    if (!results.totals.empty()) fillSummary(results.totals.front());
    fillCharts(results.totals);
    fillFiles(results.files);
}

void ResultsPanel::fillSummary(const TotalSeries& prison) {
    const std::vector<YearCounts> years = countsByYear(prison);
    summary_->setRowCount(4);
    summary_->setColumnCount(static_cast<int>(years.size()));
    for (int r = 0; r < 4; ++r) summary_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::fromLatin1(SummaryRows[r])));
    for (int c = 0; c < static_cast<int>(years.size()); ++c) {
        const YearCounts& y = years[static_cast<std::size_t>(c)];
        summary_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::number(y.year)));
        const double values[] = {y.twelfthMonth, y.low, y.high, y.average};
        for (int r = 0; r < 4; ++r) {
            auto* item = new QTableWidgetItem(QString::fromStdString(countText(values[r])));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            summary_->setItem(r, c, item);
        }
    }
    summary_->resizeColumnsToContents();
    summary_->show();
}

void ResultsPanel::fillCharts(const std::vector<TotalSeries>& totals) {
    for (const TotalSeries& series : totals) {
        auto* view = new QChartView;
        view->setRenderHint(QPainter::Antialiasing, true);
        view->setMinimumSize(reports::ChartWidth, reports::ChartHeight);
        reports::showChart(*view, chartOf(series));
        charts_->addTab(view, QString::fromStdString(series.name));
    }
    charts_->setVisible(!totals.empty());
}

void ResultsPanel::fillFiles(const std::vector<std::string>& files) {
    // A row's View button may be what led here: it goes once its click is over.
    while (auto item = std::unique_ptr<QLayoutItem>(filesGrid_->takeAt(0))) discardWidget(item->widget());
    for (int r = 0; r < filesGrid_->rowCount(); ++r) filesGrid_->setRowStretch(r, 0);
    viewButtons_.clear();
    files_.clear();
    int row = 0;
    for (const std::string& file : files) {
        const QString path = QString::fromStdString(file);
        files_ << path;
        auto* name = new QLabel(QFileInfo(path).fileName()); // the heading names the folder
        name->setToolTip(QDir::toNativeSeparators(path));
        name->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* button = new QPushButton(QStringLiteral("View"));
        button->setToolTip(isWorkbook(path) ? QStringLiteral("Opens the workbook with the desktop's spreadsheet program")
                                            : QStringLiteral("Opens the file in the program's own viewer"));
        connect(button, &QPushButton::clicked, this, [this, path] { view(path); });
        filesGrid_->addWidget(name, row, 0);
        filesGrid_->addWidget(button, row, 1);
        viewButtons_.push_back(button);
        ++row;
    }
    filesGrid_->setColumnStretch(0, 1);
    filesGrid_->setRowStretch(row, 1);
    // Names and buttons whole; only the list's length scrolls.
    if (auto* scroll = filesBox_->findChild<QScrollArea*>())
        scroll->setMinimumWidth(filesGrid_->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    filesBox_->setVisible(!files.empty());
}

void ResultsPanel::view(const QString& path) {
    // Viewers belong to the main window, so they stay while the panel changes.
    QWidget* owner = window();
    if (isImage(path)) {
        if (!ImageViewer::window(owner)->showImage({QFileInfo(path).fileName(), path}))
            prompts_.message(owner, QStringLiteral("Could not open graph file\n") + path, Icon::Stop);
        return;
    }
    if (isWorkbook(path)) {
        // A workbook has no viewer in the program; the desktop's spreadsheet program shows it.
        if (!prompts_.openExternally(path))
            prompts_.message(owner, QStringLiteral("No program on this desktop opens ") + path, Icon::Stop);
        return;
    }
    TextViewer::open(path, prompts_, owner);
}

} // namespace kov::ui
