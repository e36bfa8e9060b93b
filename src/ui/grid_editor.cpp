#include "ui/grid_editor.h"

#include "base/text.h"
#include "ui/number_text.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kov::ui {
namespace {

/// Each box holds at most seven characters.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setMaxLength(7);
        return w;
    }
};

// Boxes this wide show seven characters.
constexpr int CellWidth = 64;

std::size_t cellIndex(int r, int c, int columns) {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c);
}

QStringList texts(const std::vector<std::string>& from) {
    QStringList out;
    for (const std::string& s : from) out << QString::fromStdString(s);
    return out;
}

} // namespace

CGridEditor::CGridEditor(RunConfiguration& cfg, const QString& dataDirectory, GridTarget target, const QString& title,
                         Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), dataDirectory_(dataDirectory) {
    const QString label = QString::fromStdString(target.label);
    file_ = std::make_unique<ProbabilityFile>(cfg, dataDirectory.toStdString(), std::move(target), prompts, this);
    opened_ = file_->open(blocks_);
    if (!opened_) blocks_ = ProbabilityBlocks{}; // nothing to show
    if (blocks_.tables.empty()) blocks_.tables.emplace_back();
    setWindowTitle(title);

    auto* top = new QVBoxLayout(this);
    auto* caption = new QLabel(label.toUpper());
    caption->setAlignment(Qt::AlignCenter);
    top->addWidget(caption);

    choice_ = new QComboBox;
    choice_->setObjectName(QStringLiteral("gridTableChoice"));
    stack_ = new QStackedWidget;
    int widest = 1, tallest = 1;
    for (std::size_t t = 0; t < blocks_.tables.size(); ++t) {
        const GridTable& g = blocks_.tables[t];
        choice_->addItem(QStringLiteral("Table %1: %2").arg(t + 1).arg(QString::fromStdString(g.name)));
        tables_.push_back(makeTable(g));
        stack_->addWidget(tables_.back());
        widest = std::max(widest, g.columns);
        tallest = std::max(tallest, g.rows);
    }
    connect(choice_, &QComboBox::currentIndexChanged, stack_, &QStackedWidget::setCurrentIndex);
    choice_->setVisible(blocks_.tables.size() > 1);
    top->addWidget(choice_);
    top->addWidget(stack_);
    const int width = std::min(CellWidth * widest + 160, 900);
    const int height = std::min(26 * tallest + 170, 720);
    resize(std::max(width, 360), std::max(height, 220));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGridEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGridEditor::reject);
    top->addWidget(buttons);
}

CGridEditor::~CGridEditor() = default;

QTableWidget* CGridEditor::table() const { return tables_[static_cast<std::size_t>(stack_->currentIndex())]; }

QTableWidget* CGridEditor::makeTable(const GridTable& g) {
    // Any size is shown: a large matrix scrolls instead of losing cells.
    auto* table = new QTableWidget(g.rows, g.columns);
    table->setItemDelegate(new CellDelegate(table));
    table->horizontalHeader()->setDefaultSectionSize(CellWidth);
    if (!g.columnLabels.empty()) table->setHorizontalHeaderLabels(texts(g.columnLabels));
    if (!g.rowLabels.empty()) table->setVerticalHeaderLabels(texts(g.rowLabels));
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.columns; ++c)
            table->setItem(r, c, new QTableWidgetItem(QString::fromStdString(g.cells[cellIndex(r, c, g.columns)])));
    return table;
}

bool CGridEditor::collect(std::size_t t, std::vector<double>& values, bool& changed, int& bad) const {
    const GridTable& g = blocks_.tables[t];
    changed = false;
    bad = -1;
    values.assign(g.cells.size(), 0.0);
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.columns; ++c) {
            const std::size_t i = cellIndex(r, c, g.columns);
            const QString typed = tables_[t]->item(r, c)->text();
            if (typed == QString::fromStdString(g.cells[i])) {
                // Untouched boxes are written as they read, whatever they hold.
                values[i] = leadingDouble(g.cells[i]);
                continue;
            }
            changed = true;
            double v = 0.0;
            if (!parseDecimal(typed, v) || v < 0.0 || v > 1.0) {
                bad = static_cast<int>(i);
                return false;
            }
            values[i] = v;
        }
    return true;
}

void CGridEditor::accept() {
    const std::size_t count = blocks_.tables.size();
    std::vector<std::vector<double>> values(count);
    std::vector<bool> changed(count, false);
    bool anyChanged = false;
    for (std::size_t t = 0; t < count; ++t) {
        bool tableChanged = false;
        int bad = -1;
        if (!collect(t, values[t], tableChanged, bad)) {
            prompts_.message(this, QStringLiteral("Probability data must be between 0 and 1"));
            const int columns = blocks_.tables[t].columns;
            choice_->setCurrentIndex(static_cast<int>(t));
            table()->setCurrentCell(bad / columns, bad % columns);
            table()->setFocus();
            return;
        }
        changed[t] = tableChanged;
        anyChanged = anyChanged || tableChanged;
    }
    if (!anyChanged) {
        QDialog::accept();
        return;
    }
    if (!prompts_.okCancel(this, QStringLiteral("OK to Save Changes?"))) {
        QDialog::reject();
        return;
    }
    if (blocks_.newFile) {
        const QString chosen =
            prompts_.saveFileName(this, dataDirectory_ + QStringLiteral("/UnTitled"),
                                  QStringLiteral("KOV Probability Files (*.inp)|*.inp|All Files (*.*)|*.*|"),
                                  QStringLiteral("inp"), QString());
        if (chosen.isEmpty()) return; // the editor stays open
        saved_ = file_->saveNew(chosen.toStdString(), blocks_, values);
    } else {
        saved_ = file_->saveExisting(blocks_, values, changed);
    }
    QDialog::accept();
}

} // namespace kov::ui
