#include "ui/registry_settings.h"

#include "ui/prompts.h"

#include <QSettings>
#include <QStringList>

namespace kov::ui {
namespace {

constexpr const char* Organisation = "KOVWin";

// Each message is a fixed text, the error code and ".\n", then what the code means.
QString errorText(const char* prefix, long code) {
    QString meaning;
    if (code == QSettings::AccessError) meaning = QStringLiteral("(Access error: the settings file cannot be read or written)\n");
    if (code == QSettings::FormatError) meaning = QStringLiteral("(Format error: the settings file is not in order)\n");
    return QString::fromLatin1(prefix) + QString::number(code) + QStringLiteral(".\n") + meaning;
}

long statusCode(const QSettings& s) { return static_cast<long>(s.status()); }

} // namespace

RegistrySettings::RegistrySettings(Prompts& prompts) : prompts_(prompts) {
    {
        QSettings store(QString::fromLatin1(Organisation));
        if (store.status() != QSettings::NoError) {
            prompts_.message(nullptr, errorText("Could not open key(HKEY_LOCAL_MACHINE\\SOFTWARE\\KOVWin). Error code ",
                                                statusCode(store)));
            return;
        }
        if (store.childKeys().isEmpty() && !createDefaults()) return;
    }
    readSlots();
}

bool RegistrySettings::createDefaults() {
    QSettings store(QString::fromLatin1(Organisation));
    struct Default {
        const char* name;
        const char* text;
        const char* failure;
    };
    static const Default defaults[] = {
        {DataFilePathValue, NotYetSet, "Could not set registery value(DATAFILEPATH).  Error code "},
        {"guideconfig", "11", "Could not set registery value (guideconfig) . Error code "},
        {"Prob", "  ", "Could not set registery value (Prob) . Error code "},
        {"KOVSTOCK", "  ", "Could not set registery value (KOVSTOCK) . Error code "},
    };
    for (const Default& d : defaults) {
        store.setValue(QString::fromLatin1(d.name), QString::fromLatin1(d.text));
        store.sync();
        if (store.status() != QSettings::NoError) {
            prompts_.message(nullptr, errorText(d.failure, statusCode(store)));
            return false;
        }
    }
    return true;
}

void RegistrySettings::readSlots() {
    const QSettings store(QString::fromLatin1(Organisation));
    const QStringList names = store.childKeys();
    // Only five values have a slot; further ones are not read.
    for (qsizetype i = 0; i < names.size() && i < SlotCount; ++i)
        slots_[static_cast<std::size_t>(i)] = store.value(names[i]).toString();
}

bool RegistrySettings::setValue(const QString& name, const QString& text) {
    QSettings store(QString::fromLatin1(Organisation));
    store.setValue(name, text);
    store.sync();
    if (store.status() != QSettings::NoError) {
        prompts_.message(nullptr, QStringLiteral("Could not set registry value (") + name + QStringLiteral(").  ") +
                                      errorText("Error code ", statusCode(store)));
        return false;
    }
    const QStringList names = store.childKeys();
    const qsizetype i = names.indexOf(name);
    if (i >= 0 && i < SlotCount) slots_[static_cast<std::size_t>(i)] = text;
    return true;
}

QString RegistrySettings::value(const QString& name) const {
    const QSettings store(QString::fromLatin1(Organisation));
    return store.value(name).toString();
}

} // namespace kov::ui
