#pragma once
// Prison programs: up to five programs that shorten or lengthen prison terms,
// with their definitions and entry probabilities files.
#include "run/random.h"

#include <memory>
#include <string>
#include <vector>

namespace kov {

class Host;
struct RunParameters;

struct Program {
    std::string name;
    int startMonth = 0;
    int endMonth = 0;
    int length = 0;
    int minimumSavings = 0;
    double completionProbability = 0.0;
    int backupYears = 0;
    int capacity = 0;
    int randomSeed = 0;
    int randomizeEntryMonth = 0;
    int releaseFromPrison = 0;

    int admissionCount = 0;
    std::vector<double> occupancy;        ///< backupYears * 12 + max(endMonth, 120)
    std::vector<double> entryProbability; ///< felony types x offenses, felony-type major
    std::unique_ptr<RandomNumberGenerator> entryDraw, dropOutDraw, startDraw;
};

class Programs {
public:
    static constexpr int MaxPrograms = 5;

    Programs() = default;
    virtual ~Programs() = default;

    std::vector<Program> programs;
    int felonyTypes = 0;
    int offenses = 0;
    int largestBackupYears = 5; ///< at least 5
};

} // namespace kov
