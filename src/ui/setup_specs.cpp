// The field lists of the setup dialogs: captions, keys and input rules.
#include "config/run_configuration.h"
#include "ui/field_spec.h"

#include <cstddef>

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

template <std::size_t N>
void withTips(DialogSpec& d, const char* const (&tips)[N]) {
    for (std::size_t i = 0; i < d.fields.size() && i < N; ++i) d.fields[i].tip = QString::fromLatin1(tips[i]);
}

// What each field does and in what unit, in the order of the fields.
const char* const ReleaseTips[] = {
    "Probability (0 to 1) that a prisoner goes to pre-release before release",
    "Probability (0 to 1) that a prisoner in pre-release completes it; the others go back to prison",
    "Months a prisoner spends in pre-release",
    "Months added to the prison term when pre-release is revoked",
    "Probability (0 to 1) that a prisoner not sent to pre-release is released",
    "Probability (0 to 1) that a release is revoked and the person returns to prison",
    "Months after release at which a revocation takes place",
    "Months in prison for a first revocation of release",
    "Months in prison for a second revocation of release",
    "Probability (0 to 1) that a person on post-prison supervision violates it",
    "Months of post-prison supervision before a violation",
    "Months of increased supervision after a violation",
    "Supervision levels added after a violation (the highest level is 5)",
    "Days in jail after a post-prison supervision violation (each full 30 days count as a month)",
    "Months at each supervision level before it is lowered by one; 0: no post-prison supervision is counted",
    "Months of home detention after release",
    "Months of community service after release",
    "Months over which restitution is paid off after release",
    "Months over which a fine is paid off after release",
};

const char* const SanctionTips[] = {
    "Longest supervision of a misdemeanor, in months",
    "Months of supervision before a revocation takes place",
    "Probability (0 to 1) that a person on supervision violates it",
    "Months of supervision before a violation",
    "Months of increased supervision after a violation",
    "Supervision levels added after a violation (the highest level is 5)",
    "Days in jail after a supervision violation (each started 30 days count as a month)",
    "Months at each supervision level before it is lowered by one; 0 keeps the level",
    "Months of home detention",
    "Months of community service",
    "Months over which restitution is paid off",
    "Months over which a fine is paid off",
};

const char* const RunTips[] = {
    "Kept with the configuration only: a run reads every case of the court microdata file",
    "Probability (0 to 1) that a court case is taken into the run; a case taken counts with its weight "
    "divided by this share",
    "Factor (0 to 1) by which every court case's weight is multiplied",
    "Calendar year of the first of the ten simulated years (1900 to 2099)",
    "Seed of the random numbers (sampling, random days and months): the same seed gives the same projection",
    "Cases between two drawings of the live chart in the run dialog",
    "Gives each case a random sentencing month instead of the month in its record",
    "Turns on the trend weights by admission group and the prison programs",
    "Shows the chart of the prison total in the run dialog while the run goes on",
    "Writes the graph files chosen under Output Tables > Graphs at the end of the run",
};

const char* const BreakdownTips[] = {
    "Prison population by gender, race, age, offense, sentence length, felony type and region",
    "Prison entries and exits month by month: admissions, revocations, pre-release and releases",
    "Prison population by offense for each gender and age group (also written to feltab.out)",
    "Jail population tables by breakdown, by county level and by days",
    "Prison population tables by felony type (admission group)",
    "Post-prison tables are not written",
    "Residential treatment population tables",
    "Home detention population tables",
    "Fines population tables",
    "Restitution population tables",
    "Community service population tables",
    "Supervision population by supervision level",
};

const char* const ProgramTips[] = {
    "Name of the prison program, printed in the report",
    "First month (1 to 119) in which prisoners enter the program",
    "Last month (2 to 180) in which prisoners enter the program",
    "Months the program lasts",
    "Months of a prisoner's term the program must save at the least; others do not enter it",
    "Probability (0 to 1) that a participant completes the program",
    "Years (0 to 5) before the first simulated year in which the program already took prisoners",
    "Most prisoners in the program at one time",
    "Seed of the program's random numbers",
    "Gives each entry a random month instead of the first possible one",
    "Participants who complete the program are released from prison (completion probability 1)",
};

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
        d.fields.back().tip = QString::fromLatin1(ReleaseTips[k]);
    }
    return d;
}

DialogSpec sanctionParametersSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Non-Prison Sanctions Parameters Setup");
    const int s = SecSanctions;
    for (int k = 0; k < RunConfiguration::SectionKeyCounts[SecSanctions]; ++k) {
        d.fields.push_back(k == 2 ? probability(keyName(s, k), s, k, 8, NumberMessage)
                                  : integer(keyName(s, k), s, k, 0, 999));
        d.fields.back().tip = QString::fromLatin1(SanctionTips[k]);
    }
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
    withTips(d, RunTips);
    return d;
}

DialogSpec trendWeightsSpec() { return trendWeightsSpec(0); }

DialogSpec trendWeightsSpec(int firstSimulatedYear) {
    static const char* const years[] = {"One",  "Two",    "Three",  "Four",     "Five",
                                        "Six",  "Seven",  "Eight",  "Nine",     "Ten",
                                        "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen"};
    DialogSpec d;
    d.title = QStringLiteral("Trend Weights Setup");
    d.heading = QStringLiteral("T R E N D  W E I G H T S");
    for (const auto& [section, group] : {std::pair{int{SecTrendBackup}, QStringLiteral("Backup Years")},
                                         std::pair{int{SecTrendSimulation}, QStringLiteral("Simulation Years")}})
        for (int k = 0; k < 15; ++k) {
            FieldSpec f = text(QStringLiteral("Year ") + QString::fromLatin1(years[k]), section, k, 5, group);
            // Backup year Fifteen is the year before the first simulated one, One fifteen years before.
            const int year = section == SecTrendSimulation ? firstSimulatedYear + k : firstSimulatedYear - 15 + k;
            if (firstSimulatedYear > 0) f.note = QString::number(year);
            f.tip = section == SecTrendSimulation
                        ? QStringLiteral("Multiplier of the court volume for this simulated year (1 = no change)")
                        : QStringLiteral("Multiplier of the court volume for this year before the first simulated "
                                         "one, used for cases dated back into it (1 = no change)");
            d.fields.push_back(f);
        }
    return d;
}

DialogSpec runTitleSpec() {
    DialogSpec d;
    d.title = QStringLiteral("Title of this Simulation Run Entry Screen");
    d.fields = {text(QStringLiteral("Title of This Simulation"), TitleSection, NoKey, 79)};
    d.fields.front().tip = QStringLiteral("Name of the run, printed as RUN NAME at the head of the tables output (at most 79 characters)");
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
    withTips(d, BreakdownTips);
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
    for (FieldSpec& f : d.fields)
        f.tip = f.key == NoKey ? QStringLiteral("The stock probabilities are not printed")
                               : QStringLiteral("Prints the ") + f.label +
                                     QStringLiteral(" probabilities of each grid cell, and their weighted average, "
                                                    "in the summary at the head of the tables output");
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
    withTips(d, ProgramTips);
    return d;
}

} // namespace kov::ui
