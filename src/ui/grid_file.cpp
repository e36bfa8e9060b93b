#include "ui/grid_file.h"

#include "config/paths.h"
#include "config/replace_file.h"
#include "config/run_configuration.h"
#include "input/labels.h"
#include "input/text_file.h"
#include "ui/prompts.h"
#include "ui/prompts_host.h"

#include <cstdio>
#include <cstdlib>
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

ProbabilityFile::ProbabilityFile(RunConfiguration& cfg, std::string dataDirectory, GridTarget target, Prompts& prompts,
                   QWidget* parent)
    : cfg_(cfg), dataDirectory_(std::move(dataDirectory)), target_(std::move(target)), prompts_(prompts),
      parent_(parent) {}

void ProbabilityFile::tell(const std::string& text) { prompts_.message(parent_, QString::fromStdString(text)); }

std::string ProbabilityFile::fileName() const { return cfg_.value(SecFiles, target_.fileKey); }
std::string ProbabilityFile::filePath() const { return dataPath(dataDirectory_, fileName()); }
std::string ProbabilityFile::temporaryPath() const { return dataPath(dataDirectory_, "kov_prb_.tmp"); }

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
    if (target_.fileKey == ProgramProbabilities) return trimBlanks(line) == trimBlanks(target_.label);
    return line.find(target_.label) != std::string::npos;
}

bool ProbabilityFile::readDimensions(ProbabilityMatrix& m) {
    if (target_.fileKey == ProgramProbabilities) {
        PromptsHost host(prompts_, parent_);
        const std::string labels = cfg_.value(SecFiles, LabelsFile);
        const LabelsCheck check = checkLabelsFile(dataPath(dataDirectory_, labels), labels, host);
        if (!check.ok) return false;
        m.rows = check.felonyTypes;
        m.columns = check.offenses;
        return true;
    }
    const std::string name = cfg_.value(SecFiles, GridFile);
    TextFile grid(dataPath(dataDirectory_, name));
    if (!grid.isOpen()) {
        tell("KOV Grid file\n" + name + "\nCould not be opened!" + LookHint);
        return false;
    }
    std::string first, second;
    if (!grid.readLine(first, 255) || !grid.readLine(second, 255)) {
        tell("Error reading Grid File\n" + name + "\nPlease correct the problem and try again");
        return false;
    }
    // "%*s %d %d": after the table's name, its rows and columns; what is not there stays 0.
    m.rows = 0;
    m.columns = 0;
    std::sscanf(second.c_str(), "%*s %d %d", &m.rows, &m.columns);
    return true;
}

bool ProbabilityFile::open(ProbabilityMatrix& m) {
    if (!readDimensions(m)) return false;
    if (m.rows < 0 || m.columns < 0 || static_cast<long>(m.rows) * m.columns > MaxGridCells) {
        tell("The matrix has " + std::to_string(m.rows) + " rows and " + std::to_string(m.columns) +
             " columns; the editor cannot show it");
        return false;
    }
    const auto cellCount = static_cast<std::size_t>(m.rows) * static_cast<std::size_t>(m.columns);
    const std::string name = fileName();
    if (name.empty()) {
        m.newFile = true;
        m.cells.assign(cellCount, "0.00");
        return true;
    }
    std::string text;
    if (!readWhole(filePath(), text)) {
        tell("KOV Probabilities file\n" + name + "\nCould not be opened!" + LookHint);
        return false;
    }
    const std::vector<std::string> lines = splitKeepingEnds(text);
    std::size_t i = 0;
    while (i < lines.size() && !isLabelLine(withoutEnd(lines[i]))) ++i;
    if (i == lines.size()) {
        tell("End of file reading Probabilities File\n" + name + "\nLooking for label string\n" + target_.label +
             "\nPlease correct the problem and retry");
        return false;
    }
    // The label line, then the column heading line, then the words of the matrix.
    std::string rest;
    for (std::size_t j = i + 2; j < lines.size(); ++j) rest += lines[j];
    std::istringstream words(rest);
    m.cells.assign(cellCount, std::string());
    for (std::size_t c = 0; c < cellCount && words >> m.cells[c]; ++c) {
    }
    return true;
}

bool ProbabilityFile::saveExisting(const ProbabilityMatrix& m, const std::vector<double>& values) {
    const std::string name = fileName();
    const std::string path = filePath();
    const std::string temp = temporaryPath();
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
    std::string text;
    if (!readWhole(path, text)) {
        std::fclose(out);
        std::remove(temp.c_str());
        tell("KOV Probabilities file\n" + name + "\nCould not be opened!" + LookHint + "\n" + NotSaved);
        return false;
    }
    const std::vector<std::string> lines = splitKeepingEnds(text);
    // Rows are written with the file's own line end.
    const std::string lineEnd = !lines.empty() && lines[0].size() >= 2 && lines[0].ends_with("\r\n") ? "\r\n" : "\n";
    const auto put = [&](const std::string& s) { return std::fwrite(s.data(), 1, s.size(), out) == s.size(); };

    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!put(lines[i])) return abandon(out);
        if (!isLabelLine(withoutEnd(lines[i]))) continue;
        if (i + 1 < lines.size() && !put(lines[++i])) return abandon(out);
        // The block must hold a matrix of this shape, or every later block would shift.
        for (int r = 0; r < m.rows; ++r) {
            const std::size_t old = i + 1 + static_cast<std::size_t>(r);
            if (old >= lines.size() || !holdsNumbers(lines[old], m.columns)) return abandon(out);
        }
        for (int r = 0; r < m.rows; ++r)
            if (!put(formatRow(values.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(m.columns),
                               m.columns, lineEnd)))
                return abandon(out);
        i += static_cast<std::size_t>(m.rows);
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

bool ProbabilityFile::saveNew(const std::string& path, const ProbabilityMatrix& m, const std::vector<double>& values) {
    const std::vector<double> zeros(values.size(), 0.0);
    std::string content;
    for (const std::string& label : target_.labels) {
        content += "\n" + label + "\n\n";
        const std::vector<double>& v = label == target_.label ? values : zeros;
        for (int r = 0; r < m.rows; ++r)
            content += formatRow(v.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(m.columns),
                                 m.columns, "\n");
    }
    content += "\n";
    const std::string shown = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
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
