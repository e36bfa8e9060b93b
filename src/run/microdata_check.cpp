#include "run/microdata_check.h"

#include "base/random.h"
#include "engine/microdata_file.h"
#include "engine/read_case.h"
#include "run/simulation.h"

namespace kov {
namespace {

/// Passes on the first `limit` messages only: a bad case shows one.
class LimitedHost final : public Host {
public:
    LimitedHost(Host& host, int limit) : host_(host), limit_(limit) {}
    void message(const std::string& text, MessageIcon icon) override {
        if (shown_++ < limit_) host_.message(text, icon);
    }
    void messageAt(const std::string& text, MessageIcon icon, const Location& where) override {
        if (shown_++ < limit_) host_.messageAt(text, icon, where);
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }

private:
    Host& host_;
    int limit_;
    int shown_ = 0;
};

} // namespace

MicrodataCheck checkCourtMicrodata(const Simulation& sim, Host& host, int reportLimit) {
    MicrodataCheck result;
    CMicroDataFile file;
    file.setName(sim.cfg.value(SecFiles, CourtMicrodataFile));
    if (!file.Open(sim.filePath(CourtMicrodataFile))) {
        host.messageAt(file.openFailureText(), MessageIcon::Stop, Location{file.name(), 0, {}, {}});
        return result;
    }
    // A stream of its own: the draws of a check must not move a run's.
    CRand crt;
    const Engine& e = sim.engine();
    RandomNumberGenerator rng(seedFromDouble(e.ctx.params.RandomStartingNumber), crt);
    const CaseSetup setup{e.st, e.ageGroups, e.postprisonOption, e.dualGuidelines, e.ctx.params.RandomizeMonth,
                          &e.caseFiles};
    LimitedHost limited(host, reportLimit);
    CaseFields fields;
    while (file.ReadLine()) {
        const CaseRead read = readCase(file, setup, rng, limited, fields);
        if (read == CaseRead::Silent) {
            if (result.endLine == 0) result.endLine = file.lineCount();
            continue;
        }
        ++result.cases;
        if (read == CaseRead::Error) ++result.bad;
    }
    if (file.failed()) {
        host.messageAt(file.faultText(), MessageIcon::Stop, Location{file.name(), file.lineCount() + 1, {}, {}});
        return result;
    }
    result.opened = true;
    return result;
}

} // namespace kov
