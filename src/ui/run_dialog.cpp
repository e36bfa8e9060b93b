#include "ui/run_dialog.h"

#include "config/paths.h"
#include "config/run_configuration.h"
#include "ui/code_meanings.h"
#include "ui/image_viewer.h"
#include "ui/prompts.h"
#include "ui/run_reports.h"
#include "ui/text_viewer.h"
#include "ui/view_graphs_dialog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kov::ui {
namespace {

QPushButton* button(const char* caption, QLayout* into) {
    auto* b = new QPushButton(QString::fromLatin1(caption));
    // Enter is the dialog's OK, never a press of whichever button has the focus.
    b->setAutoDefault(false);
    into->addWidget(b);
    return b;
}

} // namespace

CRunSim1::CRunSim1(RunConfiguration& cfg, const QString& dataDirectory, Prompts& prompts,
                   LiveChartRenderer liveChart, QWidget* parent)
    : QDialog(parent), cfg_(cfg), dataDirectory_(dataDirectory), prompts_(prompts), liveChart_(std::move(liveChart)) {
    sim_ = std::make_unique<Simulation>(cfg_, dataDirectory_.toStdString(), *this);
    sim_->reports = runReportHooks(prompts_, this);
    graphLayout_ = cfg_.isOn(SecRun, ShowGraph);
    setWindowTitle(QStringLiteral("Run  Simulation Screen"));

    auto* top = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    auto* buttons = new QVBoxLayout;
    run_ = button("Run Simulation", buttons);
    run_->setDefault(true); // Enter runs
    viewOutput_ = button("View Output", buttons);
    viewOutputWith_ = button("View Output With", buttons);
    viewGraphs_ = button("View Graphs", buttons);
    cancel_ = button("Cancel", buttons);
    buttons->addStretch(1);
    if (!graphLayout_) body->addStretch(1);
    body->addLayout(buttons);
    if (!graphLayout_) body->addStretch(1);
    if (graphLayout_) {
        // The live chart renderer draws here; until then the area stays empty.
        auto* area = new QFrame;
        area->setObjectName(QStringLiteral("chartArea"));
        area->setFrameShape(QFrame::StyledPanel);
        // Room for a 400 x 250 chart inside the frame.
        area->setMinimumSize(400 + 2 * area->frameWidth(), 250 + 2 * area->frameWidth());
        chartArea_ = area;
        body->addWidget(chartArea_, 1);
    }
    top->addLayout(body, 1);
    outputs_ = new QLabel;
    outputs_->setObjectName(QStringLiteral("outputsLine"));
    outputs_->setWordWrap(true);
    outputs_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(outputs_);
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(true);
    progress_->setFormat(QString());
    top->addWidget(progress_);
    status_ = new QLabel;
    status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    status_->setMinimumWidth(graphLayout_ ? 560 : 380);
    top->addWidget(status_);
    prompt_ = new QLabel(QStringLiteral("Press Run Simulation to begin"));
    prompt_->setAlignment(Qt::AlignCenter);
    top->addWidget(prompt_);

    connect(run_, &QPushButton::clicked, this, &CRunSim1::OnRunSim);
    connect(viewOutput_, &QPushButton::clicked, this, &CRunSim1::OnViewOutput);
    connect(viewOutputWith_, &QPushButton::clicked, this, &CRunSim1::OnViewOutputWith);
    connect(viewGraphs_, &QPushButton::clicked, this, &CRunSim1::OnViewGraphs);
    connect(cancel_, &QPushButton::clicked, this, &CRunSim1::reject);
    OnInitDialog();
}

// Viewers opened from the dialog outlive it, under the main window.
CRunSim1::~CRunSim1() { handOverViewers(this); }

void CRunSim1::OnInitDialog() {
    sim_->engine().err.record("OnInitDialog", 428);
    viewOutput_->setEnabled(false);
    viewOutputWith_->setEnabled(false);
    viewGraphs_->setEnabled(false);
    removeExchangeFile();
    // The outputs replace files of the same names, so say where before Run.
    const QFileInfo tables(QString::fromStdString(sim_->tablesOutputPath()));
    outputs_->setText(QStringLiteral("Outputs go to the folder ") + QDir::toNativeSeparators(tables.absolutePath()) +
                      QStringLiteral(" (tables output ") + tables.fileName() + QStringLiteral(")"));
    if (graphLayout_) {
        graphInterval_ = cfg_.intValue(SecRun, CasesBetweenGraphs);
        chartArea_->setEnabled(true);
    }
}

void CRunSim1::removeExchangeFile() const {
    QFile::remove(QString::fromStdString(sim_->exchangePath()));
}

// ---- Host

void CRunSim1::message(const std::string& text, MessageIcon icon) {
    refresh(); // the status the message follows
    prompts_.message(this, withCodeMeanings(QString::fromStdString(text)),
                     icon == MessageIcon::Stop ? Icon::Stop : Icon::Plain);
}

void CRunSim1::status(const std::string& text) {
    pendingStatus_ = QString::fromStdString(text);
    statusPending_ = true;
    refreshSoon();
}

void CRunSim1::progress(long done, long total) {
    casesDone_ = done;
    if (total > 0) casesTotal_ = total;
    progressPending_ = true;
    refreshSoon();
}

void CRunSim1::refreshSoon() {
    // Drawing every report would cost the run more than its cases do.
    if (state_ != State::Running || !sinceRefresh_.isValid() || sinceRefresh_.elapsed() >= RefreshMilliseconds)
        refresh();
}

void CRunSim1::refresh() {
    sinceRefresh_.start();
    if (statusPending_) status_->setText(pendingStatus_);
    statusPending_ = false;
    if (chartPending_ && liveChart_) {
        liveChart_(chartArea_, pendingTotals_, pendingLabels_);
        chartArea_->update();
    }
    chartPending_ = false;
    if (!progressPending_) return;
    progressPending_ = false;
    const long total = std::max(casesTotal_, casesDone_);
    if (total <= 0) return;
    // The bar holds ints; files of more lines are shown in proportion.
    constexpr long Steps = 100000;
    progress_->setRange(0, static_cast<int>(Steps));
    progress_->setValue(static_cast<int>(casesDone_ * Steps / total));
    QString text = QStringLiteral("%1 of %2 cases (%p%)").arg(casesDone_).arg(total);
    const qint64 elapsed = sinceStart_.isValid() ? sinceStart_.elapsed() : 0;
    if (casesDone_ > 0 && casesDone_ < total && elapsed > 0) {
        const qint64 left = elapsed * (total - casesDone_) / casesDone_ / 1000;
        text += left >= 60 ? QStringLiteral(", about %1 min %2 s left").arg(left / 60).arg(left % 60)
                           : QStringLiteral(", about %1 s left").arg(left);
    }
    progress_->setFormat(text);
}

long CRunSim1::countCases() const {
    QFile file(QString::fromStdString(sim_->filePath(CourtMicrodataFile)));
    if (!file.open(QIODevice::ReadOnly)) return 0;
    long lines = 0;
    bool open = false; // a last line without its line end counts too
    QByteArray block;
    while (!(block = file.read(1 << 20)).isEmpty()) {
        lines += block.count('\n');
        open = !block.endsWith('\n');
    }
    return lines + (open ? 1 : 0);
}

void CRunSim1::prompt(const std::string& text) { prompt_->setText(QString::fromStdString(text)); }

bool CRunSim1::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return cancelPressed_;
}

// ---- the run

void CRunSim1::OnRunSim() {
    // One run at a time: the button is disabled while a run goes on, and a
    // click still queued when it was disabled must not start a second one.
    // After a run, Run starts another at once: the wait ends with it.
    if (state_ == State::Running) return;
    state_ = State::Running;
    cancelPressed_ = false;
    canClose_ = false;
    cancel_->setEnabled(true);
    cancel_->setText(QStringLiteral("Cancel"));
    run_->setEnabled(false);
    viewOutput_->setEnabled(false);
    viewOutputWith_->setEnabled(false);
    viewGraphs_->setEnabled(false);

    Simulation& sim = *sim_;
    // An interval of 0 or less never refreshes the chart.
    if (graphLayout_ && liveChart_ && graphInterval_ > 0) {
        sim.options.liveGraph = [this](const Series& totals, const std::vector<std::string>& labels) {
            pendingTotals_ = totals;
            pendingLabels_ = labels;
            chartPending_ = true;
            refreshSoon();
        };
        sim.options.graphInterval = graphInterval_;
    } else {
        sim.options.liveGraph = nullptr;
        sim.options.graphInterval = 0;
    }

    status_->clear();
    statusPending_ = progressPending_ = chartPending_ = false;
    casesDone_ = 0;
    casesTotal_ = countCases();
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setFormat(QString());
    sinceStart_.start();
    sinceRefresh_.invalidate();
    lastResults_.reset();
    RunResults results;
    sim.inspectFinishedState = [&results](const Simulation& finished) { results.totals = finishedRunTotals(finished); };
    const long long startedAt = QDateTime::currentSecsSinceEpoch();
    const RunOutcome outcome = sim.OnRunSim();
    sim.inspectFinishedState = nullptr;
    ++runsStarted_;
    if (outcome == RunOutcome::Completed) {
        results.cases = sim.engine().err.m_CaseNumber;
        results.files = writtenOutputFiles(sim, startedAt);
        lastResults_ = std::move(results);
    }
    state_ = State::Idle; // so the last reports are shown whatever comes next
    if (outcome == RunOutcome::Completed) {
        // The case loop reports every hundred cases; the end is all of them.
        casesDone_ = casesTotal_ = sim.engine().err.m_CaseNumber;
        progressPending_ = true;
    }
    refresh();
    // Workbooks are written before the run ends, so even a run that failed
    // afterwards may have saved one under a new name.
    takeWrittenWorkbookNames(cfg_, sim.m_Workbooks);
    switch (outcome) {
    case RunOutcome::Completed: enterWaitLoop(); return;
    case RunOutcome::Canceled: showErrorWindow(); return;
    case RunOutcome::Failed: break;
    }
    switch (sim.failureShown()) {
    case FailureShown::StatusLine: showErrorWindow(); return;
    case FailureShown::StopMessage:
        // An unexpected fault escaped the run: it has been reported; the dialog closes.
        state_ = State::ErrorShown;
        canClose_ = true;
        done(QDialog::Rejected);
        return;
    case FailureShown::Nowhere:
        // The run arrays could not be made: nothing started.
        state_ = State::Idle;
        canClose_ = true;
        run_->setEnabled(true);
        return;
    }
}

void CRunSim1::showErrorWindow() {
    state_ = State::ErrorShown;
    run_->setEnabled(true);
    cancel_->setEnabled(true);
    cancel_->setText(QStringLiteral("Exit"));
    canClose_ = true;
    cancelPressed_ = false;
}

void CRunSim1::enterWaitLoop() {
    state_ = State::Waiting;
    run_->setEnabled(true);
    cancel_->setEnabled(true);
    cancel_->setText(QStringLiteral("Exit"));
    viewOutput_->setEnabled(true);
    viewOutputWith_->setEnabled(true);
    viewGraphs_->setEnabled(cfg_.isOn(SecRun, CreateGraphs));
    cancelPressed_ = false;
}

void CRunSim1::endWait(bool viewFailed) {
    removeExchangeFile();
    if (viewFailed || cancelPressed_) {
        done(QDialog::Rejected);
        return;
    }
    enterWaitLoop();
}

void CRunSim1::OnViewOutput() {
    sim_->engine().err.record("OnViewOutput", 478);
    if (state_ != State::Waiting) return;
    const QString path = QString::fromStdString(sim_->tablesOutputPath());
    // A desktop without an application for the file gets the program's own viewer.
    const bool opened = prompts_.openExternally(path) || TextViewer::open(path, prompts_, this) != nullptr;
    endWait(!opened);
}

void CRunSim1::OnViewOutputWith() {
    sim_->engine().err.record("OnViewOutputWith", 470);
    if (state_ != State::Waiting) return;
    // Owned by this dialog while it is open, so its modality does not block
    // the viewer; handed to the main window when the dialog closes.
    const bool opened = TextViewer::open(QString::fromStdString(sim_->tablesOutputPath()), prompts_, this) != nullptr;
    endWait(!opened);
}

void CRunSim1::OnViewGraphs() {
    CViewGraphs dialog(cfg_, prompts_, this);
    dialog.exec();
}

void CRunSim1::reject() {
    switch (state_) {
    case State::Running:
        // Asks the run to stop at its next poll; the dialog stays.
        cancelPressed_ = true;
        sim_->requestCancel();
        return;
    case State::Waiting:
        // Exit: the wait ends and the dialog closes.
        cancelPressed_ = true;
        endWait(false);
        return;
    case State::Idle:
    case State::ErrorShown:
        if (canClose_) QDialog::reject();
        return;
    }
}

void CRunSim1::accept() {
    sim_->engine().err.record("OnOK", 486);
    if (state_ == State::Waiting) {
        endWait(false); // OK only starts the wait again
        return;
    }
    if (state_ != State::Running && canClose_) QDialog::accept();
}

void CRunSim1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter runs whenever Run could be pressed; otherwise it is the dialog's OK.
        if (run_->isEnabled()) OnRunSim();
        else accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kov::ui
