#pragma once
// A window showing one graph file.
#include <QWidget>

namespace kov::ui {

class Prompts;

class ImageViewer : public QWidget {
    Q_OBJECT
public:
    /// Opens a window on the image at path; nullptr (after failureText) when
    /// it cannot be read. The window deletes itself on close.
    static ImageViewer* open(const QString& path, const QString& failureText, Prompts& prompts,
                             QWidget* parent = nullptr);

private:
    ImageViewer(const QString& path, const class QPixmap& image, QWidget* parent);
};

} // namespace kov::ui
