#pragma once
// The record of the court case being processed; overwritten by every case.

namespace kov {

struct Offender {
    int caseNumber = 0;
    int gender = 0;
    int race = 0;
    int ageGroup = 0;
    int region = 0;
    int offense = 0;
    int felonyType = 0;
    int sentenceMonths = 0;
    int paroleMonths = 0;
    double prisonProbability = 0.0; ///< set only with the state customizations on
    int programIndex = 0;
    int programReturn = 0;          ///< 2 before every simulated year
    int programExit = 0;
};

} // namespace kov
