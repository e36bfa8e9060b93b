#include "ui/image_viewer.h"

#include "ui/discard_widget.h"
#include "ui/text_viewer.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kov::ui {

ImageViewer* ImageViewer::window(QWidget* owner) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* viewer = qobject_cast<ImageViewer*>(w);
        // A closed window is only waiting to be deleted.
        if (!viewer || !viewer->isVisible()) continue;
        if (viewer->parentWidget() != owner) {
            // A window owned elsewhere would be blocked by owner's modality.
            const QRect where = viewer->geometry();
            viewer->setParent(owner, viewer->windowFlags());
            viewer->setGeometry(where);
        }
        return viewer;
    }
    return new ImageViewer(owner);
}

ImageViewer::ImageViewer(QWidget* owner) : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Graphs"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("graphTabs"));
    layout->addWidget(tabs_);
}

bool ImageViewer::addTab(const Image& image) {
    QPixmap pixmap;
    if (!pixmap.load(image.path)) return false;
    auto* scroll = new QScrollArea;
    auto* label = new QLabel;
    label->setPixmap(pixmap);
    scroll->setWidget(label);
    scroll->setAlignment(Qt::AlignCenter); // a window larger than the image keeps it in the middle
    scroll->setToolTip(image.path);
    scroll->setProperty("path", image.path);
    tabs_->addTab(scroll, image.title);
    return true;
}

void ImageViewer::present() {
    if (!isVisible()) {
        QSize largest(0, 0);
        for (const QLabel* l : findChildren<QLabel*>()) largest = largest.expandedTo(l->pixmap().size());
        // Wide enough for every tab's caption, so no graph hides behind the scroll arrows.
        const QRect screen = this->screen()->availableGeometry();
        const int width = std::max(largest.width() + 60, tabs_->tabBar()->sizeHint().width() + 40);
        resize(std::min(width, screen.width() - 40), std::min(largest.height() + 90, screen.height() - 80));
    }
    show();
    raise();
    activateWindow();
}

QStringList ImageViewer::showImages(const std::vector<Image>& images) {
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        discardWidget(page); // its picture no longer counts in present()
    }
    QStringList unreadable;
    for (const Image& image : images)
        if (!addTab(image)) unreadable << image.path;
    if (tabs_->count() > 0) present();
    else close(); // an empty window tells nothing
    return unreadable;
}

bool ImageViewer::showImage(const Image& image) {
    for (int i = 0; i < tabs_->count(); ++i) {
        if (tabs_->widget(i)->property("path").toString() != image.path) continue;
        tabs_->setCurrentIndex(i);
        present();
        return true;
    }
    if (!addTab(image)) {
        if (tabs_->count() == 0) close();
        return false;
    }
    tabs_->setCurrentIndex(tabs_->count() - 1);
    present();
    return true;
}

void handOverViewers(QWidget* from) {
    QWidget* to = from->parentWidget();
    for (QWidget* w : from->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<ImageViewer*>(w) && !qobject_cast<TextViewer*>(w)) continue;
        const QRect where = w->geometry();
        const bool shown = w->isVisible();
        w->setParent(to, w->windowFlags()); // hides the window
        w->setGeometry(where);
        if (shown) w->show();
    }
}

} // namespace kov::ui
