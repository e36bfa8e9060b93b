#include "ui/text_viewer.h"

#include "config/replace_file.h"
#include "ui/prompts.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace kov::ui {

TextViewer* TextViewer::open(const QString& path, Prompts& prompts, QWidget* parent) {
    QFile file(path);
    if (!file.exists() || file.size() > MaxBytes || !file.open(QIODevice::ReadOnly)) {
        prompts.message(parent, QStringLiteral("Could not run Notepad on ") + path, Icon::Stop);
        return nullptr;
    }
    // Input files are 8-bit text; Latin-1 keeps every byte as it is when saved back.
    const QString text = QString::fromLatin1(file.readAll());
    auto* viewer = new TextViewer(path, text, prompts, parent);
    viewer->show();
    return viewer;
}

TextViewer::TextViewer(const QString& path, const QString& text, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), path_(path), prompts_(prompts) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(path);
    resize(760, 560);
    auto* layout = new QVBoxLayout(this);
    editor_ = new QPlainTextEdit;
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setPlainText(text);
    editor_->document()->setModified(false);
    layout->addWidget(editor_);
    auto* saveButton = new QPushButton(QStringLiteral("Save"));
    connect(saveButton, &QPushButton::clicked, this, &TextViewer::save);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(path), 1);
    row->addWidget(saveButton);
    layout->addLayout(row);
    auto* shortcut = new QShortcut(QKeySequence::Save, this);
    connect(shortcut, &QShortcut::activated, this, &TextViewer::save);
}

bool TextViewer::isChanged() const { return editor_->document()->isModified(); }

bool TextViewer::save() {
    const QByteArray bytes = editor_->toPlainText().toLatin1();
    std::string reason;
    if (!replaceFileContents(path_.toStdString(), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                             &reason)) {
        prompts_.message(this, QStringLiteral("Error writing file ") + path_, Icon::Stop);
        return false;
    }
    editor_->document()->setModified(false);
    return true;
}

void TextViewer::closeEvent(QCloseEvent* event) {
    if (isChanged() &&
        prompts_.okCancel(this, path_ + QStringLiteral(" has changed.\nClick OK to save the changes,\n"
                                                       "Click Cancel to discard the changes.")) &&
        !save()) {
        // The text could not be written: keep the window so nothing is lost.
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace kov::ui
