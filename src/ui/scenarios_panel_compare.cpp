// The Scenarios panel's Compare: the base and every scenario, run side by
// side on a thread of their own, as kovary compare runs them.
#include "results/side_by_side.h"
#include "scenarios/scenario_file.h"
#include "ui/compare_window.h"
#include "ui/comparison_job.h"
#include "ui/scenarios_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace kov::ui {

std::optional<std::vector<scenarios::Scenario>> ScenariosPanel::parsedScenarios(QString& error) const {
    const std::string name = path_.isEmpty() ? std::string("the scenarios") : path_.toStdString();
    std::string why;
    auto parsed = scenarios::parseScenarioFile(name, scenarios::joinScenarioText(file_), why);
    error = QString::fromStdString(why);
    return parsed;
}

void ScenariosPanel::compare() {
    if (running()) return;
    if (file_.sections.empty()) {
        setStatus(QStringLiteral("Nothing to compare: add a scenario (New) or open a scenario file."), true);
        return;
    }
    for (std::size_t i = 0; i < faults_.size(); ++i)
        if (faults_[i]) {
            selectScenario(static_cast<int>(i));
            setStatus(QStringLiteral("\"%1\" has a change that does not read; nothing was run.")
                          .arg(QString::fromStdString(file_.sections[i].name)),
                      true);
            return;
        }
    QString error;
    const auto list = parsedScenarios(error);
    if (!list) {
        setStatus(error, true);
        return;
    }
    const auto base = baseRun_ ? baseRun_() : std::nullopt;
    if (!base) return;
    std::vector<scenarios::ComparedRun> runs{*base};
    for (const scenarios::Scenario& s : *list) runs.push_back(scenarios::scenarioRun(s, *base));
    const int replicates = replicates_->value();
    job_ = new ComparisonJob(std::move(runs), everyCore(), replicates, this);
    connect(job_, &ComparisonJob::finished, this, &ScenariosPanel::comparisonFinished);
    setStatus(QStringLiteral("Running the base and %1 scenario%2%3...")
                  .arg(list->size())
                  .arg(list->size() == 1 ? "" : "s")
                  .arg(replicates > 1 ? QStringLiteral(", %1 replicates of each").arg(replicates) : QString()),
              false);
    job_->start();
    updateStates();
}

void ScenariosPanel::cancel() {
    if (job_) job_->cancel();
}

void ScenariosPanel::comparisonFinished() {
    ComparisonJob* job = job_;
    job_ = nullptr;
    job->deleteLater();
    if (job->cancelled()) {
        setStatus(comparison_ ? QStringLiteral("Cancelled; the results shown are those of the comparison before.")
                              : QStringLiteral("Cancelled."),
                  false);
    } else if (!job->result()) {
        // The scenario whose run failed is put in front, for its changes.
        const std::string& error = job->error();
        for (int i = 0; i < scenarioCount(); ++i)
            if (error.find("\"" + file_.sections[static_cast<std::size_t>(i)].name + "\"") != std::string::npos) {
                selectScenario(i);
                break;
            }
        setStatus(QString::fromStdString(error), true);
    } else {
        comparison_ = std::move(job->result());
        compareWindow_->showComparison(*comparison_);
        compareWindow_->show();
        compareWindow_->raise();
        setStatus(QStringLiteral("Compared the base and %1 scenario%2.")
                      .arg(comparison_->names.size() - 1)
                      .arg(comparison_->names.size() == 2 ? "" : "s"),
                  false);
    }
    updateStates();
    emit comparisonEnded();
}

} // namespace kov::ui
