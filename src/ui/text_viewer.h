#pragma once
// A plain-text window for the input and output files (the Edit Files menu,
// View Output With): shows the file, lets it be edited, and saves it whole
// through a temporary file so a failed save leaves the file as it was.
#include <QWidget>

class QPlainTextEdit;

namespace kov::ui {

class Prompts;

class TextViewer : public QWidget {
    Q_OBJECT
public:
    /// Largest file shown; input and output files are far smaller.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    /// Opens a window on path; nullptr (after "Could not run Notepad on " +
    /// path) when the file cannot be read. The window deletes itself on close.
    static TextViewer* open(const QString& path, Prompts& prompts, QWidget* parent = nullptr);

    bool isChanged() const;
    /// Writes the text back; false after a message when it could not.
    bool save();
    QPlainTextEdit* editor() const { return editor_; }
    const QString& path() const { return path_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TextViewer(const QString& path, const QString& text, Prompts& prompts, QWidget* parent);
    QString path_;
    Prompts& prompts_;
    QPlainTextEdit* editor_ = nullptr;
    bool crlf_ = false; ///< the file's lines end in CR LF, and are saved so
};

} // namespace kov::ui
