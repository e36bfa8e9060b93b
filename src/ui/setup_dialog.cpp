#include "ui/setup_dialog.h"

#include "base/text.h"
#include "ui/field_store.h"
#include "ui/number_text.h"
#include "ui/prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <map>

namespace kov::ui {
namespace {

bool isCheck(FieldKind k) { return k == FieldKind::Check || k == FieldKind::DisabledCheck; }

/// A form row whose caption explains the field as the field itself does.
void addRow(QFormLayout* form, const FieldSpec& f, QWidget* field) {
    auto* caption = new QLabel(f.label);
    caption->setToolTip(f.tip);
    form->addRow(caption, field);
}

// More edit fields than this are laid out in two columns.
constexpr int FieldsPerColumn = 10;
// Check boxes per column of a check list.
constexpr int ChecksPerColumn = 8;

} // namespace

SetupDialog::SetupDialog(DialogSpec spec, FieldStore& store, Prompts& prompts, QWidget* parent)
    : QDialog(parent), spec_(std::move(spec)), store_(store), prompts_(prompts) {
    const std::size_t n = spec_.fields.size();
    edits_.assign(n, nullptr);
    checks_.assign(n, nullptr);
    writtenFields_.assign(n, false);
    setWindowTitle(spec_.title);
    build();
}

QWidget* SetupDialog::makeField(int i) {
    const auto ui = static_cast<std::size_t>(i);
    const FieldSpec& f = spec_.fields[ui];
    const QString stored = store_.text(f);
    if (isCheck(f.kind)) {
        auto* box = new QCheckBox(f.label);
        box->setChecked(leadingInt(stored.toStdString()) != 0);
        box->setEnabled(f.kind == FieldKind::Check);
        box->setToolTip(f.tip);
        checks_[ui] = box;
        return box;
    }
    auto* edit = new QLineEdit;
    if (!(spec_.fillOnlyWhenNotEmpty && stored.isEmpty())) {
        // A number box shows the number the key holds, as the field exchange would.
        edit->setText(f.kind == FieldKind::Integer && !stored.isEmpty()
                          ? QString::number(leadingInt(stored.toStdString()))
                          : stored);
    }
    // Long texts (a title, a program's name) get a wide box, shown from their start.
    const bool unlimitedText = f.maxChars == 0 && (f.kind == FieldKind::Text || f.kind == FieldKind::NonEmptyText);
    edit->setMinimumWidth(f.maxChars > 20 || unlimitedText ? 360 : 90);
    edit->setCursorPosition(0);
    edit->setToolTip(f.tip);
    edits_[ui] = edit;
    if (f.note.isEmpty()) return edit;
    // The note (a trend weight's calendar year) stands beside the box.
    auto* withNote = new QWidget;
    auto* row = new QHBoxLayout(withNote);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit);
    auto* note = new QLabel(f.note);
    note->setToolTip(f.tip);
    row->addWidget(note);
    return withNote;
}

void SetupDialog::build() {
    auto* top = new QVBoxLayout(this);
    if (!spec_.heading.isEmpty()) {
        auto* heading = new QLabel(spec_.heading);
        QFont font = heading->font();
        font.setBold(true);
        heading->setFont(font);
        heading->setAlignment(Qt::AlignCenter);
        top->addWidget(heading);
    }

    // Ungrouped edit fields in one or two form columns, ungrouped check boxes in
    // a grid, and each named group in its own frame, frames side by side.
    std::vector<int> plainEdits, plainChecks;
    std::vector<QString> groupOrder;
    std::map<QString, std::vector<int>> groups;
    for (int i = 0; i < static_cast<int>(spec_.fields.size()); ++i) {
        const FieldSpec& f = spec_.fields[static_cast<std::size_t>(i)];
        if (!f.group.isEmpty()) {
            if (!groups.count(f.group)) groupOrder.push_back(f.group);
            groups[f.group].push_back(i);
        } else if (isCheck(f.kind)) {
            plainChecks.push_back(i);
        } else {
            plainEdits.push_back(i);
        }
    }

    if (!plainEdits.empty()) {
        auto* row = new QHBoxLayout;
        const int columns = static_cast<int>(plainEdits.size()) > FieldsPerColumn ? 2 : 1;
        const std::size_t perColumn = (plainEdits.size() + static_cast<std::size_t>(columns) - 1) /
                                      static_cast<std::size_t>(columns);
        QFormLayout* form = nullptr;
        for (std::size_t j = 0; j < plainEdits.size(); ++j) {
            if (j % perColumn == 0) {
                form = new QFormLayout;
                row->addLayout(form);
            }
            const int i = plainEdits[j];
            QWidget* w = makeField(i);
            addRow(form, spec_.fields[static_cast<std::size_t>(i)], w);
        }
        top->addLayout(row);
    }
    if (!groupOrder.empty()) {
        auto* row = new QHBoxLayout;
        for (const QString& name : groupOrder) {
            auto* box = new QGroupBox(name);
            auto* form = new QFormLayout(box);
            for (int i : groups[name]) {
                QWidget* w = makeField(i);
                if (isCheck(spec_.fields[static_cast<std::size_t>(i)].kind))
                    form->addRow(w);
                else
                    addRow(form, spec_.fields[static_cast<std::size_t>(i)], w);
            }
            row->addWidget(box);
        }
        top->addLayout(row);
    }
    if (!plainChecks.empty()) {
        auto* grid = new QGridLayout;
        for (std::size_t j = 0; j < plainChecks.size(); ++j)
            grid->addWidget(makeField(plainChecks[j]), static_cast<int>(j % ChecksPerColumn),
                            static_cast<int>(j / ChecksPerColumn));
        top->addLayout(grid);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SetupDialog::reject);
    top->addWidget(buttons);
}

QLineEdit* SetupDialog::edit(int field) const {
    return field >= 0 && field < static_cast<int>(edits_.size()) ? edits_[static_cast<std::size_t>(field)] : nullptr;
}

QCheckBox* SetupDialog::checkBox(int field) const {
    return field >= 0 && field < static_cast<int>(checks_.size()) ? checks_[static_cast<std::size_t>(field)] : nullptr;
}

int SetupDialog::fieldOf(int section, int key) const {
    for (std::size_t i = 0; i < spec_.fields.size(); ++i)
        if (spec_.fields[i].section == section && spec_.fields[i].key == key) return static_cast<int>(i);
    return -1;
}

bool SetupDialog::wrote(int section, int key) const {
    const int i = fieldOf(section, key);
    return i >= 0 && writtenFields_[static_cast<std::size_t>(i)];
}

void SetupDialog::refuse(int i, const QString& message) {
    prompts_.message(this, message);
    QLineEdit* e = edit(i);
    if (e) {
        e->setFocus();
        e->selectAll();
    }
}

bool SetupDialog::checkLimits() {
    for (int i = 0; i < static_cast<int>(spec_.fields.size()); ++i) {
        const FieldSpec& f = spec_.fields[static_cast<std::size_t>(i)];
        const QLineEdit* e = edit(i);
        if (!e) continue;
        const QString typed = e->text();
        if (f.kind == FieldKind::Integer) {
            // A key that was empty and is left empty stays as it is.
            if (typed.trimmed().isEmpty() && store_.text(f).isEmpty()) continue;
            long v = 0;
            if (!parseInteger(typed, v)) {
                refuse(i, QStringLiteral("Please enter an integer."));
                return false;
            }
            if (v < f.low || v > f.high) {
                refuse(i, QStringLiteral("Please enter an integer between %1 and %2.").arg(f.low).arg(f.high));
                return false;
            }
        } else if (f.maxChars > 0 && typed.size() > f.maxChars) {
            refuse(i, QStringLiteral("Please enter no more than %1 characters.").arg(f.maxChars));
            return false;
        }
    }
    return true;
}

bool SetupDialog::checkRanges() {
    for (int i = 0; i < static_cast<int>(spec_.fields.size()); ++i) {
        const FieldSpec& f = spec_.fields[static_cast<std::size_t>(i)];
        const QLineEdit* e = edit(i);
        if (!e) continue;
        // Only a decimal number counts: "abc" or "nan" would otherwise pass as 0 or NaN.
        if (f.kind == FieldKind::Probability && !isProbability(e->text())) {
            refuse(i, f.message);
            return false;
        }
        if (f.kind == FieldKind::NonEmptyText && e->text().trimmed().isEmpty()) {
            refuse(i, f.message);
            return false;
        }
    }
    return true;
}

QString SetupDialog::newText(int i) const {
    const FieldSpec& f = spec_.fields[static_cast<std::size_t>(i)];
    if (const QCheckBox* c = checkBox(i)) return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    const QString typed = edit(i)->text();
    if (f.kind == FieldKind::Integer) {
        long v = 0;
        if (!parseInteger(typed, v)) return {}; // left empty (checked above)
        return QString::number(v);
    }
    return typed;
}

void SetupDialog::accept() {
    if (!checkLimits() || !checkRanges()) return;
    written_ = 0;
    for (int i = 0; i < static_cast<int>(spec_.fields.size()); ++i) {
        const auto ui = static_cast<std::size_t>(i);
        const FieldSpec& f = spec_.fields[ui];
        writtenFields_[ui] = false;
        if (f.kind == FieldKind::DisabledCheck || (f.section != TitleSection && f.key == NoKey)) continue;
        const QString stored = store_.text(f);
        bool differs = false;
        if (isCheck(f.kind))
            differs = checkBox(i)->isChecked() != (leadingInt(stored.toStdString()) != 0);
        else
            differs = newText(i) != stored;
        if (!differs) continue;
        store_.store(f, newText(i));
        writtenFields_[ui] = true;
        ++written_;
    }
    QDialog::accept();
}

} // namespace kov::ui
