#include "ui/prompts.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace kov::ui {

QString qtFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        // "*.*" means every file on the platform the filters were written for.
        name.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
        out << name;
    }
    return out.join(QLatin1String(";;"));
}

void QtPrompts::message(QWidget* parent, const QString& text, Icon icon) {
    if (icon == Icon::Stop)
        QMessageBox::critical(parent, QString::fromLatin1(ApplicationTitle), text);
    else
        QMessageBox::information(parent, QString::fromLatin1(ApplicationTitle), text);
}

bool QtPrompts::okCancel(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QString::fromLatin1(ApplicationTitle), text,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

SaveAnswer QtPrompts::saveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(ApplicationTitle), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    // Some desktops call it "Discard", which sounds like it might throw away more.
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Don't Save"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    // The close box reports the escape button; anything unexpected keeps the work too.
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
    }
}

QString QtPrompts::openFileName(QWidget* parent, const QString& startPath, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), startPath, qtFilter(filter));
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                const QString& defaultSuffix, const QString& caption) {
    QFileDialog dialog(parent, caption, proposedPath, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPrompts::folder(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

bool QtPrompts::openExternally(const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace kov::ui
