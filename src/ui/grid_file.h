#pragma once
// Reading one probability matrix out of a probability file, and writing an
// edited matrix back without disturbing the rest of the file: through a
// temporary file in the data directory, every write and the close checked
// before the file is replaced.
#include <string>
#include <vector>

class QWidget;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

/// What the grid editor edits: one matrix of one probability file.
struct GridTarget {
    int fileKey = 0;                 ///< CourtProbabilitiesFile, StockProbabilities or ProgramProbabilities
    std::string label;               ///< the block label of the matrix
    std::vector<std::string> labels; ///< every block label of the file, in order (for a new file)
};

struct ProbabilityMatrix {
    int rows = 0;
    int columns = 0;
    std::vector<std::string> cells; ///< rows x columns texts, row-major
    bool newFile = false;           ///< the configuration names no file yet
};

/// Largest matrix the editor agrees to show.
inline constexpr long MaxGridCells = 100000;

class ProbabilityFile {
public:
    ProbabilityFile(RunConfiguration& cfg, std::string dataDirectory, GridTarget target, Prompts& prompts,
             QWidget* parent);

    /// Reads the dimensions and the matrix; false after a message.
    bool open(ProbabilityMatrix& matrix);
    /// Writes values (rows x columns) into every block with the label of the
    /// existing file; false after a message, the file then left as it was.
    bool saveExisting(const ProbabilityMatrix& matrix, const std::vector<double>& values);
    /// Writes a new file at path with a block per label (values for the edited
    /// one, zeros for the others) and then names it in the configuration;
    /// false after a message, the configuration then unchanged.
    bool saveNew(const std::string& path, const ProbabilityMatrix& matrix, const std::vector<double>& values);

    /// The temporary file of saveExisting.
    std::string temporaryPath() const;
    /// The probability file's configured name and full path.
    std::string fileName() const;
    std::string filePath() const;
    const std::string& dataDirectory() const { return dataDirectory_; }

    /// One matrix row as it is written: " %1.5f " per value and a line end.
    static std::string formatRow(const double* values, int columns, const std::string& lineEnd);

private:
    bool readDimensions(ProbabilityMatrix& matrix);
    /// A line holding the label: for program names the whole trimmed line,
    /// else (court and stock labels) any line containing it.
    bool isLabelLine(const std::string& line) const;
    void tell(const std::string& text);

    RunConfiguration& cfg_;
    std::string dataDirectory_;
    GridTarget target_;
    Prompts& prompts_;
    QWidget* parent_;
};

} // namespace kov::ui
