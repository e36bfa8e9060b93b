#pragma once
// Everything the desktop application asks of the person outside its own
// windows: message boxes, OK/Cancel questions, file and folder choosers and
// handing a file to the desktop. Windows and dialogs talk to this interface
// only, so tests can answer for the person.
#include <QString>

class QWidget;

namespace kov::ui {

enum class Icon { Plain, Stop };

/// The answers to a question about unsaved changes.
enum class SaveAnswer { Save, Discard, Cancel };

class Prompts {
public:
    virtual ~Prompts() = default;
    /// Modal message with one OK button.
    virtual void message(QWidget* parent, const QString& text, Icon icon = Icon::Plain) = 0;
    /// OK and Cancel; true for OK.
    virtual bool okCancel(QWidget* parent, const QString& text) = 0;
    /// Save, Don't Save and Cancel about unsaved changes; Escape and the close
    /// box answer Cancel, so nothing is thrown away without a deliberate choice.
    virtual SaveAnswer saveChanges(QWidget* parent, const QString& text) = 0;
    /// An existing file to open; empty when cancelled. filter uses the
    /// "Name (*.ext)|*.ext|...|" form of the configuration dialogs.
    virtual QString openFileName(QWidget* parent, const QString& startPath, const QString& filter) = 0;
    /// A file to save to (asking before overwriting); empty when cancelled.
    /// defaultSuffix is added to a name typed without one; an empty caption
    /// leaves the dialog's own title.
    virtual QString saveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                 const QString& defaultSuffix, const QString& caption) = 0;
    /// A folder; empty when cancelled.
    virtual QString folder(QWidget* parent, const QString& caption, const QString& start) = 0;
    /// Hands the file to the desktop's default application; false when it could not.
    virtual bool openExternally(const QString& path) = 0;
};

/// The real thing: Qt message boxes, file dialogs and the desktop services.
class QtPrompts final : public Prompts {
public:
    void message(QWidget* parent, const QString& text, Icon icon) override;
    bool okCancel(QWidget* parent, const QString& text) override;
    SaveAnswer saveChanges(QWidget* parent, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& startPath, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                         const QString& defaultSuffix, const QString& caption) override;
    QString folder(QWidget* parent, const QString& caption, const QString& start) override;
    bool openExternally(const QString& path) override;
};

/// "KOV Config Files (*.kov)|*.kov|All Files (*.*)|*.*|" as a Qt filter list
/// ("KOV Config Files (*.kov);;All Files (*)").
QString qtFilter(const QString& pipeFilter);

/// The title the message boxes carry.
inline constexpr const char* ApplicationTitle = "Kovary";

} // namespace kov::ui
