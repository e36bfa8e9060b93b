#include "ui/comparison_job.h"

#include <QThread>

namespace kov::ui {

ComparisonJob::ComparisonJob(std::vector<scenarios::ComparedRun> runs, int jobs, int replicates, QObject* parent)
    : QObject(parent), runs_(std::move(runs)), jobs_(jobs), replicates_(replicates) {}

ComparisonJob::~ComparisonJob() {
    if (!thread_) return;
    stop_ = true;
    thread_->wait();
}

bool ComparisonJob::running() const { return thread_ && thread_->isRunning(); }

void ComparisonJob::start() {
    thread_.reset(QThread::create([this] { run(); }));
    // Queued to this object's thread: the window reads the result there.
    connect(thread_.get(), &QThread::finished, this, &ComparisonJob::finished, Qt::QueuedConnection);
    thread_->start();
}

void ComparisonJob::run() {
    result_ = scenarios::runComparison(runs_, jobs_, [this] { return stop_.load(); }, error_, replicates_);
    if (!result_ || stop_) {
        result_.reset();
        if (stop_) error_ = "cancelled";
        return;
    }
    // The table and charts read every run on the base's years.
    const int first = result_->results.front().firstYear;
    for (std::size_t i = 1; i < result_->results.size(); ++i)
        if (result_->results[i].firstYear != first) {
            error_ = "\"" + result_->names[i] + "\" starts in " + std::to_string(result_->results[i].firstYear) +
                     " and the base in " + std::to_string(first) + ": runs of a comparison must start in the same year";
            result_.reset();
            return;
        }
}

} // namespace kov::ui
