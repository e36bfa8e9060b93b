#include "ui/copy_table.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <set>

namespace kov::ui {

CopyTable::CopyTable(QWidget* parent) : QTableWidget(parent) {}

QString CopyTable::selectionText() const {
    std::set<int> rows, columns;
    for (const QModelIndex& index : selectedIndexes()) {
        rows.insert(index.row());
        columns.insert(index.column());
    }
    if (rows.empty()) return {};
    const auto cell = [](const QTableWidgetItem* item) { return item ? item->text() : QString(); };
    QStringList lines;
    QStringList heading;
    for (int c : columns) heading << cell(horizontalHeaderItem(c));
    lines << heading.join(QLatin1Char('\t'));
    for (int r : rows) {
        QStringList cells;
        for (int c : columns) cells << (item(r, c) && item(r, c)->isSelected() ? cell(item(r, c)) : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CopyTable::copySelection() const { QApplication::clipboard()->setText(selectionText()); }

void CopyTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace kov::ui
