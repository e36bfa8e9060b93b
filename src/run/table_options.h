#pragma once
// Which output tables a run's configuration selects, and where they go: what
// the table and CSV writers are handed.
#include <functional>
#include <string>

namespace kov {

/// What the configuration asks the table writer for, and where it writes.
struct TableOptions {
    bool prisonDemographics = false;
    bool prisonEntryExit = false;
    bool felonyByAgeAndGender = false;
    bool jail = false;
    bool countyPopulation = false; ///< the County Population menu item
    bool residentialTreatment = false;
    bool homeDetention = false;
    bool fines = false;
    bool restitution = false;
    bool communityService = false;
    bool supervision = false;
    std::string tablesPath;
    /// Where the tables are appended when not to tablesPath itself (the
    /// run's temporary); messages name tablesPath.
    std::string tablesWritePath;
    std::string countyOutputPath;
    std::string felonyTablesPath;
    /// Tells the person a file could not be opened; empty: the plain message.
    std::function<void(const std::string& path)> filerr;
};

} // namespace kov
