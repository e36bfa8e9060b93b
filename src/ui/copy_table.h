#pragma once
// A table whose selection Ctrl+C copies as tab-separated text, with the
// column headings above, so it pastes into a spreadsheet as cells.
#include <QTableWidget>

namespace kov::ui {

class CopyTable : public QTableWidget {
    Q_OBJECT
public:
    explicit CopyTable(QWidget* parent = nullptr);

    /// The selected cells' rows and columns, tab-separated, one row a line.
    QString selectionText() const;
    void copySelection() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kov::ui
