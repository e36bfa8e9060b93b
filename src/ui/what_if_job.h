#pragma once
// One projection of the What-if window on a thread of its own: finished()
// comes back on the window's thread. Cancel asks the run to stop; a
// cancelled job brings no result, whatever the run had done by then. The
// base's job reads the microdata on that thread too, so the window never
// waits on the disk, and hands them on for the levers' projections.
#include "engine/held_files.h"
#include "results/side_by_side.h"
#include "scenarios/comparison.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace kov::ui {

/// The one place a what-if projection is run; held: the microdata read when the base was set.
FinishedRun projectWhatIf(const scenarios::ComparedRun& run, const std::function<bool()>& stop,
                          std::shared_ptr<const HeldFiles> held);

class WhatIfJob : public QObject {
    Q_OBJECT
public:
    /// held: the microdata the base's job read; none: this is the base's job,
    /// which reads them before it runs.
    WhatIfJob(scenarios::ComparedRun run, std::shared_ptr<const HeldFiles> held, QObject* parent = nullptr);
    /// Stops the run and waits for the thread.
    ~WhatIfJob() override;

    void start();
    void cancel() { stop_ = true; }
    bool cancelled() const { return stop_; }

    const scenarios::ComparedRun& run() const { return run_; }
    /// After finished(): the run's outcome (not ok when cancelled).
    FinishedRun& outcome() { return outcome_; }
    /// After finished(): the microdata the run read from.
    const std::shared_ptr<const HeldFiles>& held() const { return held_; }

signals:
    void finished();

private:
    scenarios::ComparedRun run_;
    std::shared_ptr<const HeldFiles> held_;
    std::atomic<bool> stop_{false};
    std::unique_ptr<QThread> thread_;
    FinishedRun outcome_;
};

} // namespace kov::ui
