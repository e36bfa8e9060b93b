#pragma once
// Setup dialogs described as data: most of them are lists of labelled fields,
// each bound to one configuration key, with its input rule. One dialog class
// (SetupDialog) builds and checks any of these lists.
#include <QString>

#include <vector>

namespace kov::ui {

enum class FieldKind {
    Integer,      ///< whole number within [low, high], written with "%d"
    Text,         ///< text of at most maxChars characters, written as typed
    Probability,  ///< text of at most maxChars characters holding a number in 0..1
    NonEmptyText, ///< text that must hold something besides blanks
    Check,        ///< check box, written "1" or "0" when it differs from the key's integer value
    DisabledCheck ///< check box shown checked by its key but never enabled or written
};

/// Pseudo sections: the run title, and the fields of one prison program.
inline constexpr int TitleSection = -1;
inline constexpr int ProgramSection = -2;
/// A field that stands for no key.
inline constexpr int NoKey = -1;

struct FieldSpec {
    QString label;
    int section = 0;
    int key = 0;
    FieldKind kind = FieldKind::Text;
    int maxChars = 0;    ///< Text, Probability, NonEmptyText; 0 = no limit
    long low = 0;        ///< Integer
    long high = 0;       ///< Integer
    QString message;     ///< Probability, NonEmptyText: what a failed check says
    QString group;       ///< fields with the same group share a frame
    QString tip;         ///< the tooltip: what the field does, in what unit
    QString note;        ///< shown beside the box (a trend weight's calendar year)
};

struct DialogSpec {
    QString title;
    QString heading;
    std::vector<FieldSpec> fields;
    /// On opening, a field whose key is empty stays empty (the run parameters).
    bool fillOnlyWhenNotEmpty = false;
};

// The dialogs of the Set Up and Output Tables menus.
DialogSpec releaseParametersSpec();
DialogSpec sanctionParametersSpec();
DialogSpec runParametersSpec();
DialogSpec trendWeightsSpec();
/// With each weight's calendar year beside it, counted from the First Simulated Year.
DialogSpec trendWeightsSpec(int firstSimulatedYear);
DialogSpec runTitleSpec();
DialogSpec breakdownTablesSpec();
DialogSpec probabilityTablesSpec();
DialogSpec programParametersSpec();

/// Fields of programParametersSpec, in order (the keys of ProgramSection).
enum ProgramField : int {
    ProgramName = 0, ProgramStartMonth, ProgramEndMonth, ProgramLength, ProgramMinimumSavings,
    ProgramCompletion, ProgramBackupYears, ProgramCapacity, ProgramSeed, ProgramRandomizeEntry,
    ProgramReleaseFromPrison, ProgramFieldCount
};

} // namespace kov::ui
