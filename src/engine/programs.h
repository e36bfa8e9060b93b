#pragma once
// Prison programs: up to five programs that shorten or lengthen prison terms,
// with their definitions and entry probabilities files.
//
// The collection is read from the two files (Load), written back after the
// program parameters are edited (SaveDefinitions, SaveProbabilities), and
// asked once per case and simulated year to place a case (Decide). Each
// program draws from its own three generators, so its decisions do not
// disturb the case generator's stream.
#include "base/random.h"

#include <cstddef>
#include <cstdint>
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

    /// L, the months the occupancy covers; 0 when no occupancy could be made.
    int occupancyMonths() const { return static_cast<int>(occupancy.size()); }
};

class Programs {
public:
    static constexpr int MaxPrograms = 5;
    /// Occupancy arrays longer than this are not made (the dialog allows 180 + 60).
    static constexpr std::int64_t MaxOccupancyMonths = 1 << 20;
    /// Entry probability tables larger than this are not made.
    static constexpr std::int64_t MaxTableCells = 1'000'000;
    /// Lines of the probabilities file are read as into a buffer of this size.
    static constexpr std::size_t ProbabilityLineBuffer = 255;

    /// Results of Decide.
    enum : int { Completed = 0, DroppedOut = 1, NoProgram = 2 };

    Programs() = default;
    virtual ~Programs() = default;
    Programs(const Programs&) = delete;
    Programs& operator=(const Programs&) = delete;

    /// Reads both files (each path already resolved) for the given numbers of
    /// felony types and offenses, replacing whatever was held. Problems are
    /// told through host and leave what could be read; the generators of each
    /// program are made on crt in program order. True when both files were
    /// read without a message.
    bool Load(const std::string& definitionsPath, const std::string& probabilitiesPath, int felonyTypes,
              int offenses, const RunParameters& p, CRand& crt, Host& host);

    /// Replace the files with the programs' definitions or entry probabilities;
    /// on failure a message names the file, which is then left as it was.
    bool SaveDefinitions(const std::string& path, Host& host) const;
    bool SaveProbabilities(const std::string& path, Host& host) const;
    /// The exact texts the two saves write.
    std::string definitionsText() const;
    std::string probabilitiesText() const;

    /// Places one case. entryMonth (the sentencing month + 3, 1-based) becomes
    /// the program month when a program is entered; programMonth is that month
    /// (entryMonth when none is); programExit is the months spent in the
    /// program. Returns Completed, DroppedOut or NoProgram (programIndex is
    /// then the number of programs).
    int Decide(int& entryMonth, int& programExit, int felonyType, int offense, double w, int sentenceMonths,
               int& programIndex, int& programMonth);

    /// Entry probability of a 1-based felony type and offense; 0 outside the
    /// table. Inline: every program is asked for every year of every case.
    double probability(const Program& program, int felonyType, int offense) const {
        if (felonyType < 1 || felonyType > felonyTypes || offense < 1 || offense > offenses) return 0.0;
        const std::size_t cell = static_cast<std::size_t>(felonyType - 1) * static_cast<std::size_t>(offenses) +
                                 static_cast<std::size_t>(offense - 1);
        return cell < program.entryProbability.size() ? program.entryProbability[cell] : 0.0;
    }
    /// The values of a program that the definitions file does not give.
    static Program defaults(const RunParameters& p);
    int count() const { return static_cast<int>(programs.size()); }

    std::vector<Program> programs;
    int felonyTypes = 0;
    int offenses = 0;
    int largestBackupYears = 5; ///< at least 5

private:
    bool readDefinitions(const std::string& path, const RunParameters& p, CRand& crt, Host& host);
    bool readProbabilities(const std::string& path, Host& host);
};

} // namespace kov
