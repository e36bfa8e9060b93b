#pragma once
// Reading and checking one court case: the fields of a court microdata line in
// order, each with its range check and its "Illegal ..." message, and the one
// random-day draw a case makes while it is read.
#include "engine/microdata_file.h"
#include "engine/offender.h"
#include "input/groups.h"
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;
class RandomNumberGenerator;

/// Names of the files a case's values count rows of, as configured: a value
/// beyond their rows is told with the file that has too few.
struct CaseFileNames {
    std::string labels;
    std::string county;
    std::string grid;
    std::string stockGrid;
};

/// What a case is checked against.
struct CaseSetup {
    const StateTables& st;    ///< category counts, grid tables, counties
    const Groups& ageGroups;  ///< over the age labels
    int postprisonOption = 0; ///< not 0: five post-prison fields follow
    int dualGuidelines = 0;   ///< with post-prison fields: the extra grid fields follow
    int randomizeMonth = 0;   ///< not 0: a month outside 1..12 is accepted (it is drawn later)
    const CaseFileNames* files = nullptr; ///< null: messages name the case's line only
};

/// Everything read from one case line. Fields not present in the file's
/// layout (post-prison, extra grid) keep their defaults.
struct CaseFields {
    int caseNumber = 0; ///< line count of the line
    int caseIdentifier = 0;
    int gender = -1;
    int race = -1;
    int age = -1; ///< as read
    int ageGroup = 0;
    int offense = -1;
    double sentenceLength = -1.0; ///< months, as read
    int sentenceMonths = 0;       ///< rounded half up
    int randomDay = 0;            ///< d, 0..30
    int felonyType = -1;          ///< a value out of range becomes the last felony type
    int region = -1;
    int prisonDays = -1;     ///< as read
    int prisonTerm = 0;      ///< the prison-term value passed to the non-prison engine
    int jailTime = -1;       ///< days as read (the jail-length group uses this)
    int jailDays = 0;        ///< jail time + d
    int restitutionTime = -1; ///< days as read
    int restitutionDays = 0;  ///< restitution time + d
    int sentenceLevel = -1;   ///< 1..5
    int county = -1;
    int gridRow = -1;
    int gridColumn = -1;
    int gridTable = -1;
    int month = 0; ///< 1..12, or anything when the month is drawn
    double weight = -1.0;
    double parole = -1.0; ///< months, as read
    int paroleMonths = 0; ///< rounded half up
    // post-prison fields 20..24
    int postprisonLevel = -1;       ///< "Length of Post Prison"
    int postprisonSentence = -1;    ///< months
    int postprisonRestitution = -1; ///< days
    int firstParole = -1;           ///< months of the first revocation period
    int secondParole = -1;          ///< months of the second revocation period
    // dual guidelines; 0 when not in use
    int extraRow = 0;
    int extraColumn = 0;
    int extraTable = 0;
};

enum class CaseRead {
    Ok,
    Silent, ///< no case identifier (an empty line): fail without a message
    Error   ///< a bad field; its message has been shown
};

/// Reads and checks the fields of the reader's current line, drawing the
/// random day once, right after the sentence length. On a bad field shows
/// "Illegal <name> = <value>, Case Number = <n>" with the stop icon. out is
/// filled as far as the line was read.
CaseRead readCase(CMicroDataFile& f, const CaseSetup& setup, RandomNumberGenerator& rng, Host& host,
                  CaseFields& out);

/// Stores the fields the record keeps: case number, gender, race, age group,
/// offense, felony type, region, sentence months and parole months.
void storeOffender(const CaseFields& fields, Offender& record);

/// Sentence-length group of a sentence in months by the sentence-length
/// groups; 1 when there are fewer than two sentence-length labels.
int sentenceLengthGroup(const Groups& sentenceLengthGroups, int sentenceMonths);

} // namespace kov
