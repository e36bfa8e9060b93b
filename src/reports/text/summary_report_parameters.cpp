// The part of the summary report that echoes the run's files and parameters.
#include "engine/programs.h"
#include "run/simulation.h"
#include "reports/text/summary_report.h"

#include <array>
#include <cstddef>

namespace kov {

namespace {

constexpr std::size_t ReleaseLabelWidth = 54;

const std::array<const char*, ReleaseCount> releaseLabelTexts = {
    "Probability of pre-release :",
    "Probability of completion of pre-release :",
    "Length of pre-release :",
    "Length of added term after pre-release revoked :",
    "Probability of release without pre-release :",
    "Probability of release revocation :",
    "Length of release before revocation :",
    "Length of prison for 1st revocation :",
    "Length of prison for 2nd revocation :",
    "Probability of supervision violation :",
    "Length of supervision before violation :",
    "Length of increased supervision after violation :",
    "Increment in supervision for violation :",
    "Length (Days) of jail after supervision violation :",
    "Length of supervision before auto-reduction :",
    "Length of home detention :",
    "Length of community service :",
    "Length of restitution payoff period :",
    "Length of fine payoff period :",
};

// Release parameters printed as "%4.3f" (the others as "%3.0f").
constexpr std::array<bool, ReleaseCount> releaseWithDecimals = {
    true, true, false, false, true, true, false, false, false, // prison release
    true, true, false, false, true, true, false, false, false, false, // sanctions after release
};

const char* yesNo(int flag) { return flag != 0 ? "Yes" : "No"; }

void writeFiles(std::FILE* f, const Simulation& sim) {
    const Engine& e = sim.engine();
    std::fprintf(f, "%s%s", "\n\nDirectory for input and output files.", e.ctx.dataDirectory.c_str());
    std::fprintf(f, "%s", "\n\nThe following input and output files were used:\n");
    // Without post-prison processing the files after the stock tables play no part.
    const int shown = e.postprisonOption != 0 ? FileKeyCount : StockTablesFile + 1;
    for (int k = 0; k < shown; ++k) {
        std::fputs(sim.cfg.FileKeyLabels[static_cast<std::size_t>(k)].c_str(), f);
        std::fprintf(f, " : %s\n", sim.cfg.value(SecFiles, k).c_str());
    }
    std::fputs("Configuration file: ", f);
    std::fprintf(f, " %s\n", sim.cfg.filePath.c_str());

    std::fprintf(f, "\nStock Option = %d\n", e.postprisonOption);
    if (e.postprisonOption == 2) std::fprintf(f, "%s\n", e.stockMessage.c_str());
}

void writePopulationParameters(std::FILE* f, const Simulation& sim) {
    const RunParameters& p = sim.engine().ctx.params;
    std::fprintf(f, "\n%s:\n", " POPULATION PARAMETERS");
    std::fprintf(f, "\n Number of Cases = %6ld", static_cast<long>(sim.engine().err.m_CaseNumber));
    std::fprintf(f, "\n Sampling Fraction = %s", sim.cfg.value(SecRun, SamplingFractionKey).c_str());
    std::fprintf(f, "\n Court volume = %5.3f", p.CourtVolume);
    std::fprintf(f, "\n First Simulated Year : %d", p.FirstSimulatedYear);
    std::fprintf(f, "\n Random Starting No. = %6.0f", p.RandomStartingNumber);
    std::fprintf(f, "\n Randomize Month? : %s\n", yesNo(p.RandomizeMonth));

    for (int row = 0; row < 3; ++row) {
        std::fputs(row == 0 ? "\n Backup weight" : "\n              ", f);
        for (int j = 0; j < 5; ++j) {
            const int k = 5 * row + j;
            std::fprintf(f, " yr%d = %4.2f", k + 1, p.TrendWeights[static_cast<std::size_t>(k)]);
        }
    }
}

void writeGroupWeights(std::FILE* f, const Simulation& sim) {
    std::fprintf(f, "\n\n Simulation weights by Admission Group");
    const ClassificationVariable& groups = sim.engine().st.Values[VarFelonyType];
    for (std::size_t g = 0; g < groups.labelsptr.size() && g < static_cast<std::size_t>(groups.count); ++g) {
        for (int row = 0; row < 3; ++row) {
            if (row == 0)
                std::fprintf(f, "\n %-16s", groups.labelsptr[g].text.c_str());
            else
                std::fputs("\n\t\t", f);
            for (int j = 0; j < 5; ++j) {
                const int k = 5 * row + j + 1;
                const Series& year = sim.engine().st.TrendsByAdmissionGroup[static_cast<std::size_t>(k - 1)];
                std::fprintf(f, "\tyr%d = %4.2f", k, g < year.size() ? year[g] : 0.0);
            }
        }
    }
}

void writeProgram(std::FILE* f, const Program& pr, int felonyTypes, int offenses) {
    std::fprintf(f, "\n\n %s", pr.name.c_str());
    std::fprintf(f, "\n Starting Month = %d", pr.startMonth);
    std::fprintf(f, "\n Ending Month = %d", pr.endMonth);
    std::fprintf(f, "\n Length in Months = %d", pr.length);
    std::fprintf(f, "\n Minimum Savings in Months = %d", pr.minimumSavings);
    std::fprintf(f, "\n Probability of Completion = %3.0f", pr.completionProbability * 100.0);
    std::fprintf(f, "\n Number of Backup Years = %d", pr.backupYears);
    std::fprintf(f, "\n Capacity = %d", pr.capacity);
    std::fprintf(f, "\n Random Seed = %d", pr.randomSeed);
    std::fprintf(f, "\n Randomize Entry Month? = %s", yesNo(pr.randomizeEntryMonth));
    std::fprintf(f, "\n Release from Prison? = %s", yesNo(pr.releaseFromPrison));
    std::fprintf(f, "\n\n Probability Matrix for %s", pr.name.c_str());
    for (int r = 0; r < felonyTypes; ++r) {
        std::fputs("\n", f);
        for (int c = 0; c < offenses; ++c) {
            const auto i = static_cast<std::size_t>(r * offenses + c);
            std::fprintf(f, " %1.5f", i < pr.entryProbability.size() ? pr.entryProbability[i] : 0.0);
        }
    }
}

void writeSimulationWeights(std::FILE* f, const RunParameters& p) {
    for (int row = 0; row < 3; ++row) {
        std::fputs(row == 0 ? "\n\n Simulation weight" : "\n                  ", f);
        for (int j = 0; j < 5; ++j) {
            const int k = 15 + 5 * row + j;
            std::fprintf(f, " yr%d = %4.2f", k - 14, p.TrendWeights[static_cast<std::size_t>(k)]);
        }
    }
}

void writeSanctionsParameters(std::FILE* f, const RunParameters& p) {
    const auto& s = p.sanctions;
    std::fprintf(f, "\n\n%s:\n", " NON_PRISON SANCTIONS PARAMETERS");
    std::fprintf(f, "\n Length of maximum supervision for misdemeanor = %3.0f", s[LenMaxSupervisionMisdemeanor]);
    std::fprintf(f, "\n Length of supervision before revocation = %3.0f", s[LenSupervisionBeforeRevocation]);
    std::fprintf(f, "\n Probability of supervision violation = %4.3f", s[ProbSupervisionViolation]);
    std::fprintf(f, "\n Length of supervison before violation = %3.0f", s[LenSupervisionBeforeViolation]);
    std::fprintf(f, "\n Length of increased supervision after violation = %3.0f",
                 s[LenIncreasedSupervisionAfterViolation]);
    std::fprintf(f, "\n Increment in supervision for violation = %3.0f", s[IncrementSupervisionForViolation]);
    std::fprintf(f, "\n Length (Days)of jail after supervision violation = %3.0f",
                 s[LenJailDaysAfterSupervisionViolation]);
    std::fprintf(f, "\n Length of supervision before auto-reduction = %3.0f", s[LenSupervisionBeforeAutoReduction]);
    std::fprintf(f, "\n Length of home detention = %3.0f", s[LenHomeDetention]);
    std::fprintf(f, "\n Length of community service = %3.0f", s[LenCommunityService]);
    std::fprintf(f, "\n Length of restitution payoff period = %3.0f", s[LenRestitutionPayoff]);
    std::fprintf(f, "\n Length of fine payoff period = %3.0f", s[LenFinePayoff]);
}

// Labels first..last; a blank line opens the block.
void writeReleaseParameters(std::FILE* f, const Simulation& sim, int first, int last) {
    for (int i = first; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        std::fputs(i == first ? "\n\n" : "\n", f);
        if (releaseWithDecimals[k])
            std::fprintf(f, " %s %4.3f", releaseParameterLabel(i).c_str(), sim.engine().ctx.params.release[k]);
        else
            std::fprintf(f, " %s %3.0f", releaseParameterLabel(i).c_str(), sim.engine().ctx.params.release[k]);
    }
}

} // namespace

std::string releaseParameterLabel(int i) {
    if (i < 0 || i >= ReleaseCount) return std::string(ReleaseLabelWidth, ' ');
    std::string label = releaseLabelTexts[static_cast<std::size_t>(i)];
    if (label.size() < ReleaseLabelWidth) label.append(ReleaseLabelWidth - label.size(), ' ');
    return label;
}

void writeRunParameters(std::FILE* f, const Simulation& sim) {
    const Engine& e = sim.engine();
    const RunParameters& p = e.ctx.params;
    writeFiles(f, sim);
    writePopulationParameters(f, sim);
    if (p.NorvaleCustomizations != 0) {
        writeGroupWeights(f, sim);
        if (e.programs) {
            for (const Program& pr : e.programs->programs)
                writeProgram(f, pr, e.programs->felonyTypes, e.programs->offenses);
        }
    } else {
        writeSimulationWeights(f, p);
    }
    writeSanctionsParameters(f, p);
    std::fprintf(f, "\n\n%s:", " PRISON RELEASE PARAMETERS (Applied with all post-prison options)");
    writeReleaseParameters(f, sim, 0, 8);
    if (e.postprisonOption != 0) {
        std::fprintf(f, "\n\n%s:",
                     " PRISON RELEASE PARAMETERS FOR SANCTIONS (Applied with post-prison options 1,2, and 3");
        writeReleaseParameters(f, sim, 9, 18);
    }
}

} // namespace kov
