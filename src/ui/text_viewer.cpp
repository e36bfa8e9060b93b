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
    QString text = QString::fromLatin1(file.readAll());
    // The editor knows one line end; the file's own is put back on save.
    const qsizetype lines = text.count(QLatin1Char('\n'));
    const qsizetype crlfLines = text.count(QLatin1String("\r\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto* viewer = new TextViewer(path, text, prompts, parent);
    viewer->crlf_ = lines > 0 && crlfLines * 2 > lines;
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
    QString text = editor_->toPlainText();
    if (crlf_) text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray bytes = text.toLatin1();
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
    if (!isChanged()) {
        event->accept();
        return;
    }
    switch (prompts_.saveChanges(this, path_ + QStringLiteral(" has changed.\nDo you want to save the changes?"))) {
    case SaveAnswer::Save:
        // Text that could not be written keeps its window, so nothing is lost.
        if (save()) event->accept();
        else event->ignore();
        return;
    case SaveAnswer::Discard: event->accept(); return;
    case SaveAnswer::Cancel: event->ignore(); return;
    }
}

} // namespace kov::ui
