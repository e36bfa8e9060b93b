#include "ui/image_viewer.h"

#include "ui/prompts.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace kov::ui {

ImageViewer* ImageViewer::open(const QString& path, const QString& failureText, Prompts& prompts, QWidget* parent) {
    QPixmap image;
    if (!image.load(path)) {
        prompts.message(parent, failureText, Icon::Stop);
        return nullptr;
    }
    auto* viewer = new ImageViewer(path, image, parent);
    viewer->show();
    return viewer;
}

ImageViewer::ImageViewer(const QString& path, const QPixmap& image, QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(path);
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea;
    auto* label = new QLabel;
    label->setPixmap(image);
    scroll->setWidget(label);
    scroll->setAlignment(Qt::AlignCenter); // a window larger than the image keeps it in the middle
    layout->addWidget(scroll);
    resize(std::min(image.width() + 40, 1000), std::min(image.height() + 40, 760));
}

} // namespace kov::ui
