#include "ui/scenarios_panel.h"

#include "scenarios/scenario_file.h"
#include "ui/compare_window.h"
#include "ui/comparison_job.h"
#include "ui/prompts.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace kov::ui {
namespace {

const QString BaseHint = QStringLiteral(
    "The base runs the open configuration as it is in the window. Select a scenario to edit its changes, one a "
    "line, for example:\n\n"
    "set RELEASE PARAMETERS/Length of pre-release=2\n"
    "admissions \"Class E\" = 0.90 from 2027\n"
    "sentence table Nondrug rows 9-10 x 1.25 from 2026\n"
    "probability prison table Drug x 0.5 from 2027");

QPushButton* button(const QString& text, const char* name) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

ScenariosPanel::ScenariosPanel(Prompts& prompts, QWidget* parent) : QWidget(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("scenariosPanel"));
    buildLayout();
    compareWindow_ = new CompareWindow(prompts_, this);
    fillList();
    updateStates();
}

ScenariosPanel::~ScenariosPanel() = default;

void ScenariosPanel::buildLayout() {
    auto* layout = new QVBoxLayout(this);

    auto* fileRow = new QHBoxLayout;
    fileLabel_ = new QLabel;
    fileLabel_->setObjectName(QStringLiteral("scenarioFileLabel"));
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* open = button(QStringLiteral("&Open..."), "openScenarios");
    auto* save = button(QStringLiteral("&Save"), "saveScenarios");
    auto* saveAs = button(QStringLiteral("Save &As..."), "saveScenariosAs");
    fileRow->addWidget(fileLabel_, 1);
    for (QPushButton* b : {open, save, saveAs}) fileRow->addWidget(b);
    layout->addLayout(fileRow);

    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("scenarioList"));
    list_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    list_->setIconSize(QSize(16, 16)); // a warning mark keeps the row its height
    layout->addWidget(list_, 1);

    auto* listRow = new QHBoxLayout;
    newButton_ = button(QStringLiteral("&New"), "newScenario");
    renameButton_ = button(QStringLiteral("&Rename"), "renameScenario");
    removeButton_ = button(QStringLiteral("Remo&ve"), "removeScenario");
    for (QPushButton* b : {newButton_, renameButton_, removeButton_}) listRow->addWidget(b);
    listRow->addStretch(1);
    auto* whatIf = button(QStringLiteral("&What-if..."), "whatIfButton");
    whatIf->setToolTip(QStringLiteral("Levers on the base, projected as they move; saved back here as a scenario"));
    listRow->addWidget(whatIf);
    connect(whatIf, &QPushButton::clicked, this, &ScenariosPanel::whatIfRequested);
    layout->addLayout(listRow);

    layout->addWidget(new QLabel(QStringLiteral("Changes, one a line (# starts a comment):")));
    editor_ = new QPlainTextEdit;
    editor_->setObjectName(QStringLiteral("scenarioEditor"));
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(editor_, 2);
    fault_ = new QLabel;
    fault_->setObjectName(QStringLiteral("scenarioFault"));
    fault_->setWordWrap(true);
    fault_->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(fault_);

    auto* runRow = new QHBoxLayout;
    compareButton_ = button(QStringLiteral("&Compare"), "compareScenarios");
    compareButton_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    cancelButton_ = button(QStringLiteral("Cancel"), "cancelComparison");
    busy_ = new QProgressBar;
    busy_->setRange(0, 0); // runs report no progress: it only shows they go on
    busy_->setTextVisible(false);
    busy_->setMaximumHeight(compareButton_->sizeHint().height() / 2);
    replicates_ = new QSpinBox;
    replicates_->setObjectName(QStringLiteral("comparisonReplicates"));
    replicates_->setRange(1, 1000);
    replicates_->setToolTip(QStringLiteral(
        "Runs of the base and of each scenario, each from the next random start; above 1, the chart shades the "
        "band 90% of them fall in around replicate 1's line"));
    auto* replicatesLabel = new QLabel(QStringLiteral("Re&plicates:"));
    replicatesLabel->setBuddy(replicates_);
    // Compare keeps the row's room, as without the number.
    for (QWidget* w : std::initializer_list<QWidget*>{replicatesLabel, replicates_})
        w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    runRow->addWidget(replicatesLabel);
    runRow->addWidget(replicates_);
    runRow->addWidget(compareButton_);
    runRow->addWidget(busy_, 1);
    runRow->addWidget(cancelButton_);
    layout->addLayout(runRow);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("comparisonStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    connect(open, &QPushButton::clicked, this, &ScenariosPanel::onOpen);
    connect(save, &QPushButton::clicked, this, [this] { onSave(); });
    connect(saveAs, &QPushButton::clicked, this, [this] { onSaveAs(); });
    connect(newButton_, &QPushButton::clicked, this, &ScenariosPanel::newScenario);
    connect(renameButton_, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = list_->currentItem(); item && list_->currentRow() > 0) list_->editItem(item);
    });
    connect(removeButton_, &QPushButton::clicked, this, [this] { removeScenario(list_->currentRow() - 1); });
    connect(compareButton_, &QPushButton::clicked, this, &ScenariosPanel::compare);
    connect(cancelButton_, &QPushButton::clicked, this, &ScenariosPanel::cancel);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_) return;
        selected_ = row - 1;
        showSelected();
    });
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (filling_ || row < 1) return;
        if (!renameScenario(row - 1, item->text().trimmed())) {
            const QSignalBlocker quiet(list_);
            item->setText(QString::fromStdString(file_.sections[static_cast<std::size_t>(row - 1)].name));
        }
    });
    connect(editor_, &QPlainTextEdit::textChanged, this, &ScenariosPanel::editorChanged);
}

void ScenariosPanel::setBaseName(const QString& name) {
    baseName_ = name;
    if (QListWidgetItem* base = list_->item(0))
        base->setText(QStringLiteral("base: ") + (name.isEmpty() ? QStringLiteral("no configuration open") : name));
}

void ScenariosPanel::fillList() {
    filling_ = true;
    list_->clear();
    auto* base = new QListWidgetItem(list_);
    base->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    QFont italic = base->font();
    italic.setItalic(true);
    base->setFont(italic);
    for (const auto& s : file_.sections) {
        auto* item = new QListWidgetItem(QString::fromStdString(s.name), list_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    setBaseName(baseName_);
    faults_.assign(file_.sections.size(), std::nullopt);
    for (std::size_t i = 0; i < file_.sections.size(); ++i) recheck(i);
    if (selected_ >= scenarioCount()) selected_ = scenarioCount() - 1;
    list_->setCurrentRow(selected_ + 1);
    filling_ = false;
    showSelected();
}

void ScenariosPanel::selectScenario(int index) { list_->setCurrentRow(index + 1); }

void ScenariosPanel::showSelected() {
    filling_ = true;
    if (selected_ < 0) {
        editor_->setPlainText(BaseHint);
        editor_->setReadOnly(true);
    } else {
        editor_->setPlainText(QString::fromStdString(file_.sections[static_cast<std::size_t>(selected_)].body));
        editor_->setReadOnly(false);
    }
    filling_ = false;
    showFault();
    updateStates();
}

void ScenariosPanel::editorChanged() {
    if (filling_ || selected_ < 0) return;
    const auto index = static_cast<std::size_t>(selected_);
    file_.sections[index].body = editor_->toPlainText().toStdString();
    setModified(true);
    recheck(index);
    showFault();
    updateStates();
}

void ScenariosPanel::recheck(std::size_t section) {
    const auto& s = file_.sections[section];
    faults_[section] = scenarios::checkScenario(s.name, s.body);
    if (QListWidgetItem* item = list_->item(static_cast<int>(section) + 1)) {
        const bool wasFilling = filling_;
        filling_ = true;
        item->setIcon(faults_[section] ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
        filling_ = wasFilling;
    }
}

void ScenariosPanel::showFault() {
    const auto& fault = selected_ < 0 ? std::nullopt : faults_[static_cast<std::size_t>(selected_)];
    if (!fault) {
        fault_->clear();
        return;
    }
    const QString reason = QString::fromStdString(fault->reason);
    fault_->setText(fault->line > 0 ? QStringLiteral("Line %1: %2").arg(fault->line).arg(reason) : reason);
}

void ScenariosPanel::updateStates() {
    const bool anyFault = std::any_of(faults_.begin(), faults_.end(), [](const auto& f) { return f.has_value(); });
    compareButton_->setEnabled(!running() && !anyFault && !file_.sections.empty());
    compareButton_->setToolTip(anyFault ? QStringLiteral("A scenario has a change that does not read") : QString());
    cancelButton_->setVisible(running());
    replicates_->setEnabled(!running());
    busy_->setVisible(running());
    renameButton_->setEnabled(selected_ >= 0);
    removeButton_->setEnabled(selected_ >= 0);
    fileLabel_->setText((path_.isEmpty() ? QStringLiteral("Scenarios not saved") : path_) +
                        (modified_ ? QStringLiteral(" *") : QString()));
}

void ScenariosPanel::setModified(bool modified) {
    modified_ = modified;
    updateStates();
}

void ScenariosPanel::setStatus(const QString& text, bool fault) {
    status_->setText(text);
    status_->setStyleSheet(fault ? QStringLiteral("color: #b00000;") : QString());
}

QString ScenariosPanel::freeName(const QString& stem) const {
    for (int n = scenarioCount() + 1;; ++n) {
        const QString name = QStringLiteral("%1 %2").arg(stem).arg(n);
        bool taken = false;
        for (const auto& s : file_.sections) taken = taken || sameName(QString::fromStdString(s.name), name);
        if (!taken) return name;
    }
}

void ScenariosPanel::newScenario() {
    addScenario(QStringLiteral("Scenario"), {});
    editor_->setFocus();
}

int ScenariosPanel::addScenario(const QString& stem, const QString& changes) {
    // The scenario before is parted from the new one by a blank line, as the file writes them.
    if (!file_.sections.empty()) file_.sections.back().blankAfter = std::max(file_.sections.back().blankAfter, 1);
    file_.sections.push_back({freeName(stem).toStdString(), {}, changes.toStdString(), 0});
    selected_ = scenarioCount() - 1;
    fillList();
    setModified(true);
    return selected_;
}

bool ScenariosPanel::renameScenario(int index, const QString& name) {
    if (index < 0 || index >= scenarioCount()) return false;
    QString why;
    if (name.isEmpty()) why = QStringLiteral("A scenario needs a name.");
    else if (sameName(name, QString::fromLatin1(scenarios::BaseName)))
        why = QStringLiteral("\"base\" is the name the base configuration runs under.");
    else if (name.contains(QLatin1Char('[')) || name.contains(QLatin1Char(']')) || name.contains(QLatin1Char('#')))
        why = QStringLiteral("A scenario's name holds no [, ] or #.");
    for (int i = 0; why.isEmpty() && i < scenarioCount(); ++i)
        if (i != index && sameName(QString::fromStdString(file_.sections[static_cast<std::size_t>(i)].name), name))
            why = QStringLiteral("Another scenario is named \"%1\".").arg(name);
    if (!why.isEmpty()) {
        setStatus(why, true);
        return false;
    }
    auto& s = file_.sections[static_cast<std::size_t>(index)];
    if (s.name == name.toStdString()) return true;
    s.name = name.toStdString();
    s.header.clear(); // written again as [name]
    selected_ = index;
    fillList();
    setModified(true);
    setStatus({}, false);
    return true;
}

void ScenariosPanel::removeScenario(int index) {
    if (index < 0 || index >= scenarioCount()) return;
    file_.sections.erase(file_.sections.begin() + index);
    selected_ = std::min(index, scenarioCount() - 1);
    fillList();
    setModified(true);
}

} // namespace kov::ui
