// The court case loop: every line of the court microdata file through the
// engine, then the per-month counters turned into finished monthly series.
#include "base/format.h"
#include "config/staged_file.h"
#include "engine/microdata_file.h"
#include "engine/programs.h"
#include "run/simulation.h"

#include <cstdio>

namespace kov {
bool Simulation::validatePrograms() {
    if (!engine_.programs) return true;
    for (const Program& p : engine_.programs->programs) {
        if (p.backupYears > 5 || p.backupYears < 0) {
            host.message("The number of backup years for \n" + p.name +
                             "\nis invalid. It must be between 0 and 5." +
                             "\nPlease correct it in the SetUp menu and rerun the simulation.",
                         MessageIcon::Plain);
            return false;
        }
        if (p.length <= 0) {
            host.message("The length of \n" + p.name + "\nis invalid. It must be bigger than zero." +
                             "\nPlease correct it in the SetUp menu and rerun the simulation.",
                         MessageIcon::Plain);
            return false;
        }
    }
    return true;
}

void Simulation::makeMonthLabels() {
    engine_.m_MonthLabels.assign(120, std::string());
    for (int m = 0; m < 120; ++m) {
        // The year may be anything a hand-edited file holds: add in 64 bits.
        const long long year = static_cast<long long>(engine_.ctx.params.FirstSimulatedYear) + m / 12;
        engine_.m_MonthLabels[static_cast<std::size_t>(m)] = format("%lld", year);
    }
}

bool Simulation::projin() {
    engine_.err.record("projin", 2806);
    engine_.samplingThreshold = engine_.ctx.params.SamplingFraction;
    engine_.ctx.crt.srand(seedFromDouble(engine_.ctx.params.RandomStartingNumber));
    engine_.acceptedCase = false;
    engine_.yearJailTotals.fill(0.0);

    engine_.microdata = std::make_unique<CMicroDataFile>();
    if (!openMicrodata(*engine_.microdata, CourtMicrodataFile)) {
        engine_.microdata.reset();
        return false;
    }
    // The county output is written once the run went through, under a
    // temporary name made now: a folder it cannot be written to stops the run
    // before its cases, and a run that stops keeps the county output before.
    if (writesFiles) {
        stagedCounty_.emplace(filePath(CountyOutputFile));
        if (!stagedCounty_->stream()) {
            stagedCounty_.reset();
            engine_.microdata.reset();
            filerr(filePath(CountyOutputFile));
            return false;
        }
    }
    if (!validatePrograms()) {
        engine_.microdata.reset();
        stagedCounty_.reset();
        return false;
    }

    engine_.err.m_CaseNumber = 0;
    makeMonthLabels();
    int result = 0;
    engine_.deferRanges = !engine_.monthByMonth;
    if (engine_.deferRanges && !engine_.profile) engine_.profile = std::make_unique<CaseProfile>();
    while ((result = engine_.runproj()) == 0) {
    }
    engine_.flushRanges();
    engine_.deferRanges = false;
    engine_.profiled = false;
    engine_.rangeSums.clear();
    engine_.microdata.reset();

    if (engine_.m_CancelRequested || result == -1) return false;
    if (!engine_.acceptedCase) return false;
    aggregateAfterLoop();
    return true;
}

bool Simulation::openMicrodata(CMicroDataFile& file, int fileKey) {
    const std::string path = filePath(fileKey);
    file.setName(cfg.value(SecFiles, fileKey));
    if (const ParsedMicrodata* held = heldFiles ? heldFiles->find(path) : nullptr) {
        file.OpenParsed(path, *held);
        return true;
    }
    if (file.Open(path)) return true;
    host.messageAt(file.openFailureText(), MessageIcon::Stop, Location{file.name(), 0, {}, {}});
    return false;
}

bool Simulation::commitOutput(StagedFile& staged, const std::string& path) {
    if (staged.commit()) return true;
    host.message("Error writing file " + path, MessageIcon::Stop);
    return false;
}

bool Simulation::closeReport(FilePtr& file, const std::string& path) {
    if (!file) return true;
    const bool ok = std::ferror(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (ok && closed) return true;
    host.message("Error writing file " + path, MessageIcon::Stop);
    return false;
}

} // namespace kov
