#pragma once
// Which graphs a run draws, and the file each is written to.
#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

class GraphOutput : public QDialog {
    Q_OBJECT
public:
    static constexpr int GraphCount = 10;
    GraphOutput(RunConfiguration& cfg, Prompts& prompts, QWidget* parent = nullptr);

    QCheckBox* box(int graph) const { return boxes_[static_cast<std::size_t>(graph)]; }
    QLineEdit* field(int graph) const { return fields_[static_cast<std::size_t>(graph)]; }

public slots:
    void accept() override;

private:
    RunConfiguration& cfg_;
    Prompts& prompts_;
    std::array<QCheckBox*, GraphCount> boxes_{};
    std::array<QLineEdit*, GraphCount> fields_{};
    std::array<QPushButton*, GraphCount> buttons_{};
};

} // namespace kov::ui
