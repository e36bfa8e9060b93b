#pragma once
// Edits one probability matrix of a probability file cell by cell.
#include "ui/grid_file.h"

#include <QDialog>

#include <memory>

class QTableWidget;

namespace kov::ui {

class CGridEditor : public QDialog {
    Q_OBJECT
public:
    /// Reads the matrix at once; show the dialog only when opened() is true.
    CGridEditor(RunConfiguration& cfg, const QString& dataDirectory, GridTarget target, const QString& title,
                Prompts& prompts, QWidget* parent = nullptr);
    ~CGridEditor() override;

    bool opened() const { return opened_; }
    QTableWidget* table() const { return table_; }
    const ProbabilityMatrix& matrix() const { return matrix_; }
    /// Whether the last OK wrote the file.
    bool saved() const { return saved_; }

public slots:
    void accept() override;

private:
    /// The cells whose text differs from what was read; -1 when a changed cell
    /// is not a probability (its index in *bad).
    bool collect(std::vector<double>& values, bool& anyChanged, int& bad) const;

    Prompts& prompts_;
    QString dataDirectory_;
    std::unique_ptr<ProbabilityFile> file_;
    ProbabilityMatrix matrix_;
    QTableWidget* table_ = nullptr;
    bool opened_ = false;
    bool saved_ = false;
};

} // namespace kov::ui
