#include "ui/what_if_job.h"

#include "results/run_for_results.h"

#include <QThread>

namespace kov::ui {

FinishedRun projectWhatIf(const scenarios::ComparedRun& run, const std::function<bool()>& stop,
                          std::shared_ptr<const HeldFiles> held) {
    return runForResults(run.cfg, run.dataDirectory, run.policy, stop, std::move(held), ResultScope::Totals);
}

WhatIfJob::WhatIfJob(scenarios::ComparedRun run, std::shared_ptr<const HeldFiles> held, QObject* parent)
    : QObject(parent), run_(std::move(run)), held_(std::move(held)) {}

WhatIfJob::~WhatIfJob() {
    if (!thread_) return;
    stop_ = true;
    thread_->wait();
}

void WhatIfJob::start() {
    thread_.reset(QThread::create([this] {
        if (!held_) held_ = readMicrodata({{run_.cfg, run_.dataDirectory}});
        if (!stop_) outcome_ = projectWhatIf(run_, [this] { return stop_.load(); }, held_);
        if (stop_) outcome_ = FinishedRun{};
    }));
    // Queued to this object's thread: the window reads the outcome and the held files there.
    connect(thread_.get(), &QThread::finished, this, &WhatIfJob::finished, Qt::QueuedConnection);
    thread_->start();
}

} // namespace kov::ui
