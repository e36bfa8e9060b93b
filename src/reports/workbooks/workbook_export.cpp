#include "reports/workbooks/workbook_export.h"

#include "base/format.h"
#include "reports/workbooks/cell_rules.h"
#include "reports/workbooks/workbook_contents.h"
#include "reports/workbooks/workbook_file.h"
#include "run/simulation.h"

#include <filesystem>
#include <system_error>

namespace kov::reports {

namespace fs = std::filesystem;

std::optional<std::string> keepOldAsBackup(const std::string& path, Host& host) {
    const std::string backup = path + ".bak";
    std::error_code ec;
    fs::remove(backup, ec);
    fs::rename(path, backup, ec);
    if (ec) {
        // The old workbook stays where it is, untouched.
        host.message("Could not keep " + path + " as " + backup + ": " + ec.message(), MessageIcon::Stop);
        return std::nullopt;
    }
    return path;
}

const char* saveAsTitle(Workbook kind) {
    switch (kind) {
    case Workbook::Main: return "Save Main Excel File As";
    case Workbook::FelonyType: return "Save Prison Demos By Felony Type Excel File As";
    case Workbook::AdmissionGroups: return "Save Offenses And Felonies Excel File As";
    }
    return "";
}

std::string exportWorkbook(const Simulation& sim, Workbook kind, const std::string& target,
                           const ExistingWorkbookQuestion& askExisting) {
    sim.engine().err.record("exportWorkbook", 6060);
    std::string path = workbookPath(target);

    if (kind == Workbook::AdmissionGroups) {
        const int columns = admissionGroupColumns(sim.engine().st);
        if (columns > AdmissionGroupColumnLimit) {
            sim.host.message(format("The workbook %s was not written: its sheet \"Admission Groups by Offenses\" "
                                    "would need %d columns, one per felony type and offense (the last of each "
                                    "left out), and it holds at most %d.",
                                    path.c_str(), columns, AdmissionGroupColumnLimit),
                             MessageIcon::Stop);
            return {};
        }
    }

    std::error_code ec;
    if (fs::exists(path, ec)) {
        if (!askExisting) return {};
        const std::optional<std::string> chosen = askExisting(path, saveAsTitle(kind));
        if (!chosen || chosen->empty()) return {};
        path = workbookPath(*chosen);
    }

    WorkbookFile book(path);
    if (!book.ready()) {
        sim.host.message("Could not start Excel", MessageIcon::Plain);
        return {};
    }
    sim.host.status("Creating Excel File, Please Standby");
    switch (kind) {
    case Workbook::Main: fillMainWorkbook(book, sim); break;
    case Workbook::FelonyType: fillFelonyTypeWorkbook(book, sim); break;
    case Workbook::AdmissionGroups: fillAdmissionGroupsWorkbook(book, sim); break;
    }
    if (!book.close()) {
        sim.host.message("Error writing file " + path, MessageIcon::Stop);
        return {};
    }
    return path;
}

} // namespace kov::reports
