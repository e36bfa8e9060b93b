// The field lists of the setup dialogs: captions, keys and input rules.
#include "config/run_configuration.h"
#include "ui/field_spec.h"

namespace kov::ui {
namespace {

const QString ProbabilityMessage = QStringLiteral("Probability data must be between 0 and 1");
const QString NumberMessage = QStringLiteral("Enter a number between 0 and 1");

QString keyName(int section, int key) {
    return QString::fromStdString(RunConfiguration::SectionKeys(section)[static_cast<std::size_t>(key)]);
}

FieldSpec integer(const QString& label, int section, int key, long low, long high, const QString& group = {}) {
    FieldSpec f;
    f.label = label;
    f.section = section;
    f.key = key;
    f.kind = FieldKind::Integer;
    f.low = low;
    f.high = high;
    f.group = group;
    return f;
}

FieldSpec text(const QString& label, int section, int key, int maxChars, const QString& group = {}) {
    FieldSpec f;
    f.label = label;
    f.section = section;
    f.key = key;
    f.kind = FieldKind::Text;
    f.maxChars = maxChars;
    f.group = group;
    return f;
}

FieldSpec probability(const QString& label, int section, int key, int maxChars, const QString& message) {
    FieldSpec f = text(label, section, key, maxChars);
    f.kind = FieldKind::Probability;
    f.message = message;
    return f;
}

FieldSpec check(const QString& label, int section, int key, const QString& group = {}) {
    FieldSpec f;
    f.label = label;
    f.section = section;
    f.key = key;
    f.kind = FieldKind::Check;
    f.group = group;
    return f;
}

FieldSpec disabledCheck(const QString& label, int section, int key, const QString& group = {}) {
    FieldSpec f = check(label, section, key, group);
    f.kind = FieldKind::DisabledCheck;
    return f;
}

} // namespace

DialogSpec releaseParametersSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Release Parameters Setup");
    d.heading = QStringLiteral("R E L E A S E    P A R A M E T E R S ");
    const int s = SecRelease;
    // Keys 0, 1, 4, 5 and 9 are probabilities; the others are lengths in months (or days).
    for (int k = 0; k < RunConfiguration::SectionKeyCounts[SecRelease]; ++k) {
        const bool isProbability = k == 0 || k == 1 || k == 4 || k == 5 || k == 9;
        d.fields.push_back(isProbability ? probability(keyName(s, k), s, k, 5, ProbabilityMessage)
                                         : integer(keyName(s, k), s, k, 0, 999));
    }
    return d;
}

DialogSpec sanctionParametersSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Non-Prison Sanctions Parameters Setup");
    const int s = SecSanctions;
    for (int k = 0; k < RunConfiguration::SectionKeyCounts[SecSanctions]; ++k)
        d.fields.push_back(k == 2 ? probability(keyName(s, k), s, k, 8, NumberMessage)
                                  : integer(keyName(s, k), s, k, 0, 999));
    return d;
}

DialogSpec runParametersSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Run Parameters Setup");
    d.heading = QStringLiteral("R U N  P A R A M E T E R S");
    d.fillOnlyWhenNotEmpty = true;
    const int s = SecRun;
    d.fields = {
        integer(QStringLiteral("Number of Cases"), s, NumberOfCases, 0, 999999),
        probability(QStringLiteral("Sampling Fraction"), s, SamplingFractionKey, 8, NumberMessage),
        probability(QStringLiteral("Court Volume"), s, CourtVolumeKey, 8, NumberMessage),
        integer(QStringLiteral("First Simulated Year"), s, FirstSimulatedYearKey, 1900, 2099),
        integer(QStringLiteral("Random Starting No."), s, RandomStartingNumberKey, 0, 9999999),
        integer(QStringLiteral("Number of Cases between Graph Displays"), s, CasesBetweenGraphs, 0, 999999),
        check(QStringLiteral("Randomize Month"), s, RandomizeMonthKey),
        check(QStringLiteral("Norvale Customizations"), s, NorvaleCustomizationsKey),
        check(QStringLiteral("Display Totals Graph During Simulation"), s, ShowGraph),
        check(QStringLiteral("Create Graphs"), s, CreateGraphs),
    };
    return d;
}

DialogSpec trendWeightsSpec() {
    static const char* const years[] = {"One",  "Two",    "Three",  "Four",     "Five",
                                        "Six",  "Seven",  "Eight",  "Nine",     "Ten",
                                        "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen"};
    DialogSpec d;
    d.title = QStringLiteral("Trend Weights Setup");
    d.heading = QStringLiteral("T R E N D  W E I G H T S");
    for (const auto& [section, group] : {std::pair{int{SecTrendBackup}, QStringLiteral("Backup Years")},
                                         std::pair{int{SecTrendSimulation}, QStringLiteral("Simulation Years")}})
        for (int k = 0; k < 15; ++k)
            d.fields.push_back(text(QStringLiteral("Year ") + QString::fromLatin1(years[k]), section, k, 5, group));
    return d;
}

DialogSpec runTitleSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Title of this Simulation Run Entry Screen");
    d.fields = {text(QStringLiteral("Title of This Simulation"), TitleSection, NoKey, 79)};
    return d;
}

DialogSpec breakdownTablesSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Breakdown Tables to Output");
    const int s = SecOutputTables;
    const QString sanctions = QStringLiteral("Sanctions Tables");
    d.fields = {
        check(QStringLiteral("Prison Demographics"), s, OutPrisonDemographics),
        check(QStringLiteral("Prison Entry/Exit"), s, OutPrisonEntryExit),
        check(QStringLiteral("Offense Type by Age and Gender"), s, OutFelonyByAgeAndGender),
        check(QStringLiteral("Jail"), s, OutJail),
        check(QStringLiteral("Felony Type"), s, OutPrisonDemosByFelonyType),
        disabledCheck(QStringLiteral("Postprison"), s, OutPostprison),
        check(QStringLiteral("Residential Treatment"), s, OutResidentialTreatment, sanctions),
        check(QStringLiteral("Home Detention"), s, OutHomeDetention, sanctions),
        check(QStringLiteral("Fines"), s, OutFines, sanctions),
        check(QStringLiteral("Restitution"), s, OutRestitution, sanctions),
        check(QStringLiteral("Community Service"), s, OutCommunityService, sanctions),
        check(QStringLiteral("Supervision"), s, OutSupervision),
    };
    return d;
}

DialogSpec probabilityTablesSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Input Probability Tables to output");
    const int s = SecProbabilityTables;
    int k = 0;
    d.fields.push_back(check(QStringLiteral("Misdemeanor"), s, k++));
    d.fields.push_back(check(QStringLiteral("Prison"), s, k++));
    for (const char* name : {"Jail", "Res Trtmnt", "Home Det", "Fines", "Comm Svc", "Restitution"})
        for (int level = 1; level <= 3; ++level)
            d.fields.push_back(check(QString::fromLatin1(name) + QStringLiteral(" Level ") + QString::number(level), s, k++));
    d.fields.push_back(check(QStringLiteral("Supervision Revocation"), s, k++));
    d.fields.push_back(disabledCheck(QStringLiteral("Stock"), s, NoKey));
    return d;
}

DialogSpec programParametersSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Program Parameters");
    const int s = ProgramSection;
    FieldSpec name = text(QStringLiteral("Program Name"), s, ProgramName, 0);
    name.kind = FieldKind::NonEmptyText;
    name.message = QStringLiteral("Program Name must not be empty");
    d.fields = {
        name,
        integer(QStringLiteral("Starting Month"), s, ProgramStartMonth, 1, 119),
        integer(QStringLiteral("Ending Month"), s, ProgramEndMonth, 2, 180),
        integer(QStringLiteral("Length in Months"), s, ProgramLength, 1, 120),
        integer(QStringLiteral("Minimum Savings in Months"), s, ProgramMinimumSavings, 0, 120),
        probability(QStringLiteral("Probability of Completion"), s, ProgramCompletion, 20, ProbabilityMessage),
        integer(QStringLiteral("Number Of Backup Years"), s, ProgramBackupYears, 0, 5),
        integer(QStringLiteral("Capacity"), s, ProgramCapacity, 0, 1000),
        integer(QStringLiteral("Random Seed"), s, ProgramSeed, 0, 9999999),
        check(QStringLiteral("Randomize Entry Month"), s, ProgramRandomizeEntry),
        check(QStringLiteral("Release From Prison"), s, ProgramReleaseFromPrison),
    };
    return d;
}

} // namespace kov::ui
