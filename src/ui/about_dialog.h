#pragma once
// Help > About.
#include <QDialog>

namespace kov::ui {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace kov::ui
