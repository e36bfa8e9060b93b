#include "ui/main_frame.h"

#include "config/paths.h"
#include "engine/programs.h"
#include "input/labels.h"
#include "ui/live_chart_area.h"
#include "ui/prompts.h"
#include "ui/prompts_host.h"
#include "ui/configuration_kind.h"
#include "ui/registry_settings.h"
#include "ui/results_panel.h"
#include "ui/scenarios_panel.h"
#include "ui/what_if_window.h"
#include "ui/text_viewer.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

namespace kov::ui {
namespace {

const QString NoResultsYet = QStringLiteral("Run a simulation (Run > Run Simulation) to see its results here.");
const QString ConfigFilter = QStringLiteral("KOV Config Files (*.kov)|*.kov|All Files (*.*)|*.*|");

/// The application's own settings (recent files), apart from the KOVWin values.
QSettings applicationSettings() { return QSettings(QStringLiteral("Kovary"), QStringLiteral("KOVWin")); }

QString localKovFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

} // namespace

CMainFrame::CMainFrame(Prompts& prompts, QWidget* parent) : QMainWindow(parent), prompts_(prompts) {
    liveChartRenderer = drawLiveTotalsChart;
    registry_ = std::make_unique<RegistrySettings>(prompts_);
    const QString stored = registry_->slot(0);
    if (stored == QLatin1String(NotYetSet))
        registry_->setValue(QString::fromLatin1(DataFilePathValue), QDir::currentPath()); // very first start
    else
        dataDirectory_ = stored;

    setGeometry(100, 100, 540, 340);
    setTitle(QStringLiteral("Kovary"));
    setAcceptDrops(true);
    createScenariosPanel();
    createActions();
    showShortMenu();
    results_ = new ResultsPanel(prompts_);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true); // a small window scrolls the results instead of squeezing them
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(results_);
    setCentralWidget(scroll);
    statusBar()->showMessage(QStringLiteral("Ready"));
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::setTitle(const QString& title) {
    // "[*]" is where the window shows its modified marker.
    setWindowTitle(title + QStringLiteral("[*]"));
    updateTitle();
}

void CMainFrame::updateTitle() { setWindowModified(fullMenu_ && cfg_.modified != 0); }

void CMainFrame::showSaved(const QString& what) {
    statusBar()->showMessage(what + QStringLiteral(" saved"));
}

QAction* CMainFrame::action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- file commands

bool CMainFrame::saveModified() {
    if (!cfg_.modified) return true;
    const QString question =
        cfg_.filePath.empty()
            ? QStringLiteral("You have created a new\nconfiguration file\nDo you want to save it?")
            : QString::fromStdString(cfg_.filePath) + QStringLiteral(" has changed.\nDo you want to save the changes?");
    switch (prompts_.saveChanges(this, question)) {
    case SaveAnswer::Save: return OnFileSave(); // Save As when untitled
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

void CMainFrame::afterNewOrOpen() {
    postprisonOption_ = cfg_.intValue(SecPostprison, PostprisonOptions);
    saveEnabled_ = runEnabled_ = fileNamesEnabled_ = postprisonEnabled_ = true;
    if (!fullMenu_) showFullMenu();
    scenarios_->setBaseName(cfg_.filePath.empty() ? QStringLiteral("new configuration")
                                                  : QFileInfo(QString::fromStdString(cfg_.filePath)).fileName());
    whatIf_->configurationChanged();
    updateCommandStates();
}

void CMainFrame::OnFileNew() {
    if (!saveModified()) return;
    cfg_.SetDefaults();
    cfg_.filePath.clear();
    // The folder of the configuration open before is not this one's: a run asks.
    dataDirectoryChosen_ = false;
    // The collection read for another configuration does not belong to this one.
    programs_.reset();
    results_->clear(NoResultsYet);
    afterNewOrOpen();
    cfg_.modified = 1;
    setTitle(QStringLiteral("KOV - New Configuration File"));
}

void CMainFrame::OnFileOpen() {
    if (!saveModified()) return;
    const QString path =
        prompts_.openFileName(this, registry_->value(QString::fromLatin1(DataFilePathValue)), ConfigFilter);
    if (path.isEmpty()) return;
    loadConfiguration(path);
}

bool CMainFrame::loadConfiguration(const QString& path) {
    // A file that is not there must not turn the configuration into defaults.
    QFile probe(path);
    if (!QFileInfo(path).isFile() || !probe.open(QIODevice::ReadOnly)) {
        prompts_.message(this, QStringLiteral("Unable to open file ") + path, Icon::Stop);
        return false;
    }
    probe.close();
    if (const QString reason = notConfigurationReason(path); !reason.isEmpty()) {
        prompts_.message(this, reason, Icon::Stop);
        return false;
    }
    const QString full = QFileInfo(path).absoluteFilePath();
    // Results of another configuration's run do not belong to this one.
    if (full.toStdString() != cfg_.filePath) results_->clear(NoResultsYet);
    cfg_.filePath = full.toStdString();
    cfg_.ReadFromFile();
    addRecentFile(full);
    dataDirectory_ = QFileInfo(full).absolutePath();
    dataDirectoryChosen_ = true;
    registry_->setValue(QString::fromLatin1(DataFilePathValue), dataDirectory_);
    QDir::setCurrent(dataDirectory_);
    afterNewOrOpen();
    rebuildPrograms();
    setTitle(QStringLiteral("KOV - ") + full);
    return true;
}

bool CMainFrame::mayWriteConfigurationTo(const QString& path) {
    if (QFileInfo(path).size() == 0) return true; // nothing there to lose
    const QString reason = notConfigurationReason(path);
    if (reason.isEmpty()) return true;
    prompts_.message(this, reason + QStringLiteral("\nThe configuration was not written into it."), Icon::Stop);
    return false;
}

bool CMainFrame::OnFileSave() {
    if (cfg_.filePath.empty()) return OnFileSaveAs();
    if (!mayWriteConfigurationTo(QString::fromStdString(cfg_.filePath))) return false;
    PromptsHost host(prompts_, this);
    const bool saved = cfg_.Save(host) != 0;
    updateTitle();
    return saved;
}

bool CMainFrame::OnFileSaveAs() {
    const QString start = registry_->value(QString::fromLatin1(DataFilePathValue));
    const QString proposed = cfg_.filePath.empty() ? start + QStringLiteral("/UnTitled")
                                                   : QString::fromStdString(cfg_.filePath);
    const QString chosen = prompts_.saveFileName(this, proposed, ConfigFilter, QStringLiteral("kov"), QString());
    if (chosen.isEmpty() || !mayWriteConfigurationTo(chosen)) return false;
    const std::string previous = cfg_.filePath;
    cfg_.filePath = QFileInfo(chosen).absoluteFilePath().toStdString();
    PromptsHost host(prompts_, this);
    if (!cfg_.Save(host)) {
        cfg_.filePath = previous;
        return false;
    }
    return loadConfiguration(chosen);
}

void CMainFrame::openHandedOver(const QString& path) {
    if (!saveModified()) return;
    loadConfiguration(path);
}

// ---------------------------------------------------------------- recent files

QStringList CMainFrame::recentFiles() const {
    QSettings s = applicationSettings();
    QStringList files;
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QString f = s.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

void CMainFrame::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings s = applicationSettings();
    for (int i = 1; i <= RecentFileCount; ++i)
        s.setValue(QStringLiteral("Recent File List/File%1").arg(i), i <= files.size() ? files[i - 1] : QString());
}

// ---------------------------------------------------------------- programs

void CMainFrame::rebuildPrograms() {
    programs_.reset();
    if (!cfg_.isOn(SecRun, NorvaleCustomizationsKey)) return;
    PromptsHost host(prompts_, this);
    const std::string dir = dataDirectory_.toStdString();
    const std::string labels = cfg_.value(SecFiles, LabelsFile);
    const LabelsCheck check = checkLabelsFile(dataPath(dir, labels), labels, host);
    if (!check.ok) return;
    RunParameters p;
    ApplyToRunParameters(cfg_, p, nullptr);
    CRand crt;
    auto fresh = std::make_unique<Programs>();
    fresh->Load(dataPath(dir, cfg_.value(SecFiles, ProgramDefinitions)),
                dataPath(dir, cfg_.value(SecFiles, ProgramProbabilities)), check.felonyTypes, check.offenses, p, crt,
                host);
    programs_ = std::move(fresh);
}

// ---------------------------------------------------------------- window events

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Text typed into an open viewer is asked about first.
    for (TextViewer* viewer : findChildren<TextViewer*>()) {
        if (!viewer->close()) {
            event->ignore();
            return;
        }
    }
    if (!scenarios_->saveModified() || !saveModified()) {
        event->ignore();
        return;
    }
    scenarios_->cancel();
    whatIf_->close();
    programs_.reset();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!localKovFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = localKovFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openHandedOver(path);
}

} // namespace kov::ui
