#include "ui/field_store.h"

#include "base/text.h"
#include "config/run_configuration.h"
#include "engine/programs.h"

namespace kov::ui {

QString ConfigStore::text(const FieldSpec& field) const {
    if (field.section == TitleSection) return QString::fromStdString(cfg_.title);
    if (field.key == NoKey) return {};
    return QString::fromStdString(cfg_.value(field.section, field.key));
}

void ConfigStore::store(const FieldSpec& field, const QString& text) {
    const std::string value = text.toStdString();
    if (field.section == TitleSection) {
        if (cfg_.title == value) return;
        cfg_.title = value;
        cfg_.modified = 1;
        return;
    }
    if (field.key != NoKey) cfg_.setValue(field.section, field.key, value);
}

QString ProgramStore::text(const FieldSpec& field) const {
    const Program& p = program_;
    switch (field.key) {
    case ProgramName: return QString::fromStdString(p.name);
    case ProgramStartMonth: return QString::number(p.startMonth);
    case ProgramEndMonth: return QString::number(p.endMonth);
    case ProgramLength: return QString::number(p.length);
    case ProgramMinimumSavings: return QString::number(p.minimumSavings);
    // As the definitions file holds it.
    case ProgramCompletion: return QString::asprintf("%1.5f", p.completionProbability);
    case ProgramBackupYears: return QString::number(p.backupYears);
    case ProgramCapacity: return QString::number(p.capacity);
    case ProgramSeed: return QString::number(p.randomSeed);
    case ProgramRandomizeEntry: return QString::number(p.randomizeEntryMonth);
    case ProgramReleaseFromPrison: return QString::number(p.releaseFromPrison);
    default: return {};
    }
}

void ProgramStore::store(const FieldSpec& field, const QString& text) {
    Program& p = program_;
    const std::string s = text.toStdString();
    switch (field.key) {
    case ProgramName: p.name = s; break;
    case ProgramStartMonth: p.startMonth = leadingInt(s); break;
    case ProgramEndMonth: p.endMonth = leadingInt(s); break;
    case ProgramLength: p.length = leadingInt(s); break;
    case ProgramMinimumSavings: p.minimumSavings = leadingInt(s); break;
    case ProgramCompletion: p.completionProbability = leadingDouble(s); break;
    case ProgramBackupYears: p.backupYears = leadingInt(s); break;
    case ProgramCapacity: p.capacity = leadingInt(s); break;
    case ProgramSeed: p.randomSeed = leadingInt(s); break;
    case ProgramRandomizeEntry: p.randomizeEntryMonth = leadingInt(s); break;
    case ProgramReleaseFromPrison: p.releaseFromPrison = leadingInt(s); break;
    default: break;
    }
}

} // namespace kov::ui
