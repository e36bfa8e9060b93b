#include "ui/other_file_dialog.h"

#include "ui/prompts.h"
#include "ui/text_viewer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kov::ui {

COtherFile::COtherFile(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Other File Name Edit Screen"));
    auto* top = new QVBoxLayout(this);
    top->addWidget(new QLabel(QStringLiteral("Enter File Name To Edit:")));
    auto* row = new QHBoxLayout;
    name_ = new QLineEdit;
    name_->setMaxLength(256);
    name_->setMinimumWidth(360);
    name_->setToolTip(QStringLiteral("Any text file, with its folder, to show and edit in the text viewer"));
    auto* browse = new QPushButton(QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = prompts_.openFileName(this, name_->text(), QStringLiteral("All Files (*.*)|*.*|"));
        if (!chosen.isEmpty()) name_->setText(chosen);
    });
    row->addWidget(name_, 1);
    row->addWidget(browse);
    top->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &COtherFile::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COtherFile::reject);
    top->addWidget(buttons);
}

void COtherFile::accept() {
    const QString name = name_->text();
    if (!QFileInfo::exists(name)) {
        prompts_.message(this, QStringLiteral("File name ") + name + QStringLiteral(" was not Found!"));
        return;
    }
    viewer_ = TextViewer::open(name, prompts_, parentWidget());
    QDialog::accept();
}

} // namespace kov::ui
