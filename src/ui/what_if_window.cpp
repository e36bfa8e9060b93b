#include "ui/what_if_window.h"

#include "ui/copy_table.h"
#include "ui/lever_row.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kov::ui {
namespace {

/// The release values most asked about, with the ranges their sliders cover.
struct ReleaseLever {
    const char* caption;
    const char* key;
    double low, high, step;
    int decimals;
};

constexpr ReleaseLever ReleaseLevers[] = {
    {"Pre-release probability", "Probability of pre-release", 0, 1, 0.01, 2},
    {"Pre-release months", "Length of pre-release", 0, 24, 1, 0},
    {"Release without pre-release", "Probability of release without pre-release", 0, 1, 0.01, 2},
    {"Revocation probability", "Probability of release revocation", 0, 1, 0.01, 2},
    {"Months before revocation", "Length of release before revocation", 0, 60, 1, 0},
    {"Prison months, 1st revocation", "Length of prison for 1st revocation", 0, 60, 1, 0},
};

int releaseKey(const char* key) {
    const auto& keys = RunConfiguration::SectionKeys(SecRelease);
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (keys[k] == key) return static_cast<int>(k);
    return -1;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

} // namespace

WhatIfWindow::WhatIfWindow(Prompts& prompts, QWidget* parent) : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName(QStringLiteral("whatIfWindow"));
    setWindowTitle(QStringLiteral("What-if"));
    auto* layout = new QHBoxLayout(this);
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(buildLevers());
    split->addWidget(buildResults());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    layout->addWidget(split);
    resize(1250, 860);
    split->setSizes({470, 780});
}

WhatIfWindow::~WhatIfWindow() = default;

QWidget* WhatIfWindow::buildLevers() {
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);

    auto* admissionsBox = new QGroupBox(QStringLiteral("Admissions"));
    auto* admissionsForm = new QFormLayout(admissionsBox);
    groupChoice_ = new QComboBox;
    groupChoice_->setObjectName(QStringLiteral("whatIfGroup"));
    admissions_ = new LeverRow(QStringLiteral("Change per year (%)"), -20, 20, 0.5, 1);
    admissions_->setObjectName(QStringLiteral("whatIfAdmissions"));
    admissionsForm->addRow(QStringLiteral("Admission group:"), groupChoice_);
    admissionsForm->addRow(admissions_);
    column->addWidget(admissionsBox);

    auto* gridBox = new QGroupBox(QStringLiteral("Sentencing grid"));
    auto* gridForm = new QFormLayout(gridBox);
    tableChoice_ = new QComboBox;
    tableChoice_->setObjectName(QStringLiteral("whatIfTable"));
    scopeChoice_ = new QComboBox;
    scopeChoice_->setObjectName(QStringLiteral("whatIfScope"));
    scopeChoice_->addItems({QStringLiteral("Whole table"), QStringLiteral("One row"), QStringLiteral("One column"),
                            QStringLiteral("One cell")});
    row_ = new QSpinBox;
    row_->setObjectName(QStringLiteral("whatIfRow"));
    column_ = new QSpinBox;
    column_->setObjectName(QStringLiteral("whatIfColumn"));
    for (QSpinBox* s : {row_, column_}) s->setKeyboardTracking(false);
    auto* cellRow = new QHBoxLayout;
    cellRow->addWidget(new QLabel(QStringLiteral("Row")));
    cellRow->addWidget(row_);
    cellRow->addWidget(new QLabel(QStringLiteral("Column")));
    cellRow->addWidget(column_);
    cellLabel_ = new QLabel;
    cellRow->addWidget(cellLabel_, 1);
    prison_ = new LeverRow(QStringLiteral("Prison probability (x)"), 0, 2, 0.01, 2);
    prison_->setObjectName(QStringLiteral("whatIfPrison"));
    sentence_ = new LeverRow(QStringLiteral("Sentence length (x)"), 0.5, 2, 0.01, 2);
    sentence_->setObjectName(QStringLiteral("whatIfSentence"));
    gridForm->addRow(QStringLiteral("Table:"), tableChoice_);
    gridForm->addRow(QStringLiteral("Cells:"), scopeChoice_);
    gridForm->addRow(cellRow);
    gridForm->addRow(prison_);
    gridForm->addRow(sentence_);
    column->addWidget(gridBox);

    auto* yearBox = new QGroupBox(QStringLiteral("Takes effect"));
    auto* yearForm = new QFormLayout(yearBox);
    fromYear_ = new QSpinBox;
    fromYear_->setObjectName(QStringLiteral("whatIfFromYear"));
    fromYear_->setKeyboardTracking(false);
    fromYear_->setToolTip(QStringLiteral("Admissions and sentencing change for cases of this year and later; "
                                         "the first year changes the whole run."));
    yearForm->addRow(QStringLiteral("From year (admissions, grid):"), fromYear_);
    column->addWidget(yearBox);

    auto* releaseBox = new QGroupBox(QStringLiteral("Release parameters (whole run)"));
    auto* releaseColumn = new QVBoxLayout(releaseBox);
    for (const ReleaseLever& r : ReleaseLevers) {
        auto* lever = new LeverRow(QString::fromLatin1(r.caption), r.low, r.high, r.step, r.decimals);
        lever->setToolTip(QString::fromLatin1(r.key));
        releaseColumn->addWidget(lever);
        release_.push_back(lever);
        connect(lever, &LeverRow::changed, this, &WhatIfWindow::leversChanged);
    }
    column->addWidget(releaseBox);

    auto* buttons = new QHBoxLayout;
    auto* reset = new QPushButton(QStringLiteral("&Reset Levers"));
    reset->setObjectName(QStringLiteral("whatIfReset"));
    save_ = new QPushButton(QStringLiteral("Save as &Scenario"));
    save_->setObjectName(QStringLiteral("whatIfSave"));
    save_->setToolTip(QStringLiteral("Adds the levers to the Scenarios panel as a scenario's changes"));
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(save_);
    column->addLayout(buttons);
    lines_ = new QLabel;
    lines_->setObjectName(QStringLiteral("whatIfLines"));
    lines_->setWordWrap(true);
    lines_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(lines_);
    column->addStretch(1);

    connect(groupChoice_, &QComboBox::currentIndexChanged, this, [this](int g) {
        if (g < 0 || g >= static_cast<int>(admissionsPercent_.size())) return;
        filling_ = true;
        admissions_->setValue(admissionsPercent_[static_cast<std::size_t>(g)]);
        filling_ = false;
    });
    connect(admissions_, &LeverRow::changed, this, [this](double v) {
        const int g = groupChoice_->currentIndex();
        if (g >= 0 && g < static_cast<int>(admissionsPercent_.size())) admissionsPercent_[static_cast<std::size_t>(g)] = v;
        leversChanged();
    });
    for (LeverRow* lever : {prison_, sentence_}) connect(lever, &LeverRow::changed, this, &WhatIfWindow::leversChanged);
    for (QComboBox* c : {tableChoice_, scopeChoice_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            updateCells();
            leversChanged();
        });
    for (QSpinBox* s : {row_, column_, fromYear_})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            updateCells();
            leversChanged();
        });
    connect(reset, &QPushButton::clicked, this, [this] {
        resetLevers();
        leversChanged();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        QStringList text;
        for (const std::string& line : changeLines()) text << QString::fromStdString(line);
        if (text.isEmpty()) return;
        emit saveAsScenario(text.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        setStatus(QStringLiteral("Saved to the Scenarios panel of the main window, to compare or save to a file."), false);
    });

    // The sliders start in one line, whatever their captions.
    std::vector<LeverRow*> levers{admissions_, prison_, sentence_};
    levers.insert(levers.end(), release_.begin(), release_.end());
    int widest = 0;
    for (LeverRow* lever : levers) widest = std::max(widest, lever->labelWidth());
    for (LeverRow* lever : levers) lever->setLabelWidth(widest);

    auto* scroll = new QScrollArea;
    scroll->setWidget(holder);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(420);
    return scroll;
}

QWidget* WhatIfWindow::buildResults() {
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    auto* bar = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Population:"));
    populations_ = new QComboBox;
    populations_->setObjectName(QStringLiteral("whatIfPopulations"));
    label->setBuddy(populations_);
    export_ = new QPushButton(QStringLiteral("&Export Chart..."));
    export_->setObjectName(QStringLiteral("whatIfExport"));
    export_->setEnabled(false);
    bar->addWidget(label);
    bar->addWidget(populations_);
    bar->addStretch(1);
    bar->addWidget(export_);
    layout->addLayout(bar);

    auto* chartHolder = new QWidget;
    chartHolder->setMinimumHeight(480);
    chartArea_ = new QVBoxLayout(chartHolder);
    chartArea_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chartHolder, 3);

    table_ = new CopyTable;
    table_->setObjectName(QStringLiteral("whatIfTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setToolTip(QStringLiteral("Average population by year. Ctrl+C copies the selected cells for a spreadsheet."));
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    // Four rows, no more: the chart takes the rest.
    table_->setFixedHeight(5 * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth() + 4);
    layout->addWidget(table_);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("whatIfStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    connect(populations_, &QComboBox::currentIndexChanged, this, &WhatIfWindow::redraw);
    connect(export_, &QPushButton::clicked, this, [this] { exportChart(); });
    return holder;
}

void WhatIfWindow::fillChoices() {
    filling_ = true;
    groupChoice_->clear();
    for (const std::string& g : choices_.groups) groupChoice_->addItem(QString::fromStdString(g));
    groupChoice_->setEnabled(choices_.readsTrendWeights && !choices_.groups.empty());
    admissions_->setEnabled(groupChoice_->isEnabled());
    admissions_->setToolTip(choices_.readsTrendWeights
                                ? QString()
                                : QStringLiteral("Admissions change by trend weights, which this configuration does "
                                                 "not read (Norvale Customizations is off)"));
    tableChoice_->clear();
    for (const auto& t : choices_.tables) tableChoice_->addItem(QString::fromStdString(t.name));
    const int first = base_ ? base_->cfg.intValue(SecRun, FirstSimulatedYearKey) : 0;
    fromYear_->setRange(first, first + 9);
    for (std::size_t i = 0; i < release_.size(); ++i) {
        const int key = releaseKey(ReleaseLevers[i].key);
        const double value = base_ && key >= 0 ? std::atof(base_->cfg.value(SecRelease, key).c_str()) : 0;
        release_[i]->setRest(value);
    }
    filling_ = false;
    resetLevers();
}

void WhatIfWindow::resetLevers() {
    filling_ = true;
    admissionsPercent_.assign(choices_.groups.size(), 0.0);
    admissions_->setRest(0);
    admissions_->setValue(0);
    prison_->setRest(1);
    prison_->setValue(1);
    sentence_->setRest(1);
    sentence_->setValue(1);
    for (LeverRow* lever : release_) lever->setValue(lever->rest());
    fromYear_->setValue(fromYear_->minimum());
    filling_ = false;
    updateCells();
}

void WhatIfWindow::updateCells() {
    const int t = tableChoice_->currentIndex();
    const bool rows = scopeChoice_->currentIndex() == 1 || scopeChoice_->currentIndex() == 3;
    const bool columns = scopeChoice_->currentIndex() == 2 || scopeChoice_->currentIndex() == 3;
    row_->setEnabled(rows);
    column_->setEnabled(columns);
    if (t < 0 || t >= static_cast<int>(choices_.tables.size())) {
        cellLabel_->clear();
        return;
    }
    const auto& table = choices_.tables[static_cast<std::size_t>(t)];
    {
        const QSignalBlocker a(row_), b(column_);
        row_->setRange(1, std::max(1, table.rows));
        column_->setRange(1, std::max(1, table.columns));
    }
    QStringList where;
    const auto label = [](const std::vector<std::string>& labels, int i) {
        return i >= 1 && i <= static_cast<int>(labels.size()) ? QString::fromStdString(labels[static_cast<std::size_t>(i - 1)]).trimmed()
                                                              : QString::number(i);
    };
    if (rows) where << label(table.rowLabels, row_->value());
    if (columns) where << label(table.columnLabels, column_->value());
    cellLabel_->setText(where.join(QStringLiteral(", ")));
}

std::vector<std::string> WhatIfWindow::changeLines() const {
    scenarios::WhatIfLevers l;
    l.admissionsPercent = admissionsPercent_;
    l.table = tableChoice_->currentIndex();
    l.scope = static_cast<scenarios::CellScope>(std::max(0, scopeChoice_->currentIndex()));
    l.row = row_->value();
    l.column = column_->value();
    l.prisonScale = prison_->value();
    l.sentenceScale = sentence_->value();
    for (std::size_t i = 0; i < release_.size(); ++i)
        if (!release_[i]->atRest())
            l.settings.push_back(std::string("RELEASE PARAMETERS/") + ReleaseLevers[i].key + "=" +
                                 number(release_[i]->value()));
    l.fromYear = fromYear_->value() > fromYear_->minimum() ? fromYear_->value() : 0;
    return scenarios::changeLines(l, choices_);
}

void WhatIfWindow::leversChanged() {
    if (filling_) return;
    const std::vector<std::string> lines = changeLines();
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line).toHtmlEscaped();
    lines_->setText(lines.empty() ? QStringLiteral("<i>Every lever at rest: the what-if is the base.</i>")
                                  : QStringLiteral("<b>Changes:</b><br><tt>") + text.join(QStringLiteral("<br>")) +
                                        QStringLiteral("</tt>"));
    save_->setEnabled(!lines.empty() && base_.has_value());
    reproject();
}

void WhatIfWindow::setStatus(const QString& text, bool fault) {
    status_->setText(text);
    status_->setStyleSheet(fault ? QStringLiteral("color: #b00000;") : QString());
}

} // namespace kov::ui
