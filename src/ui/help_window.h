#pragma once
// Help Topics: the user guide shipped inside the program.
#include <QWidget>

class QTextBrowser;

namespace kov::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    /// The guide's window over owner, made the first time; it deletes itself on close.
    static HelpWindow* show(QWidget* owner);
    QTextBrowser* browser() const { return browser_; }

private:
    explicit HelpWindow(QWidget* owner);
    QTextBrowser* browser_ = nullptr;
};

} // namespace kov::ui
