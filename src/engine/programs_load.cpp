// Reading the program definitions and entry probabilities files.
#include "base/host.h"
#include "config/run_parameters.h"
#include "engine/programs.h"
#include "input/text_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace kov {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// One "%d" of a definitions line. A token without a number, or one outside
// the 32-bit range, is not a value the user wrote.
bool scanInt(const char*& s, int& value) {
    while (*s && isBlank(*s)) ++s;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s, &end, 10);
    if (end == s || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    s = end;
    return true;
}

// One "%lf"; NaN and infinity would reach every decision unnoticed.
bool scanDouble(const char*& s, double& value) {
    while (*s && isBlank(*s)) ++s;
    char* end = nullptr;
    const double v = std::strtod(s, &end);
    if (end == s || !std::isfinite(v)) return false;
    value = v;
    s = end;
    return true;
}

// "%d %d %d %d %lf %d %d %d %d %d"; true only when all ten numbers are there.
bool parseDefinitionLine(const std::string& line, Program& g) {
    const char* s = line.c_str();
    return scanInt(s, g.startMonth) && scanInt(s, g.endMonth) && scanInt(s, g.length) &&
           scanInt(s, g.minimumSavings) && scanDouble(s, g.completionProbability) && scanInt(s, g.backupYears) &&
           scanInt(s, g.capacity) && scanInt(s, g.randomSeed) && scanInt(s, g.randomizeEntryMonth) &&
           scanInt(s, g.releaseFromPrison);
}

const char* const CheckNameAndPath = "\nPlease check the name and path in the Set Up Menu.";
const char* const NotStructured = "\nis not structured correctly!";
const char* const CheckData = "\nPlease check the data in that file for correctness.";

} // namespace

Program Programs::defaults(const RunParameters& p) {
    Program g;
    g.randomizeEntryMonth = p.RandomizeMonth;
    g.randomSeed = static_cast<int>(seedFromDouble(p.RandomStartingNumber));
    return g;
}

bool Programs::Load(const std::string& definitionsPath, const std::string& probabilitiesPath, int felonyTypesIn,
                    int offensesIn, const RunParameters& p, CRand& crt, Host& host) {
    programs.clear();
    largestBackupYears = 5;
    felonyTypes = std::max(felonyTypesIn, 0);
    offenses = std::max(offensesIn, 0);
    if (std::int64_t{felonyTypes} * offenses > MaxTableCells) felonyTypes = offenses = 0;

    const bool definitionsRead = readDefinitions(definitionsPath, p, crt, host);
    const bool probabilitiesRead = readProbabilities(probabilitiesPath, host);
    return definitionsRead && probabilitiesRead;
}

bool Programs::readDefinitions(const std::string& path, const RunParameters& p, CRand& crt, Host& host) {
    TextFile file(path);
    if (!file.isOpen()) {
        host.message("Program Definitions File\n" + path + "\nCould not be opened!" + CheckNameAndPath +
                         "\nUsing default values.",
                     MessageIcon::Plain);
        return false;
    }
    std::string name, numbers;
    while (file.readLine(name) && !name.empty()) {
        Program g = defaults(p);
        g.name = name;
        if (!file.readLine(numbers) || !parseDefinitionLine(numbers, g)) {
            // A program with fields the file does not give is not used at all.
            host.messageAt("Program Definitions File\n" + path + NotStructured + CheckData, MessageIcon::Plain,
                           Location{path, file.lineNumber(), {}, {}});
            return false;
        }
        if (g.releaseFromPrison != 0) g.completionProbability = 1.0;
        largestBackupYears = std::max(largestBackupYears, g.backupYears);

        // Sized from file values that are checked only when a run starts:
        // a program with backup years the run would refuse gets no array.
        const std::int64_t months = std::int64_t{g.backupYears} * 12 + std::max(g.endMonth, 120);
        if (g.backupYears >= 0 && g.backupYears <= 5 && months <= MaxOccupancyMonths)
            g.occupancy.assign(static_cast<std::size_t>(months), 0.0);
        // Entries the probabilities file does not give never admit anybody.
        g.entryProbability.assign(static_cast<std::size_t>(felonyTypes) * static_cast<std::size_t>(offenses), 0.0);

        const auto seed = static_cast<std::uint32_t>(g.randomSeed);
        g.entryDraw = std::make_unique<RandomNumberGenerator>(seed, crt);
        g.dropOutDraw = std::make_unique<RandomNumberGenerator>(seed, crt);
        g.startDraw = std::make_unique<RandomNumberGenerator>(seed, crt);
        programs.push_back(std::move(g));

        if (count() == MaxPrograms) {
            host.message("Program Definitions File\n" + path + NotStructured + CheckData +
                             "\nUsing the first 5 Programs only.",
                         MessageIcon::Plain);
            return false;
        }
    }
    return true;
}

bool Programs::readProbabilities(const std::string& path, Host& host) {
    TextFile file(path);
    if (!file.isOpen()) {
        host.messageAt("Program Probabilities File\n" + path + "\nCould not be opened!" + CheckNameAndPath +
                           "\nUsing default values.",
                       MessageIcon::Plain, Location{path, 0, {}, {}});
        return false;
    }
    std::string line;
    for (auto& g : programs) {
        // The search goes on from where the previous program ended, so the
        // programs must come in the order of the definitions file.
        bool found = false;
        while (!found && file.readLine(line, ProbabilityLineBuffer)) found = line.find(g.name) != std::string::npos;
        if (!found) {
            // Searched to the end of the file: the program's name is what was not found.
            host.messageAt("Program Probabilities File\n" + path + NotStructured + CheckData, MessageIcon::Plain,
                           Location{path, file.lineNumber(), {}, "no block for the program " + g.name});
            return false;
        }
        file.readLine(line, ProbabilityLineBuffer);
        // Too few numbers leave the rest of the table at 0.
        for (double& cell : g.entryProbability) {
            double v = 0.0;
            if (!file.readDouble(v) || !std::isfinite(v)) break;
            cell = v;
        }
    }
    return true;
}

} // namespace kov
