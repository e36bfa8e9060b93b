// A case under a policy that changes its grid cell from a later year on: the
// years before the change and the years after are played as parts of one
// case, each part with the values in force for its years. The parts run in
// year order, so the case draws its random numbers as it would in one part.
#include "engine/engine.h"
#include "base/format.h"
#include "engine/rounding.h"

#include <algorithm>

namespace kov {
namespace {

std::size_t u(int v) { return static_cast<std::size_t>(v); }

bool coversCase(const ResolvedCellChange& change, const CaseFields& c) {
    return change.covers(c.gridTable - 1, c.gridRow - 1, c.gridColumn - 1);
}

/// A probability the case's part changed, to be put back after the case.
struct Saved {
    double* cell;
    double value;
};

} // namespace

bool Engine::changeSentence(CaseFields& c, int start) {
    for (const ResolvedCellChange& change : caseChanges) {
        if (change.outcome || change.startYear != start || !coversCase(change, c)) continue;
        const double sentence = c.sentenceLength * change.amount, parole = c.parole * change.amount;
        int sentenceMonths = 0, paroleMonths = 0;
        if (!roundHalfUpChecked(sentence, sentenceMonths) || !roundHalfUpChecked(parole, paroleMonths)) {
            host.message(format("Case %d: its sentence scaled by %g is out of range", c.caseNumber, change.amount),
                         MessageIcon::Stop);
            return false;
        }
        c.sentenceLength = sentence;
        c.sentenceMonths = sentenceMonths;
        c.parole = parole;
        c.paroleMonths = paroleMonths;
        off.sentenceMonths = sentenceMonths;
        off.paroleMonths = paroleMonths;
    }
    return true;
}

bool Engine::simulateYears(CaseFields& c, const CaseWeights& W, int years) {
    // Years from..end - 1 of the case with the values now in force.
    auto play = [&](int from, int end) {
        setCaseRows(c, W);
        setPostCell(c); // nothing in the year loop changes it
        for (int y = from; y < end; ++y) simulateYear(y, c, W);
        if (profiled) addCaseProfile();
    };
    if (caseChanges.empty()) {
        play(0, years);
        return true;
    }
    // The years at which a change for this case's cell starts, in order.
    std::vector<int> starts;
    for (const ResolvedCellChange& change : caseChanges)
        if (change.startYear > 0 && change.startYear < years && coversCase(change, c))
            starts.push_back(change.startYear);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    starts.push_back(years);

    std::vector<Saved> saved;
    bool ok = true;
    int from = 0;
    for (const int end : starts) {
        play(from, end);
        if (end == years) break;

        for (const ResolvedCellChange& change : caseChanges) {
            if (!change.outcome || change.startYear != end || !coversCase(change, c)) continue;
            Series& matrix = st.P[u(*change.outcome)][u(c.gridTable - 1)];
            const std::size_t cell = u((c.gridRow - 1) * st.m_Tables[u(c.gridTable - 1)]->cols + c.gridColumn - 1);
            saved.push_back({&matrix[cell], matrix[cell]});
            matrix[cell] = changedValue(change, matrix[cell]);
        }
        ok = changeSentence(c, end);
        if (!ok) break;
        from = end;
    }
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) *it->cell = it->value;
    return ok;
}

} // namespace kov
