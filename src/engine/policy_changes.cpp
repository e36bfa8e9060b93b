#include "engine/policy_changes.h"

#include "base/format.h"
#include "base/host.h"
#include "base/text.h"
#include "config/ini_file.h" // sameName

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kov {
namespace {

std::size_t u(int v) { return static_cast<std::size_t>(v); }

/// A name as written, without blanks around or a closing period ("Nondrug."
/// in the grid file is table "Nondrug").
std::string shown(const std::string& text) {
    std::string s = trimBlanks(text);
    while (!s.empty() && s.back() == '.') s = trimBlanks(s.substr(0, s.size() - 1));
    return s;
}

/// A whole number 1..count written as digits, or 0.
int numberIn(const std::string& text, int count) {
    const std::string s = shown(text);
    if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
    if (s.size() > 9) return 0;
    const int n = std::atoi(s.c_str());
    return n >= 1 && n <= count ? n : 0;
}

/// Index (0-based) of a name or number among names; -1 when none matches.
int indexOf(const std::string& wanted, const std::vector<std::string>& names) {
    if (const int n = numberIn(wanted, static_cast<int>(names.size()))) return n - 1;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (sameName(shown(names[i]), shown(wanted))) return static_cast<int>(i);
    return -1;
}

std::string listOf(const std::vector<std::string>& names) {
    std::string s;
    for (std::size_t i = 0; i < names.size(); ++i) s += (i ? ", " : "") + std::to_string(i + 1) + " " + shown(names[i]);
    return s;
}

class Resolver {
public:
    Resolver(int firstYear, StateTables& st, Host& host) : firstYear_(firstYear), st_(st), host_(host) {}

    bool fail(const std::string& origin, const std::string& text) {
        host_.message(origin + ": " + text, MessageIcon::Stop);
        return false;
    }

    /// Projection year index of a calendar year (0 for none).
    bool startYear(int fromYear, const std::string& origin, int& start) {
        start = 0;
        if (fromYear == 0) return true;
        if (fromYear < firstYear_)
            return fail(origin, format("from %d is before the projection's first year, %d", fromYear, firstYear_));
        start = fromYear - firstYear_;
        return true;
    }

    bool range(int first, int last, int count, const char* what, const std::string& table, const std::string& origin,
               int& lo, int& hi) {
        if (first == 0 && last == 0) {
            lo = 0;
            hi = count - 1;
            return true;
        }
        if (first < 1 || last < first || last > count)
            return fail(origin, format("%s %d", what, first) + (last != first ? format("-%d", last) : std::string()) +
                                    " is outside table " + table + format(", which has %ss 1-%d", what, count));
        lo = first - 1;
        hi = last - 1;
        return true;
    }

    bool cells(const SentencingChange& c, ResolvedCellChange& r) {
        const int t = indexOf(c.cells.table, st_.m_TableNames);
        if (t < 0 || u(t) >= st_.m_Tables.size() || !st_.m_Tables[u(t)])
            return fail(c.origin, "the grid has no table \"" + c.cells.table + "\" (it has " +
                                      listOf(st_.m_TableNames) + ")");
        const TableDef& def = *st_.m_Tables[u(t)];
        r.table = t;
        const std::string name = shown(st_.m_TableNames[u(t)]);
        return range(c.cells.firstRow, c.cells.lastRow, def.rows, "row", name, c.origin, r.firstRow, r.lastRow) &&
               range(c.cells.firstColumn, c.cells.lastColumn, def.cols, "column", name, c.origin, r.firstColumn,
                     r.lastColumn);
    }

    bool admissions(const AdmissionsChange& c, bool readsTrendWeights) {
        if (!readsTrendWeights)
            return fail(c.origin, "admissions change by trend weights, and this configuration reads none "
                                  "(it needs \"Norvale Customizations=1\" and a \"Trend Weights by Group\" file)");
        std::vector<std::string> groups;
        for (const auto& label : st_.Values[u(VarFelonyType)].labelsptr) groups.push_back(label.text);
        groups.resize(u(std::max(0, st_.count(VarFelonyType))));
        const int g = indexOf(c.group, groups);
        if (g < 0) return fail(c.origin, "there is no admission group \"" + c.group + "\" (the groups are " + listOf(groups) + ")");
        int start = 0;
        if (!startYear(c.fromYear, c.origin, start)) return false;
        for (std::size_t k = u(std::min(start, TrendYears)); k < st_.TrendsByAdmissionGroup.size(); ++k) {
            Series& year = st_.TrendsByAdmissionGroup[k];
            if (u(g) >= year.size()) continue;
            year[u(g)] = c.mode == ChangeMode::Scale ? year[u(g)] * c.amount : c.amount;
        }
        return true;
    }

    /// Every probability the change sets, checked in the order the changes
    /// take effect; those that start with the run are written into the tables.
    bool probabilities(const std::vector<ResolvedCellChange>& resolved, const std::vector<std::string>& origins) {
        std::vector<std::size_t> order(resolved.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return resolved[a].startYear < resolved[b].startYear; });
        // Values as the later changes see them, cell by cell.
        std::vector<std::vector<std::vector<double>>> later(ProbabilityTableCount);
        for (std::size_t i : order) {
            const ResolvedCellChange& c = resolved[i];
            if (!c.outcome) continue;
            Series& matrix = st_.P[u(*c.outcome)][u(c.table)];
            auto& values = later[u(*c.outcome)];
            if (values.empty()) values.resize(st_.P[u(*c.outcome)].size());
            if (values[u(c.table)].empty()) values[u(c.table)].assign(matrix.begin(), matrix.end());
            const int cols = st_.m_Tables[u(c.table)]->cols;
            for (int row = c.firstRow; row <= c.lastRow; ++row) {
                for (int col = c.firstColumn; col <= c.lastColumn; ++col) {
                    const std::size_t cell = u(row * cols + col);
                    if (cell >= matrix.size()) continue;
                    const double v = changedValue(c, values[u(c.table)][cell]);
                    if (!(v >= 0.0 && v <= 1.0))
                        return fail(origins[i], format("the %s probability of table %d, row %d, column %d would be ",
                                                       outcomeNames()[u(*c.outcome)].c_str(), c.table + 1, row + 1,
                                                       col + 1) +
                                                    format("%g, outside 0 to 1", v));
                    values[u(c.table)][cell] = v;
                    if (c.startYear == 0) matrix[cell] = v;
                }
            }
        }
        return true;
    }

private:
    int firstYear_;
    StateTables& st_;
    Host& host_;
};

} // namespace

const std::vector<std::string>& outcomeNames() {
    static const std::vector<std::string> names = {
        "misdemeanor", "prison", "jail-1", "jail-2", "jail-3", "residential-1", "residential-2",
        "residential-3", "home-detention-1", "home-detention-2", "home-detention-3", "community-service-1",
        "community-service-2", "community-service-3", "restitution-1", "restitution-2", "restitution-3",
        "fines-1", "fines-2", "fines-3", "revocation"};
    return names;
}

std::optional<int> outcomeOf(const std::string& nameOrNumber) {
    const int i = indexOf(nameOrNumber, outcomeNames());
    if (i < 0) return std::nullopt;
    return i;
}

double changedValue(const ResolvedCellChange& change, double value) {
    return change.mode == ChangeMode::Scale ? value * change.amount : change.amount;
}

std::optional<std::vector<ResolvedCellChange>> applyPolicy(const PolicyChanges& changes, const PolicyRun& run,
                                                           StateTables& st, Host& host) {
    Resolver resolver(run.firstYear, st, host);
    for (const AdmissionsChange& c : changes.admissions)
        if (!resolver.admissions(c, run.readsTrendWeights)) return std::nullopt;

    std::vector<ResolvedCellChange> resolved;
    std::vector<std::string> origins;
    for (const SentencingChange& c : changes.sentencing) {
        ResolvedCellChange r;
        if (!resolver.cells(c, r) || !resolver.startYear(c.fromYear, c.origin, r.startYear)) return std::nullopt;
        if (r.startYear > 0 && run.backDatesAdmissions) {
            resolver.fail(c.origin, format("this configuration builds its starting population from back-dated "
                                                  "admissions (Postprison Options=4), which a sentencing change from %d "
                                                  "cannot tell apart from later ones: drop \"from %d\" or start from a stock",
                                                  c.fromYear, c.fromYear));
            return std::nullopt;
        }
        r.outcome = c.outcome;
        r.mode = c.mode;
        r.amount = c.amount;
        resolved.push_back(r);
        origins.push_back(c.origin);
    }
    if (!resolver.probabilities(resolved, origins)) return std::nullopt;
    // What the case loop still has to do: every sentence change, and the
    // probabilities of later years.
    std::vector<ResolvedCellChange> forCases;
    for (const ResolvedCellChange& r : resolved)
        if (!r.outcome || r.startYear > 0) forCases.push_back(r);
    return forCases;
}

} // namespace kov
