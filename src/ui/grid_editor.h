#pragma once
// Edits the matrices of one outcome of a probability file cell by cell, one
// grid table at a time, the tables chosen from a list.
#include "ui/grid_file.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QStackedWidget;
class QTableWidget;

namespace kov::ui {

class CGridEditor : public QDialog {
    Q_OBJECT
public:
    /// Reads the matrices at once; show the dialog only when opened() is true.
    CGridEditor(RunConfiguration& cfg, const QString& dataDirectory, GridTarget target, const QString& title,
                Prompts& prompts, QWidget* parent = nullptr);
    ~CGridEditor() override;

    bool opened() const { return opened_; }
    /// The cells of the grid table now shown.
    QTableWidget* table() const;
    /// The choice of grid table (hidden when there is one).
    QComboBox* tableChoice() const { return choice_; }
    const ProbabilityBlocks& blocks() const { return blocks_; }
    /// Whether the last OK wrote the file.
    bool saved() const { return saved_; }

public slots:
    void accept() override;

private:
    QTableWidget* makeTable(const GridTable& t);
    /// The values of table t (texts read for boxes not changed) and whether
    /// any box changed; false with the first changed box that is not a probability.
    bool collect(std::size_t t, std::vector<double>& values, bool& changed, int& bad) const;

    Prompts& prompts_;
    QString dataDirectory_;
    std::unique_ptr<ProbabilityFile> file_;
    ProbabilityBlocks blocks_;
    QComboBox* choice_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    std::vector<QTableWidget*> tables_;
    bool opened_ = false;
    bool saved_ = false;
};

} // namespace kov::ui
