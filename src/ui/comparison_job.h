#pragma once
// A comparison run on a thread of its own, so the window stays responsive:
// finished() comes back on the window's thread. Cancel asks the runs to stop;
// a cancelled job brings no results, whatever the runs had done by then.
#include "scenarios/comparison.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QThread;

namespace kov::ui {

class ComparisonJob : public QObject {
    Q_OBJECT
public:
    /// Each run `replicates` times: a band around each run's line.
    ComparisonJob(std::vector<scenarios::ComparedRun> runs, int jobs, int replicates = 1, QObject* parent = nullptr);
    /// Stops the runs and waits for the thread.
    ~ComparisonJob() override;

    void start();
    void cancel() { stop_ = true; }
    bool cancelled() const { return stop_; }
    bool running() const;

    /// After finished(): the comparison, or nullopt with error() saying why.
    std::optional<scenarios::Comparison>& result() { return result_; }
    const std::string& error() const { return error_; }

signals:
    void finished();

private:
    void run();

    std::vector<scenarios::ComparedRun> runs_;
    int jobs_;
    int replicates_;
    std::atomic<bool> stop_{false};
    std::unique_ptr<QThread> thread_;
    std::optional<scenarios::Comparison> result_;
    std::string error_;
};

} // namespace kov::ui
