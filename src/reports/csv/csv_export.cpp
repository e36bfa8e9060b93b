#include "reports/csv/csv_export.h"

#include "config/replace_file.h"
#include "reports/csv/csv_tables.h"

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kov {

namespace {

bool ensureFolder(const std::string& directory, Host& host) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(directory, ec);
    std::error_code isDir;
    if (fs::is_directory(directory, isDir)) return true;
    host.message("Unable to create folder " + directory + (ec ? ": " + ec.message() : std::string()),
                 MessageIcon::Stop);
    return false;
}

/// One file of the export: its name and the records of its kind.
struct CsvKind {
    const char* file;
    CsvRecords (CsvTables::*records)() const;
};

/// The kinds the options select, in file order.
std::vector<CsvKind> selectedKinds(const TableOptions& o) {
    std::vector<CsvKind> kinds;
    if (o.prisonDemographics || o.prisonEntryExit) kinds.push_back({"prison.csv", &CsvTables::prison});
    if (o.jail) kinds.push_back({"jail.csv", &CsvTables::jail});
    if (o.countyPopulation) kinds.push_back({"county.csv", &CsvTables::county});
    if (o.residentialTreatment || o.homeDetention || o.fines || o.restitution || o.communityService || o.supervision)
        kinds.push_back({"sanctions.csv", &CsvTables::sanctions});
    if (o.felonyByAgeAndGender) kinds.push_back({"felony.csv", &CsvTables::felony});
    return kinds;
}

} // namespace

std::vector<CsvTables::File> CsvTables::files() const {
    std::vector<File> all;
    for (const CsvKind& kind : selectedKinds(opt)) all.push_back({kind.file, (this->*kind.records)()});
    return all;
}

bool exportCsvTables(const CsvRecords& series, const std::vector<CsvFilePart>& files, const std::string& directory,
                     Host& host) {
    if (!ensureFolder(directory, host)) return false;
    bool allWritten = true;
    auto from = series.begin();
    for (const CsvFilePart& file : files) {
        const auto to = from + static_cast<std::ptrdiff_t>(file.count);
        const std::string path = (std::filesystem::path(directory) / file.name).string();
        std::string reason;
        // Written whole or not at all: a failure leaves any earlier file as it was.
        const bool written = replaceFileContents(path, csvText(CsvRecords(from, to)), &reason);
        from = to;
        if (written) continue;
        host.message("Unable to write file " + path + " (" + reason + ")", MessageIcon::Stop);
        allWritten = false;
    }
    return allWritten;
}

} // namespace kov
