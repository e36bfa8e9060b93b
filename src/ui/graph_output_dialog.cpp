#include "ui/graph_output_dialog.h"

#include "config/run_configuration.h"
#include "ui/prompts.h"
#include "ui/view_graphs_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kov::ui {

GraphOutput::GraphOutput(RunConfiguration& cfg, Prompts& prompts, QWidget* parent)
    : QDialog(parent), cfg_(cfg), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Graphs to Output"));
    auto* top = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Graph Output File Names"));
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < GraphCount; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        auto* b = new QCheckBox(QString::fromLatin1(GraphCaptions[ui]));
        auto* f = new QLineEdit(QString::fromStdString(cfg_.value(SecGraphFiles, i)));
        f->setMaxLength(255);
        f->setMinimumWidth(220);
        b->setToolTip(QStringLiteral("Draws this graph of the prison population per month at the end of each run "
                                     "(with Create Graphs on in the run parameters)"));
        f->setToolTip(QStringLiteral("The graph's image file, in the data folder unless a folder is given; "
                                     "the name's ending chooses the format (.bmp, .png, .jpg)"));
        auto* dots = new QPushButton(QStringLiteral("..."));
        dots->setFixedWidth(32);
        const bool on = cfg_.isOn(SecGraphs, i);
        b->setChecked(on);
        f->setEnabled(on);
        dots->setEnabled(on);
        connect(b, &QCheckBox::toggled, f, &QLineEdit::setEnabled);
        connect(b, &QCheckBox::toggled, dots, &QPushButton::setEnabled);
        connect(dots, &QPushButton::clicked, this, [this, f] {
            const QString chosen = prompts_.openFileName(this, f->text(), QStringLiteral("All Files (*.*)|*.*|"));
            if (!chosen.isEmpty()) f->setText(chosen);
        });
        grid->addWidget(b, i, 0);
        grid->addWidget(f, i, 1);
        grid->addWidget(dots, i, 2);
        boxes_[ui] = b;
        fields_[ui] = f;
        buttons_[ui] = dots;
    }
    top->addWidget(frame);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &GraphOutput::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GraphOutput::reject);
    top->addWidget(buttons);
}

void GraphOutput::accept() {
    for (int i = 0; i < GraphCount; ++i) {
        const bool on = box(i)->isChecked();
        if (on != cfg_.isOn(SecGraphs, i)) cfg_.setValue(SecGraphs, i, on ? "1" : "0");
        const std::string name = field(i)->text().toStdString();
        if (name != cfg_.value(SecGraphFiles, i)) cfg_.setValue(SecGraphFiles, i, name);
    }
    QDialog::accept();
}

} // namespace kov::ui
