#include "scenarios/what_if_levers.h"

#include "config/paths.h"
#include "input/grid.h"
#include "input/labels.h"
#include "base/text.h"
#include "base/host.h"

#include <cstdio>

namespace kov::scenarios {
namespace {

/// Keeps the first message, to say why the inputs did not read.
class FirstMessage final : public Host {
public:
    void message(const std::string& text, MessageIcon) override {
        if (first.empty()) first = text;
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }
    std::string first;
};

/// A grid file writes "Nondrug." for the table a change line calls Nondrug.
std::string shownName(const std::string& text) {
    std::string s = trimBlanks(text);
    while (!s.empty() && s.back() == '.') s = trimBlanks(s.substr(0, s.size() - 1));
    return s;
}

/// A name as a change line takes it: quoted when it has blanks, its number
/// when it cannot be written (a quote, a comment mark) or is only digits
/// (which would read as another table's or group's number).
std::string nameWord(const std::string& name, std::size_t index) {
    const bool digits = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    if (name.empty() || digits || name.find_first_of("\"#") != std::string::npos) return std::to_string(index + 1);
    return name.find_first_of(" \t") == std::string::npos ? name : "\"" + name + "\"";
}

std::string amount(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

std::string cellsOf(const WhatIfLevers& l, const LeverChoices& c) {
    const auto t = static_cast<std::size_t>(l.table);
    std::string cells = "table " + nameWord(c.tables[t].name, t);
    if (l.scope == CellScope::Row || l.scope == CellScope::Cell) cells += " row " + std::to_string(l.row);
    if (l.scope == CellScope::Column || l.scope == CellScope::Cell) cells += " column " + std::to_string(l.column);
    return cells;
}

} // namespace

std::optional<LeverChoices> readLeverChoices(const RunConfiguration& cfg, const std::string& dataDirectory,
                                             std::string& error) {
    FirstMessage host;
    StateTables st;
    if (!readLabels(dataPath(dataDirectory, cfg.value(SecFiles, LabelsFile)), st, host) ||
        !readTableDefinitions(dataPath(dataDirectory, cfg.value(SecFiles, GridFile)), {}, 0, 0, st, host)) {
        error = host.first;
        return std::nullopt;
    }
    LeverChoices choices;
    const ClassificationVariable& groups = st.Values[VarFelonyType];
    for (int g = 0; g < groups.count && g < static_cast<int>(groups.labelsptr.size()); ++g)
        choices.groups.push_back(trimBlanks(groups.labelsptr[static_cast<std::size_t>(g)].text));
    for (std::size_t t = 0; t < st.m_Tables.size() && t < st.m_TableNames.size(); ++t) {
        if (!st.m_Tables[t]) continue;
        const TableDef& def = *st.m_Tables[t];
        choices.tables.push_back({shownName(st.m_TableNames[t]), def.rows, def.cols, def.rowlabels, def.collabels});
    }
    choices.readsTrendWeights = cfg.isOn(SecRun, NorvaleCustomizationsKey);
    return choices;
}

std::vector<std::string> changeLines(const WhatIfLevers& l, const LeverChoices& c) {
    std::vector<std::string> lines = l.settings;
    for (std::string& s : lines) s = "set " + s;
    const std::string from = l.fromYear > 0 ? " from " + std::to_string(l.fromYear) : std::string();
    for (std::size_t g = 0; g < l.admissionsPercent.size() && g < c.groups.size(); ++g)
        if (l.admissionsPercent[g] != 0)
            lines.push_back("admissions " + nameWord(c.groups[g], g) + " x " + amount(1 + l.admissionsPercent[g] / 100) +
                            from);
    if (l.table >= 0 && static_cast<std::size_t>(l.table) < c.tables.size()) {
        if (l.prisonScale != 1) lines.push_back("probability prison " + cellsOf(l, c) + " x " + amount(l.prisonScale) + from);
        if (l.sentenceScale != 1) lines.push_back("sentence " + cellsOf(l, c) + " x " + amount(l.sentenceScale) + from);
    }
    return lines;
}

} // namespace kov::scenarios
