#pragma once
// Reading the matrices of one outcome out of a probability file, one per grid
// table, and writing edited ones back without disturbing the rest of the
// file: through a temporary file in the data directory, every write and the
// close checked before the file is replaced.
#include <string>
#include <vector>

class QWidget;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

/// What the grid editor edits: the matrices of one label in one probability file.
struct GridTarget {
    int fileKey = 0;                 ///< CourtProbabilitiesFile, StockProbabilities or ProgramProbabilities
    std::string label;               ///< the block label of the matrices
    std::vector<std::string> labels; ///< every block label of the file, in order (for a new file)
};

/// One grid table and the texts of its block for the label.
struct GridTable {
    std::string name;
    int rows = 0;
    int columns = 0;
    std::vector<std::string> rowLabels, columnLabels;
    std::vector<std::string> cells; ///< rows x columns texts, row-major
};

struct ProbabilityBlocks {
    /// In file order: the n-th block with the label belongs to the n-th table.
    /// Program probabilities have one table, which every block of the label takes.
    std::vector<GridTable> tables;
    bool newFile = false; ///< the configuration names no file yet
};

/// Largest matrix the editor agrees to show.
inline constexpr long MaxGridCells = 100000;

class ProbabilityFile {
public:
    ProbabilityFile(RunConfiguration& cfg, std::string dataDirectory, GridTarget target, Prompts& prompts,
                    QWidget* parent);

    /// Reads the tables and their blocks; false after a message saying why the
    /// file cannot be edited, before anything could be typed.
    bool open(ProbabilityBlocks& blocks);
    /// Writes values[t] into the block of every table t marked changed, every
    /// other line kept as it is; false after a message, the file then left as it was.
    bool saveExisting(const ProbabilityBlocks& blocks, const std::vector<std::vector<double>>& values,
                      const std::vector<bool>& changed);
    /// Writes a new file at path, a block per label and table (values for the
    /// edited label, zeros for the others), and then names it in the
    /// configuration; false after a message, the configuration then unchanged.
    bool saveNew(const std::string& path, const ProbabilityBlocks& blocks,
                 const std::vector<std::vector<double>>& values);

    /// The temporary file of saveExisting.
    std::string temporaryPath() const;
    /// The probability file's configured name and full path.
    std::string fileName() const;
    std::string filePath() const;
    const std::string& dataDirectory() const { return dataDirectory_; }

    /// One matrix row as it is written: " %1.5f " per value and a line end.
    static std::string formatRow(const double* values, int columns, const std::string& lineEnd);

private:
    bool readTables(ProbabilityBlocks& blocks);
    /// A line holding the label: for program names the whole trimmed line,
    /// else (court and stock labels) any line containing it.
    bool isLabelLine(const std::string& line) const;
    /// The table each label line of lines belongs to, or why the blocks do not
    /// fit the tables (empty when they do).
    std::string matchBlocks(const std::vector<std::string>& lines, const ProbabilityBlocks& blocks,
                            std::vector<std::size_t>& labelLines) const;
    std::size_t tableOfBlock(std::size_t n) const { return programs() ? 0 : n; }
    bool programs() const;
    void tell(const std::string& text);

    RunConfiguration& cfg_;
    std::string dataDirectory_;
    GridTarget target_;
    Prompts& prompts_;
    QWidget* parent_;
};

} // namespace kov::ui
