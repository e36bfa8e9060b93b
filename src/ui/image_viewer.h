#pragma once
// The program's one image window: each graph file in a tab of its own.
#include <QString>
#include <QWidget>

#include <vector>

class QTabWidget;

namespace kov::ui {

class ImageViewer : public QWidget {
    Q_OBJECT
public:
    struct Image {
        QString title;
        QString path;
    };

    /// The image window, made over owner when there is none yet. One that
    /// exists already moves over owner, so a modal owner does not block it.
    /// It deletes itself on close.
    static ImageViewer* window(QWidget* owner);

    /// The tabs become these images, those that can be read; returns the
    /// paths of the others.
    QStringList showImages(const std::vector<Image>& images);
    /// Shows the tab of this image, adding it when it has none; false when
    /// the image cannot be read.
    bool showImage(const Image& image);

    QTabWidget* tabs() const { return tabs_; }

private:
    explicit ImageViewer(QWidget* owner);
    bool addTab(const Image& image);
    void present();

    QTabWidget* tabs_ = nullptr;
};

/// Hands the viewer windows over which from is the owner (text and image
/// viewers opened from a dialog, above its modality) to from's own owner, so
/// they stay open, with their edits, when the dialog closes.
void handOverViewers(QWidget* from);

} // namespace kov::ui
