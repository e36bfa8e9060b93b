#pragma once
// One line of the stock microdata file: a prisoner already in prison at the
// start of the projection, with the time still to serve and what follows
// release. Read and checked field by field like a court case.
#include "engine/microdata_file.h"
#include "engine/read_case.h"
#include "input/groups.h"
#include "input/state_tables.h"

#include <string>

namespace kov {

class CRand;
class Host;

/// What a record is checked against.
struct StockSetup {
    const StateTables& st;
    const Groups& ageGroups;
    int dualGuidelines = 0; ///< not 0: the grid fields address the post-prison grid
    const CaseFileNames* files = nullptr; ///< for messages; null: only the record's line is named
};

/// Fields of one record, as far as the line was read. Integer fields that
/// were not read keep -1, fractional ones -1.0.
struct StockRecord {
    int caseNumber = 0; ///< line count of the line
    int recordNumber = -1;
    int gender = -1;
    int race = -1;
    int age = -1;
    int ageGroup = 0;
    int offense = -1;
    double lengthOfPrison = -1.0; ///< months, as read
    int prisonMonths = 0;         ///< rounded half up; only for the sentence-length group
    int felonyType = -1;          ///< a value out of range becomes the last felony type
    int region = -1;
    int lengthOfPostprison = -1;   ///< months
    double remainingTime = -1.0;   ///< months still to serve, as read
    int lenp2 = 0;                 ///< release month: remaining time rounded half up, 1..9999
    int randomDay = 0;             ///< d, 3..33
    int restitution = -1;          ///< post-prison restitution days as read
    int restitutionDays = 0;       ///< restitution + d, 0..9999
    int postprisonSentencing = -1; ///< months
    int firstParole = -1;          ///< months
    int secondParole = -1;         ///< months
    int gridRow = -1;
    int gridColumn = -1;
    int gridTable = -1;
    double weight = -1.0;
};

enum class StockRead {
    Ok,
    Silent, ///< no record number (an empty line): the reading ends without a message
    Error   ///< a bad field; its message has been shown
};

/// Reads and checks the reader's current line. Draws the random day from crt
/// once, right after the release month has passed its check.
StockRead readStockRecord(CMicroDataFile& f, const StockSetup& setup, CRand& crt, Host& host, StockRecord& out);

/// The random day of a stock record from one rand value: 3..33.
int stockRandomDay(int randValue);

} // namespace kov
