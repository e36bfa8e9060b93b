#pragma once
// Asks for any file to open in the text viewer.
#include <QDialog>

class QLineEdit;

namespace kov::ui {

class Prompts;

class COtherFile : public QDialog {
    Q_OBJECT
public:
    explicit COtherFile(Prompts& prompts, QWidget* parent = nullptr);
    QLineEdit* nameField() const { return name_; }
    /// The window opened by OK (nullptr before).
    QWidget* viewer() const { return viewer_; }

public slots:
    void accept() override;

private:
    Prompts& prompts_;
    QLineEdit* name_ = nullptr;
    QWidget* viewer_ = nullptr;
};

} // namespace kov::ui
