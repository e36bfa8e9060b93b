#include "ui/postprison_dialog.h"

#include "config/run_configuration.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kov::ui {

CPostprisonOpt::CPostprisonOpt(RunConfiguration& cfg, int option, QWidget* parent)
    : QDialog(parent), cfg_(cfg), option_(option) {
    setWindowTitle(QStringLiteral("Postprison Options Setup"));
    auto* top = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("P O S T P R I S O N   O P T I O N S"));
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    top->addWidget(heading);

    static const char* const captions[4] = {"No Postprison Processing", "Use Stock Tables  ",
                                            "Use Stock Microdata File", "Use Court Microdata "};
    static const char* const tips[4] = {
        "Released prisoners are not followed after prison",
        "The starting prison population comes from the stock tables file; released prisoners are followed "
        "with the stock parameter file",
        "The starting prison population comes from the stock microdata file, one prisoner a line",
        "The starting prison population is built by dating court cases back into the years before the first "
        "simulated year"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("Option %1").arg(i)));
        radios_[i] = new QRadioButton(QString::fromLatin1(captions[i]));
        radios_[i]->setToolTip(QString::fromLatin1(tips[i]));
        group->addButton(radios_[i], i + 1);
        row->addWidget(radios_[i], 1);
        top->addLayout(row);
    }
    auto* guidelines = new QGroupBox(QStringLiteral("Select Guidelines Structure"));
    auto* gl = new QVBoxLayout(guidelines);
    single_ = new QCheckBox(QStringLiteral("Single Grid (Uses Court Grid File for postprison)"));
    dual_ = new QCheckBox(QStringLiteral("Dual Grid (Uses Stock Grid File for postprison)"));
    single_->setToolTip(QStringLiteral("Released prisoners are placed in the court grid and its probabilities"));
    dual_->setToolTip(QStringLiteral("Released prisoners are placed in the stock grid file's grid"));
    gl->addWidget(single_);
    gl->addWidget(dual_);
    top->addWidget(guidelines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPostprisonOpt::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPostprisonOpt::reject);
    top->addWidget(buttons);

    // Opening state.
    if (QRadioButton* r = radio(option_)) r->setChecked(true);
    const bool enabled = option_ != 1;
    single_->setEnabled(enabled);
    dual_->setEnabled(enabled);
    if (enabled) {
        const bool single = cfg_.isOn(SecPostprison, SingleGuidelines);
        single_->setChecked(single);
        dual_->setChecked(!single);
    }
    openedSingle_ = single_->isChecked();

    connect(group, &QButtonGroup::idClicked, this, &CPostprisonOpt::choose);
    // The two boxes exclude each other.
    connect(single_, &QCheckBox::clicked, this, [this](bool on) {
        if (on) dual_->setChecked(false);
    });
    connect(dual_, &QCheckBox::clicked, this, [this](bool on) {
        if (on) single_->setChecked(false);
    });
}

QRadioButton* CPostprisonOpt::radio(int option) const {
    return option >= 1 && option <= 4 ? radios_[option - 1] : nullptr;
}

void CPostprisonOpt::choose(int option) {
    if (option == 1) {
        single_->setChecked(false);
        dual_->setChecked(false);
        single_->setEnabled(false);
        dual_->setEnabled(false);
        return;
    }
    single_->setEnabled(true);
    dual_->setEnabled(true);
    if (!dual_->isChecked()) single_->setChecked(true);
}

int CPostprisonOpt::chosen() const {
    for (int o = 1; o <= 4; ++o)
        if (radios_[o - 1]->isChecked()) return o;
    return option_;
}

void CPostprisonOpt::accept() {
    const int o = chosen();
    const bool single = single_->isChecked();
    if (o != option_ || single != openedSingle_) {
        option_ = o;
        cfg_.setValue(SecPostprison, PostprisonOptions, std::to_string(o));
        cfg_.setValue(SecPostprison, SingleGuidelines, single ? "1" : "0");
        cfg_.setValue(SecPostprison, DualGuidelinesKey, dual_->isChecked() ? "1" : "0");
        cfg_.modified = 1;
    }
    QDialog::accept();
}

} // namespace kov::ui
