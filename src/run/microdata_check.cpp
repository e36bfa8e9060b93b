#include "run/microdata_check.h"

#include "engine/microdata_file.h"
#include "engine/read_case.h"
#include "run/format.h"
#include "run/random.h"
#include "run/simulation.h"

namespace kov {
namespace {

/// Passes on the messages of the first `limit` bad cases only.
class LimitedHost final : public Host {
public:
    LimitedHost(Host& host, int limit) : host_(host), limit_(limit) {}
    void message(const std::string& text, MessageIcon icon) override {
        if (shown < limit_) host_.message(text, icon);
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }
    int shown = 0;

private:
    Host& host_;
    int limit_;
};

} // namespace

MicrodataCheck checkCourtMicrodata(const Simulation& sim, Host& host, int reportLimit) {
    MicrodataCheck result;
    CMicroDataFile file;
    const std::string path = sim.filePath(CourtMicrodataFile);
    if (!file.Open(path)) {
        host.message(format("File %s could not be opened, cause = %d", path.c_str(), file.openCause()), MessageIcon::Stop);
        return result;
    }
    // A stream of its own: the draws of a check must not move a run's.
    CRand crt;
    RandomNumberGenerator rng(seedFromDouble(sim.ctx.params.RandomStartingNumber), crt);
    const CaseSetup setup{sim.st, sim.ageGroups, sim.postprisonOption, sim.dualGuidelines,
                          sim.ctx.params.RandomizeMonth};
    LimitedHost limited(host, reportLimit);
    CaseFields fields;
    while (file.ReadLine()) {
        const CaseRead read = readCase(file, setup, rng, limited, fields);
        if (read == CaseRead::Silent) {
            if (result.endLine == 0) result.endLine = file.lineCount();
            continue;
        }
        ++result.cases;
        if (read == CaseRead::Error) {
            ++result.bad;
            ++limited.shown;
        }
    }
    if (file.failed()) {
        host.message(file.faultText(), MessageIcon::Stop);
        return result;
    }
    result.opened = true;
    return result;
}

} // namespace kov
