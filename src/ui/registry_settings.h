#pragma once
// The settings kept from one start of the application to the next: the data
// directory used last, and three values kept for older installations. They
// live in the platform's settings store under the organisation "KOVWin".
#include <QString>

#include <array>

namespace kov::ui {

class Prompts;

class RegistrySettings {
public:
    static constexpr int SlotCount = 5;
    /// Reads the store, creating it with its defaults on the very first start;
    /// failures are told through prompts and leave the slots empty.
    explicit RegistrySettings(Prompts& prompts);

    /// The text of enumerated value i (empty when there is none).
    QString slot(int i) const { return i >= 0 && i < SlotCount ? slots_[static_cast<std::size_t>(i)] : QString(); }
    /// Writes one value; false (after a message) when the store refused it.
    bool setValue(const QString& name, const QString& text);
    /// The stored value of name, or empty.
    QString value(const QString& name) const;

private:
    bool createDefaults();
    void readSlots();
    Prompts& prompts_;
    std::array<QString, SlotCount> slots_;
};

/// The value names and the data directory's "not yet set" mark.
inline constexpr const char* DataFilePathValue = "DATAFILEPATH";
inline constexpr const char* NotYetSet = "$$";

} // namespace kov::ui
