// The main window's Scenarios panel: docked at the side, its base the
// configuration the window holds, its results in the Compare window.
#include "scenarios/scenario_file.h"
#include "ui/main_frame.h"
#include "ui/prompts.h"
#include "ui/scenarios_panel.h"
#include "ui/what_if_window.h"

#include <QAction>
#include <QDockWidget>
#include <QScreen>

#include <algorithm>

namespace kov::ui {

void CMainFrame::createScenariosPanel() {
    scenarios_ = new ScenariosPanel(prompts_);
    scenariosDock_ = new QDockWidget(QStringLiteral("Scenarios"), this);
    scenariosDock_->setObjectName(QStringLiteral("scenariosDock"));
    scenariosDock_->setWidget(scenarios_);
    addDockWidget(Qt::RightDockWidgetArea, scenariosDock_);
    // Out of the way until asked for: the window starts small.
    scenariosDock_->hide();
    connect(scenariosDock_->toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
        if (shown) makeRoomForScenarios();
    });
    scenarios_->setBaseRun([this] { return baseRun(); });

    whatIf_ = new WhatIfWindow(prompts_, this);
    whatIf_->setBaseRun([this] { return baseRun(); });
    connect(scenarios_, &ScenariosPanel::whatIfRequested, this, &CMainFrame::OnWhatIf);
    connect(whatIf_, &WhatIfWindow::saveAsScenario, this, [this](const QString& changes) {
        scenarios_->addScenario(QStringLiteral("What-if"), changes);
        showScenariosPanel();
    });
}

std::optional<scenarios::ComparedRun> CMainFrame::baseRun() {
    if (!runEnabled_) {
        prompts_.message(this, QStringLiteral("Open a configuration first: the base runs it."), Icon::Stop);
        return std::nullopt;
    }
    if (!chooseDataDirectory()) return std::nullopt;
    // The configuration as the window holds it, saved or not.
    return scenarios::ComparedRun{scenarios::BaseName, cfg_, workingDataDirectory().toStdString(), {}, {}, 0};
}

void CMainFrame::OnWhatIf() {
    if (!runEnabled_) return;
    whatIf_->open();
}

void CMainFrame::showScenariosPanel() {
    if (scenariosDock_->isVisible()) return;
    scenariosDock_->show();
    makeRoomForScenarios();
}

void CMainFrame::makeRoomForScenarios() {
    // Room for the panel beside the results, within the screen.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(std::max(width(), 1250), screen.width()), std::min(std::max(height(), 760), screen.height()));
    resizeDocks({scenariosDock_}, {420}, Qt::Horizontal);
}

void CMainFrame::OnCompareScenarios() {
    if (!runEnabled_) return;
    showScenariosPanel();
    scenarios_->compare();
}

} // namespace kov::ui
