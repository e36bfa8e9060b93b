#include "reports/csv/csv_export.h"

#include "config/replace_file.h"
#include "reports/csv/csv_tables.h"

#include <filesystem>
#include <functional>
#include <system_error>

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

} // namespace

CsvRecords CsvTables::selected() const {
    CsvRecords all;
    auto add = [&all](CsvRecords part) { all.insert(all.end(), part.begin(), part.end()); };
    if (opt.prisonDemographics || opt.prisonEntryExit) add(prison());
    if (opt.jail) add(jail());
    if (opt.countyPopulation) add(county());
    if (opt.residentialTreatment || opt.homeDetention || opt.fines || opt.restitution || opt.communityService ||
        opt.supervision)
        add(sanctions());
    if (opt.felonyByAgeAndGender) add(felony());
    return all;
}

bool exportCsvTables(const Engine& engine, const TableOptions& options, const std::string& directory) {
    Host& host = engine.host;
    if (!ensureFolder(directory, host)) return false;
    const CsvTables tables(engine, options);
    bool allWritten = true;
    auto write = [&](const char* name, const std::function<CsvRecords()>& records) {
        const std::string path = (std::filesystem::path(directory) / name).string();
        std::string reason;
        // Written whole or not at all: a failure leaves any earlier file as it was.
        if (replaceFileContents(path, csvText(records()), &reason)) return;
        host.message("Unable to write file " + path + " (" + reason + ")", MessageIcon::Stop);
        allWritten = false;
    };
    if (options.prisonDemographics || options.prisonEntryExit) write("prison.csv", [&] { return tables.prison(); });
    if (options.jail) write("jail.csv", [&] { return tables.jail(); });
    if (options.countyPopulation) write("county.csv", [&] { return tables.county(); });
    if (options.residentialTreatment || options.homeDetention || options.fines || options.restitution ||
        options.communityService || options.supervision)
        write("sanctions.csv", [&] { return tables.sanctions(); });
    if (options.felonyByAgeAndGender) write("felony.csv", [&] { return tables.felony(); });
    return allWritten;
}

} // namespace kov
