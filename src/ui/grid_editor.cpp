#include "ui/grid_editor.h"

#include "input/text_file.h"
#include "ui/number_text.h"
#include "ui/prompts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

} // namespace

CGridEditor::CGridEditor(RunConfiguration& cfg, const QString& dataDirectory, GridTarget target, const QString& title,
                         Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), dataDirectory_(dataDirectory) {
    const QString label = QString::fromStdString(target.label);
    file_ = std::make_unique<ProbabilityFile>(cfg, dataDirectory.toStdString(), std::move(target), prompts, this);
    opened_ = file_->open(matrix_);
    if (!opened_) matrix_ = ProbabilityMatrix{}; // nothing to show
    setWindowTitle(title);

    auto* top = new QVBoxLayout(this);
    auto* caption = new QLabel(label.toUpper());
    caption->setAlignment(Qt::AlignCenter);
    top->addWidget(caption);

    // Any size is shown: a large matrix scrolls instead of losing cells.
    table_ = new QTableWidget(matrix_.rows, matrix_.columns);
    table_->setItemDelegate(new CellDelegate(table_));
    table_->horizontalHeader()->setDefaultSectionSize(CellWidth);
    for (int r = 0; r < matrix_.rows; ++r)
        for (int c = 0; c < matrix_.columns; ++c) {
            const std::size_t i = static_cast<std::size_t>(r) * static_cast<std::size_t>(matrix_.columns) +
                                  static_cast<std::size_t>(c);
            table_->setItem(r, c, new QTableWidgetItem(QString::fromStdString(matrix_.cells[i])));
        }
    top->addWidget(table_);
    const int width = std::min(CellWidth * std::max(matrix_.columns, 1) + 80, 900);
    const int height = std::min(26 * std::max(matrix_.rows, 1) + 140, 720);
    resize(std::max(width, 360), std::max(height, 220));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGridEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGridEditor::reject);
    top->addWidget(buttons);
}

CGridEditor::~CGridEditor() = default;

bool CGridEditor::collect(std::vector<double>& values, bool& anyChanged, int& bad) const {
    anyChanged = false;
    bad = -1;
    values.assign(matrix_.cells.size(), 0.0);
    for (int r = 0; r < matrix_.rows; ++r)
        for (int c = 0; c < matrix_.columns; ++c) {
            const std::size_t i = static_cast<std::size_t>(r) * static_cast<std::size_t>(matrix_.columns) +
                                  static_cast<std::size_t>(c);
            const QString typed = table_->item(r, c)->text();
            const QString read = QString::fromStdString(matrix_.cells[i]);
            if (typed == read) {
                // Untouched boxes are written as they read, whatever they hold.
                values[i] = leadingDouble(matrix_.cells[i]);
                continue;
            }
            anyChanged = true;
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
    std::vector<double> values;
    bool anyChanged = false;
    int bad = -1;
    if (!collect(values, anyChanged, bad)) {
        prompts_.message(this, QStringLiteral("Probability data must be between 0 and 1"));
        const int r = bad / matrix_.columns, c = bad % matrix_.columns;
        table_->setCurrentCell(r, c);
        table_->setFocus();
        return;
    }
    if (!anyChanged) {
        QDialog::accept();
        return;
    }
    if (!prompts_.okCancel(this, QStringLiteral("OK to Save Changes?"))) {
        QDialog::reject();
        return;
    }
    if (matrix_.newFile) {
        const QString chosen =
            prompts_.saveFileName(this, dataDirectory_ + QStringLiteral("/UnTitled"),
                                  QStringLiteral("KOV Probability Files (*.inp)|*.inp|All Files (*.*)|*.*|"),
                                  QStringLiteral("inp"), QString());
        if (chosen.isEmpty()) return; // the editor stays open
        saved_ = file_->saveNew(chosen.toStdString(), matrix_, values);
    } else {
        saved_ = file_->saveExisting(matrix_, values);
    }
    QDialog::accept();
}

} // namespace kov::ui
