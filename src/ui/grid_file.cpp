#include "ui/grid_file.h"

#include "config/paths.h"
#include "config/replace_file.h"
#include "config/run_configuration.h"
#include "input/grid.h"
#include "input/labels.h"
#include "input/text_file.h"
#include "ui/prompts.h"
#include "ui/prompts_host.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kov::ui {
namespace {

constexpr std::size_t MaxFileBytes = 64u * 1024u * 1024u;
const std::string LookHint = "\nPlease check the name and path in the Set Up Menu.";
const std::string NotSaved = "Changes will not be saved";

bool readWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > MaxFileBytes) return false;
    in.seekg(0, std::ios::beg);
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), static_cast<std::streamsize>(size));
    return in.gcount() == static_cast<std::streamsize>(size);
}

/// Lines with their line ends kept.
std::vector<std::string> splitKeepingEnds(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        const std::size_t end = nl == std::string::npos ? text.size() : nl + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string withoutEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

/// True when the line holds exactly n numbers separated by blanks.
bool holdsNumbers(const std::string& line, int n) {
    std::istringstream words(withoutEnd(line));
    std::string w;
    int count = 0;
    while (words >> w) {
        char* end = nullptr;
        std::strtod(w.c_str(), &end);
        if (end == w.c_str() || *end != '\0') return false;
        ++count;
    }
    return count == n;
}

} // namespace

ProbabilityFile::ProbabilityFile(RunConfiguration& cfg, std::string dataDirectory, GridTarget target,
                                 Prompts& prompts, QWidget* parent)
    : cfg_(cfg), dataDirectory_(std::move(dataDirectory)), target_(std::move(target)), prompts_(prompts),
      parent_(parent) {}

void ProbabilityFile::tell(const std::string& text) { prompts_.message(parent_, QString::fromStdString(text)); }

std::string ProbabilityFile::fileName() const { return cfg_.value(SecFiles, target_.fileKey); }
std::string ProbabilityFile::filePath() const { return dataPath(dataDirectory_, fileName()); }
std::string ProbabilityFile::temporaryPath() const { return dataPath(dataDirectory_, "kov_prb_.tmp"); }
bool ProbabilityFile::programs() const { return target_.fileKey == ProgramProbabilities; }

std::string ProbabilityFile::formatRow(const double* values, int columns, const std::string& lineEnd) {
    std::string row;
    char cell[64];
    for (int c = 0; c < columns; ++c) {
        std::snprintf(cell, sizeof cell, " %1.5f ", values[c]);
        row += cell;
    }
    return row + lineEnd;
}

bool ProbabilityFile::isLabelLine(const std::string& line) const {
    // A program's name is the whole line: "Drug" must not match "Drug Court".
    if (programs()) return trimBlanks(line) == trimBlanks(target_.label);
    return line.find(target_.label) != std::string::npos;
}

bool ProbabilityFile::readTables(ProbabilityBlocks& blocks) {
    PromptsHost host(prompts_, parent_);
    if (programs()) {
        const std::string labels = cfg_.value(SecFiles, LabelsFile);
        const LabelsCheck check = checkLabelsFile(dataPath(dataDirectory_, labels), labels, host);
        if (!check.ok) return false;
        GridTable t;
        t.rows = check.felonyTypes;
        t.columns = check.offenses;
        blocks.tables.push_back(std::move(t));
        return true;
    }
    const std::string name = cfg_.value(SecFiles, GridFile);
    const std::string gridPath = dataPath(dataDirectory_, name);
    if (!TextFile(gridPath).isOpen()) {
        tell("KOV Grid file\n" + name + "\nCould not be opened!" + LookHint);
        return false;
    }
    // The stock file's blocks follow the stock tables: the court grid's own, or
    // the stock grid's with dual guidelines, as a run reads them.
    const bool stock = target_.fileKey == StockProbabilities;
    StateTables st;
    if (!readTableDefinitions(gridPath, dataPath(dataDirectory_, cfg_.value(SecFiles, StockGridFile)), stock ? 1 : 0,
                              cfg_.intValue(SecPostprison, DualGuidelinesKey), st, host))
        return false;
    const auto& defs = stock ? st.Postables : st.m_Tables;
    const auto& names = stock && st.PostablesOwned ? st.m_PostTableNames : st.m_TableNames;
    for (std::size_t i = 0; i < defs.size(); ++i) {
        GridTable t;
        t.name = i < names.size() ? names[i] : std::string();
        t.rows = defs[i]->rows;
        t.columns = defs[i]->cols;
        t.rowLabels = defs[i]->rowlabels;
        t.columnLabels = defs[i]->collabels;
        blocks.tables.push_back(std::move(t));
    }
    return true;
}

std::string ProbabilityFile::matchBlocks(const std::vector<std::string>& lines, const ProbabilityBlocks& blocks,
                                         std::vector<std::size_t>& labelLines) const {
    labelLines.clear();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (isLabelLine(withoutEnd(lines[i]))) labelLines.push_back(i);
    const std::string quoted = "\"" + target_.label + "\"";
    if (!programs() && labelLines.size() != blocks.tables.size())
        return "it holds " + std::to_string(labelLines.size()) + " blocks " + quoted + " but the grid file " +
               cfg_.value(SecFiles, GridFile) + " has " + std::to_string(blocks.tables.size()) +
               " tables, and each table needs a block of its own.";
    for (std::size_t n = 0; n < labelLines.size(); ++n) {
        const GridTable& t = blocks.tables[tableOfBlock(n)];
        // The label line, the heading line, then one line per row.
        for (int r = 0; r < t.rows; ++r) {
            const std::size_t at = labelLines[n] + 2 + static_cast<std::size_t>(r);
            if (at < lines.size() && holdsNumbers(lines[at], t.columns)) continue;
            const std::string which = programs() ? "" : " of table " + std::to_string(n + 1) + " (" + t.name + ")";
            return "its block " + quoted + which + " should hold " + std::to_string(t.rows) + " rows of " +
                   std::to_string(t.columns) + " numbers, one row per line, but line " + std::to_string(at + 1) +
                   (at < lines.size() ? " does not." : " is past the end of the file.");
        }
    }
    return {};
}

bool ProbabilityFile::open(ProbabilityBlocks& blocks) {
    blocks = ProbabilityBlocks{};
    if (!readTables(blocks)) return false;
    for (const GridTable& t : blocks.tables) {
        if (t.rows < 0 || t.columns < 0 || static_cast<long>(t.rows) * t.columns > MaxGridCells) {
            tell("The matrix has " + std::to_string(t.rows) + " rows and " + std::to_string(t.columns) +
                 " columns; the editor cannot show it");
            return false;
        }
    }
    const auto cellCount = [](const GridTable& t) {
        return static_cast<std::size_t>(t.rows) * static_cast<std::size_t>(t.columns);
    };
    const std::string name = fileName();
    if (name.empty()) {
        blocks.newFile = true;
        for (GridTable& t : blocks.tables) t.cells.assign(cellCount(t), "0.00");
        return true;
    }
    std::string text;
    if (!readWhole(filePath(), text)) {
        tell("KOV Probabilities file\n" + name + "\nCould not be opened!" + LookHint);
        return false;
    }
    const std::vector<std::string> lines = splitKeepingEnds(text);
    std::vector<std::size_t> labelLines;
    const std::string mismatch = matchBlocks(lines, blocks, labelLines);
    if (labelLines.empty()) {
        tell("End of file reading Probabilities File\n" + name + "\nLooking for label string\n" + target_.label +
             "\nPlease correct the problem and retry");
        return false;
    }
    if (!mismatch.empty()) {
        // Writing rows of one shape over a block of another would shift every later block.
        tell(name + " cannot be edited here: " + mismatch + "\nPlease correct the file; it has not been changed.");
        return false;
    }
    for (std::size_t n = 0; n < labelLines.size() && tableOfBlock(n) == n; ++n) {
        GridTable& t = blocks.tables[n];
        std::string rows;
        for (int r = 0; r < t.rows; ++r) rows += lines[labelLines[n] + 2 + static_cast<std::size_t>(r)];
        std::istringstream words(rows);
        t.cells.assign(cellCount(t), std::string());
        for (std::string& cell : t.cells) words >> cell;
    }
    return true;
}

bool ProbabilityFile::saveExisting(const ProbabilityBlocks& blocks, const std::vector<std::vector<double>>& values,
                                   const std::vector<bool>& changed) {
    const std::string name = fileName();
    const std::string path = filePath();
    const std::string temp = temporaryPath();
    std::string text;
    if (!readWhole(path, text)) {
        tell("KOV Probabilities file\n" + name + "\nCould not be opened!" + LookHint + "\n" + NotSaved);
        return false;
    }
    const std::vector<std::string> lines = splitKeepingEnds(text);
    std::vector<std::size_t> labelLines;
    const std::string mismatch = matchBlocks(lines, blocks, labelLines);
    if (!mismatch.empty() || labelLines.empty()) {
        tell(name + " has changed on disk since the editor opened it: " +
             (mismatch.empty() ? "the label \"" + target_.label + "\" is gone." : mismatch) + "\n" + NotSaved);
        return false;
    }
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
        tell("KOV Temporary Probability file " + temp + " could not be opened!\n" + NotSaved);
        return false;
    }
    const auto abandon = [&](std::FILE* f) {
        if (f) std::fclose(f);
        std::remove(temp.c_str());
        tell("Error writing Probability File\n" + name + "\nChanges will not be saved");
        return false;
    };
    // Rows are written with the file's own line end.
    const std::string lineEnd = !lines.empty() && lines[0].ends_with("\r\n") ? "\r\n" : "\n";
    const auto put = [&](const std::string& s) { return std::fwrite(s.data(), 1, s.size(), out) == s.size(); };

    std::size_t next = 0; // the next block with the label
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!put(lines[i])) return abandon(out);
        if (next >= labelLines.size() || i != labelLines[next]) continue;
        const std::size_t t = tableOfBlock(next++);
        if (!changed[t]) continue;
        const GridTable& table = blocks.tables[t];
        if (!put(lines[++i])) return abandon(out);
        for (int r = 0; r < table.rows; ++r)
            if (!put(formatRow(values[t].data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(table.columns),
                               table.columns, lineEnd)))
                return abandon(out);
        i += static_cast<std::size_t>(table.rows);
    }
    // Data still buffered can fail here (a full disk): the original must stay.
    const bool flushed = std::fflush(out) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!flushed || !closed) return abandon(nullptr);

    // Renaming over the old file replaces it in one step; until then it is intact.
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        tell("KOV Temporary Probabilities file\n" + temp + "\nCould not be renamed to\n" + path + "\nWhen you Click OK\n" +
             temp + "\nwill contain your changes." + "\nmake sure you rename it before running KOV again.");
        return false;
    }
    return true;
}

bool ProbabilityFile::saveNew(const std::string& path, const ProbabilityBlocks& blocks,
                              const std::vector<std::vector<double>>& values) {
    std::string content;
    // Blocks by outcome, then by table: the order a run reads them in.
    for (const std::string& label : target_.labels) {
        for (std::size_t t = 0; t < blocks.tables.size(); ++t) {
            const GridTable& table = blocks.tables[t];
            content += "\n" + label + "\n\n";
            const std::vector<double> zeros(table.cells.size(), 0.0);
            const std::vector<double>& v = label == target_.label ? values[t] : zeros;
            for (int r = 0; r < table.rows; ++r)
                content += formatRow(v.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(table.columns),
                                     table.columns, "\n");
        }
    }
    content += "\n";
    const std::string shown = std::filesystem::path(path).filename().string();
    std::string reason;
    if (!replaceFileContents(path, content, &reason)) {
        if (reason.starts_with("cannot write"))
            tell("Error writing Probability File\n" + shown + "\nChanges will not be saved");
        else
            tell("KOV New Probability file " + shown + " could not be opened!\n" + NotSaved);
        return false;
    }
    // Only a file that is really there is named in the configuration; as with
    // the other editors of file names, this leaves the changed flag as it was.
    const int modified = cfg_.modified;
    cfg_.setValue(SecFiles, target_.fileKey, shown);
    cfg_.modified = modified;
    return true;
}

} // namespace kov::ui
