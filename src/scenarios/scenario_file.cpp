#include "scenarios/scenario_file.h"

#include "base/text.h"
#include "config/ini_file.h" // sameName
#include "config/whole_file.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace kov::scenarios {
namespace {

/// Words of a lever line; "double quoted" words may hold blanks.
std::optional<std::vector<std::string>> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) return std::nullopt;
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
        words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

class LineParser {
public:
    LineParser(std::string where, std::vector<std::string> words) : where_(std::move(where)), words_(std::move(words)) {}

    bool fail(const std::string& text) {
        if (error_.empty()) error_ = where_ + ": " + text;
        return false;
    }
    const std::string& error() const { return error_; }
    bool done() const { return next_ >= words_.size(); }
    const std::string& peek() const {
        static const std::string none;
        return done() ? none : words_[next_];
    }
    std::string take() { return done() ? std::string() : words_[next_++]; }
    /// The next word is one of names.
    bool peekIs(std::initializer_list<const char*> names) const {
        for (const char* n : names)
            if (!done() && sameName(peek(), n)) return true;
        return false;
    }
    bool takeIf(std::initializer_list<const char*> names) {
        if (!peekIs(names)) return false;
        ++next_;
        return true;
    }

    /// Words up to one of the stop words, joined by blanks (a group or table name).
    std::string nameUntil(std::initializer_list<const char*> stops) {
        std::string name;
        while (!done() && !peekIs(stops)) name += (name.empty() ? "" : " ") + take();
        return name;
    }

    bool number(const std::string& what, double& value) {
        const std::string text = take();
        char* end = nullptr;
        value = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || !std::isfinite(value))
            return fail(what + " \"" + text + "\" is not a number");
        return true;
    }

    /// "N" or "N-M", whole numbers from 1.
    bool span(const std::string& what, int& first, int& last) {
        const std::string text = take();
        const std::size_t dash = text.find('-');
        auto whole = [](const std::string& s, int& v) {
            if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return false;
            v = std::atoi(s.c_str());
            return v >= 1;
        };
        if (!whole(text.substr(0, dash), first) ||
            !whole(dash == std::string::npos ? text.substr(0, dash) : text.substr(dash + 1), last) || last < first)
            return fail(what + " \"" + text + "\" is not a number from 1 or a range like 2-4");
        return true;
    }

    /// "x AMOUNT" or "= AMOUNT".
    bool change(ChangeMode& mode, double& amount, bool replaceAllowed) {
        if (takeIf({"x", "*"}))
            mode = ChangeMode::Scale;
        else if (replaceAllowed && takeIf({"="}))
            mode = ChangeMode::Replace;
        else
            return fail(std::string("expected ") + (replaceAllowed ? "\"x AMOUNT\" or \"= AMOUNT\"" : "\"x AMOUNT\"") +
                        (done() ? " at the end" : ", not \"" + peek() + "\""));
        if (!number("the amount", amount)) return false;
        if (amount < 0) return fail("the amount must not be negative");
        return true;
    }

    /// An optional "from YEAR", then the end of the line.
    bool fromYearAndEnd(int& year) {
        year = 0;
        if (takeIf({"from"})) {
            double y = 0;
            if (!number("the year", y)) return false;
            if (y != std::floor(y) || y < 1 || y > 9999) return fail("the year must be a whole year, like 2027");
            year = static_cast<int>(y);
        }
        if (!done()) return fail("\"" + peek() + "\" is more than the line can hold");
        return true;
    }

    /// "table T [row(s) R] [column(s) C]".
    bool cells(CellSelection& c) {
        if (!takeIf({"table"})) return fail("expected \"table\" and a grid table's number or name");
        c.table = nameUntil({"row", "rows", "column", "columns", "x", "*", "="});
        if (c.table.empty()) return fail("expected a grid table's number or name after \"table\"");
        if (takeIf({"row", "rows"}) && !span("the row", c.firstRow, c.lastRow)) return false;
        if (takeIf({"column", "columns"}) && !span("the column", c.firstColumn, c.lastColumn)) return false;
        return true;
    }

private:
    std::string where_;
    std::vector<std::string> words_;
    std::size_t next_ = 0;
    std::string error_;
};

bool parseLever(LineParser& p, const std::string& line, const std::string& origin, Scenario& s) {
    const std::string lever = p.take();
    if (sameName(lever, "set")) {
        // The rest of the line as --set takes it.
        const std::string text = trimBlanks(line.substr(line.find_first_not_of(" \t") + 3));
        std::string error;
        auto parsed = parseOverrides({text}, error);
        if (!parsed) return p.fail(error.rfind("--", 0) == 0 ? error.substr(2) : error);
        s.settings.insert(s.settings.end(), parsed->begin(), parsed->end());
        return true;
    }
    if (sameName(lever, "admissions")) {
        AdmissionsChange c;
        c.origin = origin;
        c.group = p.nameUntil({"x", "*", "="});
        if (c.group.empty()) return p.fail("expected an admission group's name or number after \"admissions\"");
        if (!p.change(c.mode, c.amount, true) || !p.fromYearAndEnd(c.fromYear)) return false;
        s.changes.admissions.push_back(c);
        return true;
    }
    if (sameName(lever, "probability")) {
        SentencingChange c;
        c.origin = origin;
        const std::string name = p.take();
        c.outcome = outcomeOf(name);
        if (!c.outcome) {
            std::string names;
            for (const std::string& n : outcomeNames()) names += (names.empty() ? "" : ", ") + n;
            return p.fail("there is no probability \"" + name + "\"; the probabilities are " + names);
        }
        if (!p.cells(c.cells) || !p.change(c.mode, c.amount, true) || !p.fromYearAndEnd(c.fromYear)) return false;
        if (c.mode == ChangeMode::Replace && c.amount > 1) return p.fail("a probability must be from 0 to 1");
        s.changes.sentencing.push_back(c);
        return true;
    }
    if (sameName(lever, "sentence")) {
        SentencingChange c;
        c.origin = origin;
        if (!p.cells(c.cells) || !p.change(c.mode, c.amount, false) || !p.fromYearAndEnd(c.fromYear)) return false;
        if (c.amount <= 0 || c.amount > 10) return p.fail("a sentence scale must be above 0 and at most 10");
        s.changes.sentencing.push_back(c);
        return true;
    }
    return p.fail("unknown change \"" + lever + "\"; a line starts with set, admissions, probability or sentence");
}

} // namespace

std::string withoutComment(const std::string& line) {
    // A '#' outside double quotes starts a comment.
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == '#' && !quoted) return trimBlanks(line.substr(0, i));
    }
    return trimBlanks(line);
}

bool parseChangeLine(const std::string& where, const std::string& text, Scenario& s, std::string& error) {
    const std::string line = trimBlanks(text);
    auto words = wordsOf(line);
    if (!words) {
        error = where + ": a double quote is not closed";
        return false;
    }
    LineParser p(where, std::move(*words));
    if (!parseLever(p, line, where, s)) {
        error = p.error();
        return false;
    }
    s.lines.push_back(line);
    return true;
}

int Scenario::effectYear() const {
    if (!settings.empty()) return 0;
    int first = 0;
    auto consider = [&first](int year) {
        if (year == 0) return false;
        if (first == 0 || year < first) first = year;
        return true;
    };
    for (const AdmissionsChange& c : changes.admissions)
        if (!consider(c.fromYear)) return 0;
    for (const SentencingChange& c : changes.sentencing)
        if (!consider(c.fromYear)) return 0;
    return first;
}

std::optional<std::vector<Scenario>> parseScenarioFile(const std::string& path, const std::string& text,
                                                       std::string& error) {
    std::vector<Scenario> scenarios;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::string where = path + ", line " + std::to_string(number);
        const std::string line = withoutComment(raw);
        if (line.empty()) continue;

        if (line.front() == '[') {
            if (line.back() != ']') {
                error = where + ": a scenario's name is written [like this]";
                return std::nullopt;
            }
            Scenario s;
            s.name = trimBlanks(line.substr(1, line.size() - 2));
            s.line = number;
            if (s.name.empty() || sameName(s.name, BaseName)) {
                error = where + ": \"" + s.name + "\" cannot name a scenario" +
                        (s.name.empty() ? "" : ": the base configuration runs under it");
                return std::nullopt;
            }
            for (const Scenario& other : scenarios)
                if (sameName(other.name, s.name)) {
                    error = where + ": the scenario \"" + s.name + "\" is already on line " + std::to_string(other.line);
                    return std::nullopt;
                }
            scenarios.push_back(std::move(s));
            continue;
        }
        if (scenarios.empty()) {
            error = where + ": a change before the first [scenario name]";
            return std::nullopt;
        }
        if (!parseChangeLine(where, line, scenarios.back(), error)) return std::nullopt;
    }
    if (scenarios.empty()) {
        error = path + ": no scenario in the file (a scenario starts with [its name])";
        return std::nullopt;
    }
    return scenarios;
}

ComparedRun scenarioRun(const Scenario& s, const ComparedRun& base) {
    ComparedRun run{s.name, base.cfg, base.dataDirectory, s.changes, s.lines, s.effectYear()};
    for (const Override& o : s.settings) applyOverride(run.cfg, o);
    return run;
}

std::optional<std::vector<Scenario>> readScenarioFile(const std::string& path, std::string& error) {
    return readAndParse(path, "scenario file", error, [&](const std::string& text) { return parseScenarioFile(path, text, error); });
}

} // namespace kov::scenarios
