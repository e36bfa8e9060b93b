#include "ui/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace kov::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About KOV for Windows"));
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                        : QApplication::windowIcon().pixmap(32, 32));
    row->addWidget(icon);
    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(QStringLiteral("Kovary for Windows")));
    text->addWidget(new QLabel(QStringLiteral("KOV Version 004.100.000")));
    row->addLayout(text, 1);
    top->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
    top->addWidget(buttons);
}

} // namespace kov::ui
