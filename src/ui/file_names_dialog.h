#pragma once
// The folder of the data files and the name of every input and output file.
#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

class CSetIOFileNames : public QDialog {
    Q_OBJECT
public:
    static constexpr int FileCount = 19;

    /// dataDirectory: the main window's; postprisonOption: 1 to 4.
    CSetIOFileNames(RunConfiguration& cfg, const QString& dataDirectory, int postprisonOption, Prompts& prompts,
                    QWidget* parent = nullptr);

    /// The data directory after OK (unchanged unless the path field changed).
    const QString& dataDirectory() const { return dataDirectory_; }
    bool dataDirectoryChanged() const { return directoryChanged_; }
    /// Whether OK changed "Program Definitions" or "Program Probabilities".
    bool programFilesChanged() const { return programFilesChanged_; }

    QLineEdit* pathField() const { return path_; }
    QLineEdit* field(int fileKey) const { return fields_[static_cast<std::size_t>(fileKey)]; }

public slots:
    void accept() override;

private:
    void addGroup(class QLayout* into, const QString& title, std::initializer_list<std::pair<int, const char*>> keys);
    void enableByRules(int postprisonOption);
    void browseFolder();
    void chooseFile(int fileKey);

    RunConfiguration& cfg_;
    Prompts& prompts_;
    QString dataDirectory_;
    bool directoryChanged_ = false;
    bool programFilesChanged_ = false;
    QLineEdit* path_ = nullptr;
    std::array<QLineEdit*, FileCount> fields_{};
    std::array<QPushButton*, FileCount> buttons_{};
};

} // namespace kov::ui
