#pragma once
// Where a setup dialog's fields come from and go to: the run configuration,
// or the definition of one prison program.
#include "ui/field_spec.h"

namespace kov {
class RunConfiguration;
struct Program;
} // namespace kov

namespace kov::ui {

class FieldStore {
public:
    virtual ~FieldStore() = default;
    /// The stored text of a field's key.
    virtual QString text(const FieldSpec& field) const = 0;
    /// Stores a new text (called only when it differs from text()).
    virtual void store(const FieldSpec& field, const QString& text) = 0;
};

/// Keys of the configuration; storing sets its changed flag.
class ConfigStore final : public FieldStore {
public:
    explicit ConfigStore(RunConfiguration& cfg) : cfg_(cfg) {}
    QString text(const FieldSpec& field) const override;
    void store(const FieldSpec& field, const QString& text) override;

private:
    RunConfiguration& cfg_;
};

/// The fields of one program definition (section ProgramSection).
class ProgramStore final : public FieldStore {
public:
    explicit ProgramStore(Program& program) : program_(program) {}
    QString text(const FieldSpec& field) const override;
    void store(const FieldSpec& field, const QString& text) override;

private:
    Program& program_;
};

} // namespace kov::ui
