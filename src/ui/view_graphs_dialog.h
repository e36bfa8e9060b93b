#pragma once
// Shows the graph files a run wrote in the image window, or prints them.
#include <QDialog>

#include <array>

class QCheckBox;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

class CViewGraphs : public QDialog {
    Q_OBJECT
public:
    static constexpr int GraphCount = 10;
    CViewGraphs(const RunConfiguration& cfg, Prompts& prompts, QWidget* parent = nullptr);
    ~CViewGraphs() override;

    QCheckBox* box(int graph) const { return boxes_[static_cast<std::size_t>(graph)]; }
    /// The graph file of key i, as the graph writer names it (working folder).
    QString graphFile(int graph) const;

public slots:
    void viewGraphs();
    void printGraphs();

private:
    const RunConfiguration& cfg_;
    Prompts& prompts_;
    std::array<QCheckBox*, GraphCount> boxes_{};
};

/// Captions of the ten graphs in the View Graphs and Graphs to Output dialogs.
extern const std::array<const char*, CViewGraphs::GraphCount> GraphCaptions;

} // namespace kov::ui
