#include "ui/view_graphs_dialog.h"

#include "config/run_configuration.h"
#include "ui/image_viewer.h"
#include "ui/prompts.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kov::ui {

const std::array<const char*, CViewGraphs::GraphCount> GraphCaptions = {
    "Gender", "Race", "Age", "Sentence Length", "Offense Type", "Felony Type", "Region",
    "Total Prison Counts", "Entry/Exit Admissions and  Releases", "Entry/Exit Other"};

CViewGraphs::CViewGraphs(const RunConfiguration& cfg, Prompts& prompts, QWidget* parent)
    : QDialog(parent), cfg_(cfg), prompts_(prompts) {
    setWindowTitle(QStringLiteral("View Graphs"));
    auto* top = new QHBoxLayout(this);
    auto* list = new QVBoxLayout;
    for (int i = 0; i < GraphCount; ++i) {
        auto* b = new QCheckBox(QString::fromLatin1(GraphCaptions[static_cast<std::size_t>(i)]));
        // Only graphs this configuration draws can be chosen.
        const bool drawn = cfg_.isOn(SecGraphs, i);
        b->setChecked(drawn);
        b->setEnabled(drawn);
        list->addWidget(b);
        boxes_[static_cast<std::size_t>(i)] = b;
    }
    top->addLayout(list);
    auto* buttons = new QVBoxLayout;
    auto* view = new QPushButton(QStringLiteral("View Graph"));
    auto* print = new QPushButton(QStringLiteral("Print Graph"));
    auto* exit = new QPushButton(QStringLiteral("Exit"));
    connect(view, &QPushButton::clicked, this, &CViewGraphs::viewGraphs);
    connect(print, &QPushButton::clicked, this, &CViewGraphs::printGraphs);
    connect(exit, &QPushButton::clicked, this, &CViewGraphs::accept);
    buttons->addWidget(view);
    buttons->addWidget(print);
    buttons->addWidget(exit);
    buttons->addStretch(1);
    top->addLayout(buttons);
}

QString CViewGraphs::graphFile(int graph) const {
    return QDir::current().absoluteFilePath(QString::fromStdString(cfg_.value(SecGraphFiles, graph)));
}

CViewGraphs::~CViewGraphs() { handOverViewers(this); }

void CViewGraphs::viewGraphs() {
    std::vector<ImageViewer::Image> images;
    for (int i = 0; i < GraphCount; ++i)
        if (box(i)->isChecked())
            images.push_back({QString::fromLatin1(GraphCaptions[static_cast<std::size_t>(i)]), graphFile(i)});
    if (images.empty()) return;
    // Owned by this dialog while it is open, so its modality does not block the window.
    const QStringList unreadable = ImageViewer::window(this)->showImages(images);
    if (unreadable.isEmpty()) return;
    // One box for all the files that could not be shown, not one for each.
    QStringList names;
    for (const QString& path : unreadable)
        for (int i = 0; i < GraphCount; ++i)
            if (graphFile(i) == path) names << QString::fromStdString(cfg_.value(SecGraphFiles, i));
    names.removeDuplicates();
    prompts_.message(this, QStringLiteral("Could not open graph file\n") + names.join(QLatin1Char('\n')));
}

void CViewGraphs::printGraphs() {
    QPrinter printer;
    bool asked = false;
    for (int i = 0; i < GraphCount; ++i) {
        if (!box(i)->isChecked()) continue;
        const QString name = QString::fromStdString(cfg_.value(SecGraphFiles, i));
        QPixmap image;
        if (!image.load(graphFile(i))) {
            prompts_.message(this, QStringLiteral("Could not print ") + name);
            continue;
        }
        if (!asked) {
            QPrintDialog dialog(&printer, this);
            if (dialog.exec() != QDialog::Accepted) return;
            asked = true;
        }
        QPainter painter;
        if (!painter.begin(&printer)) {
            prompts_.message(this, QStringLiteral("Could not print ") + name);
            continue;
        }
        const QRect page = painter.viewport();
        const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawPixmap(QRect(page.topLeft(), size), image);
        painter.end();
    }
}

} // namespace kov::ui
