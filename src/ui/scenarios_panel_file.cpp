// The Scenarios panel's file: opened and saved as kovary compare reads it.
#include "ui/prompts.h"
#include "ui/scenarios_panel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kov::ui {
namespace {

const QString ScenarioFilter = QStringLiteral("Scenario Files (*.txt)|*.txt|All Files (*.*)|*.*|");

} // namespace

bool ScenariosPanel::saveModified() {
    if (!modified_) return true;
    const QString question =
        path_.isEmpty() ? QStringLiteral("The scenarios have not been saved.\nDo you want to save them?")
                        : path_ + QStringLiteral(" has changed.\nDo you want to save the changes?");
    switch (prompts_.saveChanges(this, question)) {
    case SaveAnswer::Save: return onSave();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

void ScenariosPanel::onOpen() {
    if (!saveModified()) return;
    const QString path = prompts_.openFileName(this, path_.isEmpty() ? QDir::currentPath() : path_, ScenarioFilter);
    if (!path.isEmpty()) openFile(path);
}

bool ScenariosPanel::openFile(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        prompts_.message(this, QStringLiteral("Unable to open file ") + path, Icon::Stop);
        return false;
    }
    const QByteArray bytes = in.readAll();
    file_ = scenarios::splitScenarioText(bytes.toStdString());
    path_ = QFileInfo(path).absoluteFilePath();
    selected_ = file_.sections.empty() ? -1 : 0;
    fillList();
    setModified(false);
    setStatus({}, false);
    return true;
}

bool ScenariosPanel::onSave() { return path_.isEmpty() ? onSaveAs() : writeTo(path_); }

bool ScenariosPanel::onSaveAs() {
    const QString proposed = path_.isEmpty() ? QDir::currentPath() + QStringLiteral("/scenarios.txt") : path_;
    const QString chosen = prompts_.saveFileName(this, proposed, ScenarioFilter, QStringLiteral("txt"),
                                                 QStringLiteral("Save Scenarios As"));
    return !chosen.isEmpty() && writeTo(chosen);
}

bool ScenariosPanel::writeTo(const QString& path) {
    QSaveFile out(path);
    const std::string text = scenarios::joinScenarioText(file_);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !out.commit()) {
        prompts_.message(this, QStringLiteral("The scenarios could not be written to ") + path, Icon::Stop);
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    setModified(false);
    // Saved as it is; a change that does not read is said here, as kovary compare would say it.
    QString error;
    if (!parsedScenarios(error)) setStatus(QStringLiteral("Saved, but ") + error, true);
    else setStatus(QStringLiteral("Saved ") + path_, false);
    return true;
}

} // namespace kov::ui
