#pragma once
// The postprison option (1 to 4) and the guidelines structure used for it.
#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class CPostprisonOpt : public QDialog {
    Q_OBJECT
public:
    /// option: the main window's postprison option (1 to 4).
    CPostprisonOpt(RunConfiguration& cfg, int option, QWidget* parent = nullptr);

    /// The option after OK (the one given when nothing changed).
    int option() const { return option_; }
    QRadioButton* radio(int option) const;
    QCheckBox* singleBox() const { return single_; }
    QCheckBox* dualBox() const { return dual_; }

public slots:
    void accept() override;

private:
    void choose(int option);
    int chosen() const;

    RunConfiguration& cfg_;
    int option_;
    QRadioButton* radios_[4] = {};
    QCheckBox* single_ = nullptr;
    QCheckBox* dual_ = nullptr;
    bool openedSingle_ = false; ///< Single's state when the dialog opened
};

} // namespace kov::ui
