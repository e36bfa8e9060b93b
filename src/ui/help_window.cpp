#include "ui/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

// The guide is compiled into a static library, whose resource the program
// links only when something refers to it.
static void initHelpResource() { Q_INIT_RESOURCE(help); }

namespace kov::ui {

HelpWindow* HelpWindow::show(QWidget* owner) {
    HelpWindow* window = nullptr;
    if (owner)
        for (HelpWindow* w : owner->findChildren<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible()) window = w; // a closed one is only waiting to be deleted
    if (!window) window = new HelpWindow(owner);
    window->QWidget::show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kovary Help"));
    resize(680, 720);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser;
    browser_->setOpenExternalLinks(true);
    initHelpResource();
    QFile guide(QStringLiteral(":/help/user_guide.md"));
    if (guide.open(QIODevice::ReadOnly)) browser_->setMarkdown(QString::fromUtf8(guide.readAll()));
    layout->addWidget(browser_);
}

} // namespace kov::ui
