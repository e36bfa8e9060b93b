// The What-if window's projections: the base once, then the levers' newest
// position, each on a thread of its own; and what the one on show draws.
#include "reports/graphs/comparison_chart.h"
#include "scenarios/compare_report.h"
#include "scenarios/scenario_file.h"
#include "ui/chart_export.h"
#include "ui/copy_table.h"
#include "ui/discard_widget.h"
#include "ui/prompts.h"
#include "ui/what_if_job.h"
#include "ui/what_if_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace kov::ui {
namespace {

constexpr const char* WhatIfName = "what-if";

bool sameRun(const scenarios::ComparedRun& a, const scenarios::ComparedRun& b) {
    if (a.dataDirectory != b.dataDirectory || a.cfg.title != b.cfg.title) return false;
    for (int s = 0; s < SectionCount; ++s)
        for (int k = 0; k < RunConfiguration::SectionKeyCounts[static_cast<std::size_t>(s)]; ++k)
            if (a.cfg.value(s, k) != b.cfg.value(s, k)) return false;
    return true;
}

QString count(double v) { return std::isfinite(v) ? QString::number(v, 'f', 0) : QStringLiteral("n/a"); }

QString signedCount(double v) {
    const QString s = count(v);
    if (s == QLatin1String("0") || s == QLatin1String("-0")) return QStringLiteral("0");
    return s.startsWith(QLatin1Char('-')) || !std::isfinite(v) ? s : QLatin1Char('+') + s;
}

} // namespace

bool WhatIfWindow::running() const { return baseJob_ || job_; }

void WhatIfWindow::open() {
    show();
    raise();
    activateWindow();
    auto now = baseRun_ ? baseRun_() : std::nullopt;
    if (!now) return;
    if (!base_ || !sameRun(*base_, *now) || (!baseResult_ && !baseJob_)) restartWith(std::move(now));
}

void WhatIfWindow::configurationChanged() {
    base_.reset();
    if (isVisible()) restart();
}

void WhatIfWindow::followConfiguration() {
    if (!isVisible() || !base_ || !baseRun_) return;
    auto now = baseRun_();
    if (now && !sameRun(*base_, *now)) restartWith(std::move(now));
}

void WhatIfWindow::restart() { restartWith(baseRun_ ? baseRun_() : std::nullopt); }

void WhatIfWindow::restartWith(std::optional<scenarios::ComparedRun> base) {
    base_ = std::move(base);
    // A base still running is left to end on its own thread (it may be reading
    // the microdata); its end is not waited for and shows nothing.
    if (baseJob_) baseJob_->cancel();
    baseJob_ = nullptr;
    held_.reset();
    if (job_) job_->cancel();
    job_ = nullptr;
    baseResult_.reset();
    shown_.reset();
    shownLines_.clear();
    redraw();
    if (!base_) {
        setStatus(QStringLiteral("Open a configuration first: the what-if changes it."), true);
        return;
    }
    std::string error;
    auto choices = scenarios::readLeverChoices(base_->cfg, base_->dataDirectory, error);
    if (!choices) {
        setStatus(QStringLiteral("The levers cannot be set up: ") + QString::fromStdString(error), true);
        base_.reset();
        return;
    }
    choices_ = std::move(*choices);
    fillChoices();
    leversChanged();
    runBase();
}

void WhatIfWindow::runBase() {
    baseJob_ = new WhatIfJob(*base_, nullptr, this);
    WhatIfJob* job = baseJob_;
    connect(job, &WhatIfJob::finished, this, [this, job] { baseFinished(job); });
    setStatus(QStringLiteral("Running the base..."), false);
    job->start();
}

void WhatIfWindow::baseFinished(WhatIfJob* job) {
    job->deleteLater();
    if (job != baseJob_) return;
    baseJob_ = nullptr;
    held_ = job->held();
    FinishedRun& run = job->outcome();
    if (!run.ok) {
        setStatus(QStringLiteral("The base did not run: ") + QString::fromStdString(run.message), true);
        emit baseEnded();
        return;
    }
    baseResult_ = std::move(run.result);
    fromYear_->setRange(baseResult_->firstYear, baseResult_->firstYear + baseResult_->years - 1);
    fillPopulations();
    if (changeLines().empty()) {
        // Every lever at rest: the what-if is the base, with nothing to run.
        shown_ = baseResult_;
        shownLines_.clear();
        setStatus(QStringLiteral("Base projected. Move a lever to see its effect."), false);
        redraw();
    } else {
        reproject();
    }
    emit baseEnded();
}

void WhatIfWindow::reproject() {
    if (!base_ || baseJob_ || !baseResult_) return; // the base's end projects the levers
    if (job_) job_->cancel();
    job_ = nullptr;
    scenarios::Scenario s;
    s.name = WhatIfName;
    for (const std::string& line : changeLines()) {
        std::string error;
        if (!scenarios::parseChangeLine(WhatIfName, line, s, error)) {
            setStatus(QString::fromStdString(error), true);
            return;
        }
    }
    job_ = new WhatIfJob(scenarios::scenarioRun(s, *base_), held_, this);
    WhatIfJob* job = job_;
    connect(job, &WhatIfJob::finished, this, [this, job] { projectionFinished(job); });
    setStatus(QStringLiteral("Projecting..."), false);
    job->start();
}

void WhatIfWindow::projectionFinished(WhatIfJob* job) {
    job->deleteLater();
    const bool newest = job == job_;
    if (newest) job_ = nullptr;
    FinishedRun& run = job->outcome();
    // Only the newest projection is shown: an older one was cancelled, even when it had ended first.
    const bool show = newest && !job->cancelled() && run.ok;
    if (show) {
        shown_ = std::move(run.result);
        shownLines_ = job->run().changes;
        setStatus(shownLines_.empty() ? QStringLiteral("Every lever at rest: the what-if is the base.")
                                      : QStringLiteral("Projected."),
                  false);
        redraw();
    } else if (newest && !job->cancelled()) {
        setStatus(QStringLiteral("Not projected; the chart shows the last projection that went through. ") +
                      QString::fromStdString(run.message),
                  true);
    }
    emit projectionEnded(show);
}

void WhatIfWindow::fillPopulations() {
    const QString was = populations_->currentText();
    {
        const QSignalBlocker quiet(populations_);
        populations_->clear();
        for (const auto& t : scenarios::totalSeries(*baseResult_))
            populations_->addItem(QString::fromStdString(t.population), QString::fromStdString(t.table));
        const int again = populations_->findText(was);
        populations_->setCurrentIndex(again >= 0 ? again : 0);
    }
}

void WhatIfWindow::redraw() {
    discardWidget(chartWidget_);
    chartWidget_ = nullptr;
    chart_.reset();
    table_->clear();
    table_->setRowCount(0);
    export_->setEnabled(false);
    if (!baseResult_ || !shown_ || populations_->currentIndex() < 0) return;
    scenarios::CompareChart c;
    const std::string population = populations_->currentText().toStdString();
    c.title = population + " population: base and what-if";
    c.yTitle = population + " population";
    c.firstYear = baseResult_->firstYear;
    c.names = {scenarios::BaseName, WhatIfName};
    c.table = populations_->currentData().toString().toStdString();
    c.monthly = {baseResult_->monthly(c.table, "Total"), shown_->monthly(c.table, "Total")};
    // "Home Detention" as what-if-home-detention, "Supervision (all levels)" as what-if-supervision.
    c.fileStem = "what-if-" + populations_->currentText().section(QStringLiteral(" ("), 0, 0).toLower()
                                  .replace(QLatin1Char(' '), QLatin1Char('-')).toStdString();
    c.faintBase = true;
    c.differenceTitle = "What-if less base";
    chart_ = std::move(c);
    chartWidget_ = reports::comparisonChartWidget(*chart_);
    chartArea_->addWidget(chartWidget_);
    export_->setEnabled(true);

    // Years across, as the Compare window shows them: the chart keeps the height.
    const auto base = scenarios::yearFigures(chart_->monthly[0]), whatIf = scenarios::yearFigures(chart_->monthly[1]);
    const int years = static_cast<int>(std::min(base.size(), whatIf.size()));
    table_->setColumnCount(years + 1);
    table_->setRowCount(4);
    QStringList heading{QStringLiteral("Average population")};
    for (int y = 0; y < years; ++y) heading << QString::number(chart_->firstYear + y);
    table_->setHorizontalHeaderLabels(heading);
    const QString labels[] = {QStringLiteral("base"), QStringLiteral("what-if"), QStringLiteral("  difference"),
                              QStringLiteral("  % change")};
    for (int row = 0; row < 4; ++row) table_->setItem(row, 0, new QTableWidgetItem(labels[row]));
    for (int y = 0; y < years; ++y) {
        const auto& b = base[static_cast<std::size_t>(y)];
        const auto& w = whatIf[static_cast<std::size_t>(y)];
        const QString cells[] = {count(b.average), count(w.average), signedCount(w.average - b.average),
                                 QString::fromStdString(scenarios::percentChange(b.average, w.average))};
        for (int row = 0; row < 4; ++row) {
            auto* item = new QTableWidgetItem(cells[row]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, y + 1, item);
        }
    }
    table_->resizeColumnsToContents();
}

bool WhatIfWindow::exportChart() { return chart_ && exportComparisonChart(this, prompts_, *chart_); }

} // namespace kov::ui
