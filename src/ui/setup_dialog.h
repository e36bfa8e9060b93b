#pragma once
// One dialog for every setup screen that is a list of fields (DialogSpec):
// shows each key's text, checks what was typed when OK is pressed, and writes
// back only the keys whose text changed.
#include "ui/field_spec.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace kov::ui {

class FieldStore;
class Prompts;

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(DialogSpec spec, FieldStore& store, Prompts& prompts, QWidget* parent = nullptr);

    /// Field i's box (nullptr when the field is a check box) and check box.
    QLineEdit* edit(int field) const;
    QCheckBox* checkBox(int field) const;
    /// Index of the field bound to (section, key), or -1.
    int fieldOf(int section, int key) const;
    /// Number of keys the last OK wrote.
    int writtenCount() const { return written_; }
    /// Whether the last OK wrote the field bound to (section, key).
    bool wrote(int section, int key) const;

public slots:
    void accept() override;

private:
    void build();
    QWidget* makeField(int i);
    /// The field limits, then the dialog's own checks; false after a message.
    bool checkLimits();
    bool checkRanges();
    /// The text a field would store.
    QString newText(int i) const;
    void refuse(int i, const QString& message);

    DialogSpec spec_;
    FieldStore& store_;
    Prompts& prompts_;
    std::vector<QLineEdit*> edits_;
    std::vector<QCheckBox*> checks_;
    std::vector<bool> writtenFields_;
    int written_ = 0;
};

} // namespace kov::ui
