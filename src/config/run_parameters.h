#pragma once
// The typed parameters of one run, converted from the configuration's text at
// the start of every run. Owned by the run context, never global.
#include <array>
#include <string>

namespace kov {

/// Index of each release parameter (section "RELEASE PARAMETERS", key order).
enum Release : int {
    ProbPreRelease = 0,
    ProbCompletePreRelease,
    LenPreRelease,
    LenAddedTermAfterPreReleaseRevoked,
    ProbReleaseWithoutPreRelease,
    ProbReleaseRevocation,
    LenReleaseBeforeRevocation,
    LenPrison1stRevocation,
    LenPrison2ndRevocation,
    RelProbSupervisionViolation,
    RelLenSupervisionBeforeViolation,
    RelLenIncreasedSupervisionAfterViolation,
    RelIncrementSupervisionForViolation,
    RelLenJailDaysAfterSupervisionViolation,
    RelLenSupervisionBeforeAutoReduction,
    RelLenHomeDetention,
    RelLenCommunityService,
    RelLenRestitutionPayoff,
    RelLenFinePayoff,
    ReleaseCount
};

/// Index of each sanctions parameter (section "SANCTIONS PARAMETERS", key order).
enum Sanction : int {
    LenMaxSupervisionMisdemeanor = 0,
    LenSupervisionBeforeRevocation,
    ProbSupervisionViolation,
    LenSupervisionBeforeViolation,
    LenIncreasedSupervisionAfterViolation,
    IncrementSupervisionForViolation,
    LenJailDaysAfterSupervisionViolation,
    LenSupervisionBeforeAutoReduction,
    LenHomeDetention,
    LenCommunityService,
    LenRestitutionPayoff,
    LenFinePayoff,
    SanctionCount
};

struct RunParameters {
    double SamplingFraction = 0.0;
    double CourtVolume = 0.0;
    int FirstSimulatedYear = 0;
    double RandomStartingNumber = 0.0;
    int RandomizeMonth = 0;
    int NorvaleCustomizations = 0;
    std::array<double, ReleaseCount> release{};
    std::array<double, SanctionCount> sanctions{};
    /// [0..14] backup years, [15..29] simulation years.
    std::array<double, 30> TrendWeights{};
    int PostprisonOption = 0; ///< 0 none, 1 stock tables, 2 stock microdata, 3 court microdata
    int DualGuidelines = 0;
    std::string ProbationWord = "Supervision";
    std::string ParoleWord = "Release";

    RunParameters() { TrendWeights.fill(1.0); }
};

} // namespace kov
