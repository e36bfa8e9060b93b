#include "costs/cost_file.h"

#include "base/text.h"
#include "config/ini_file.h" // sameName
#include "config/whole_file.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace kov::costs {
namespace {

const char* const SettingsSection = "COSTS";
const char* const RatesSection = "DAILY COSTS";

struct Named {
    const char* name;
    Population population;
};

const Named Populations[] = {
    {"Prison", Population::Prison},
    {"Jail", Population::Jail},
    {"Residential Treatment", Population::ResidentialTreatment},
    {"Home Detention", Population::HomeDetention},
    {"Community Service", Population::CommunityService},
    {"Restitution", Population::Restitution},
    {"Fines", Population::Fines},
    {"Supervision", Population::Supervision},
};

/// Reads the whole text as one number; blanks around it allowed.
std::optional<double> number(const std::string& text) {
    const std::string t = trimBlanks(text);
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    return v;
}

/// "Supervision Level 2": level 2, whatever word the configuration uses for supervision.
std::optional<int> levelOf(const std::string& name) {
    const std::string prefix = "Supervision Level ";
    if (name.size() <= prefix.size() || !sameName(name.substr(0, prefix.size()), prefix)) return std::nullopt;
    const std::optional<double> n = number(name.substr(prefix.size()));
    if (!n || *n < 1 || *n != std::floor(*n) || *n > 99) return std::nullopt;
    return static_cast<int>(*n);
}

class Parser {
public:
    Parser(const std::string& path, std::string& error) : error_(error) { file_.path = path; }

    std::optional<CostFile> parse(const std::string& text) {
        if (!parseLines(text)) return std::nullopt;
        return file_;
    }

private:
    bool parseLines(const std::string& text) {
        std::istringstream in(text);
        std::string raw;
        bool sawYear = false, sawInflation = false;
        while (std::getline(in, raw)) {
            ++line_;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            const std::string body = trimBlanks(raw);
            if (body.empty() || body[0] == '#' || body[0] == ';') continue;
            if (body.front() == '[') {
                if (body.back() != ']') return fail("a section header ends with ']'");
                section_ = trimBlanks(body.substr(1, body.size() - 2));
                if (!sameName(section_, SettingsSection) && !sameName(section_, RatesSection))
                    return fail("unknown section [" + section_ + "]; the sections are [" + SettingsSection + "] and [" +
                                RatesSection + "]");
                continue;
            }
            const auto eq = body.find('=');
            if (eq == std::string::npos) return fail("expected Name = value");
            const std::string key = trimBlanks(body.substr(0, eq));
            const std::string value = trimBlanks(body.substr(eq + 1));
            if (section_.empty()) return fail("\"" + key + "\" stands before any section");
            if (sameName(section_, SettingsSection)) {
                if (!setting(key, value, sawYear, sawInflation)) return false;
            } else if (!rate(key, value)) {
                return false;
            }
        }
        line_ = 0;
        if (!sawYear) return fail("[COSTS] has no \"Currency Year\"");
        if (!sawInflation) return fail("[COSTS] has no \"Inflation\"");
        if (file_.rates.empty()) return fail("[DAILY COSTS] names no population");
        return true;
    }

    bool fail(const std::string& what) {
        error_ = "cost file " + file_.path + (line_ > 0 ? ", line " + std::to_string(line_) : std::string()) + ": " + what;
        return false;
    }

    bool setting(const std::string& key, const std::string& value, bool& sawYear, bool& sawInflation) {
        const std::optional<double> v = number(value);
        const std::string field = "field \"" + key + "\": ";
        if (sameName(key, "Currency Year")) {
            if (!v || *v != std::floor(*v) || *v < 1900 || *v > 2200)
                return fail(field + "\"" + value + "\" is not a year");
            file_.currencyYear = static_cast<int>(*v);
            sawYear = true;
        } else if (sameName(key, "Inflation")) {
            if (!v || *v <= -1 || *v > 1)
                return fail(field + "\"" + value + "\" is not a yearly rate (0.03 for 3%)");
            file_.inflation = *v;
            sawInflation = true;
        } else if (sameName(key, "First Month of Fiscal Year")) {
            if (!v || *v != std::floor(*v) || *v < 1 || *v > 12)
                return fail(field + "\"" + value + "\" is not a month from 1 to 12");
            file_.fiscalYearStart = static_cast<int>(*v);
        } else {
            return fail("unknown field \"" + key +
                        "\"; [COSTS] holds Currency Year, Inflation and First Month of Fiscal Year");
        }
        return true;
    }

    bool rate(const std::string& key, const std::string& value) {
        CostRate r;
        r.name = key;
        r.line = line_;
        bool known = false;
        for (const Named& n : Populations)
            if (sameName(key, n.name)) r.population = n.population, known = true;
        if (!known) {
            const std::optional<int> level = levelOf(key);
            if (!level) {
                std::string names;
                for (const Named& n : Populations) names += std::string(names.empty() ? "" : ", ") + n.name;
                return fail("field \"" + key + "\": no such population; the populations are " + names +
                            " and Supervision Level N");
            }
            r.population = Population::SupervisionLevel;
            r.level = *level;
        }
        for (const CostRate& other : file_.rates)
            if (sameName(other.name, key))
                return fail("field \"" + key + "\": given twice (also on line " + std::to_string(other.line) + ")");
        const auto comma = value.find(',');
        if (comma == std::string::npos)
            return fail("field \"" + key + "\": expected two costs, average and marginal, as \"98.50, 31.20\"");
        const std::optional<double> average = number(value.substr(0, comma));
        const std::optional<double> marginal = number(value.substr(comma + 1));
        if (!average || !marginal)
            return fail("field \"" + key + "\": \"" + value + "\" is not two numbers (average, marginal)");
        if (*average < 0 || *marginal < 0) return fail("field \"" + key + "\": a daily cost cannot be negative");
        r.averageDaily = *average;
        r.marginalDaily = *marginal;
        file_.rates.push_back(r);
        return true;
    }

    std::string& error_;
    CostFile file_;
    std::string section_;
    int line_ = 0;
};

} // namespace

std::optional<CostFile> parseCostFile(const std::string& path, const std::string& text, std::string& error) {
    return Parser(path, error).parse(text);
}

std::optional<CostFile> readCostFile(const std::string& path, std::string& error) {
    return readAndParse(path, "cost file", error, [&](const std::string& text) { return parseCostFile(path, text, error); });
}

} // namespace kov::costs
