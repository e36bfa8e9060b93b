#include "ui/file_names_dialog.h"

#include "config/run_configuration.h"
#include "ui/prompts.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kov::ui {

CSetIOFileNames::CSetIOFileNames(RunConfiguration& cfg, const QString& dataDirectory, int postprisonOption,
                                 Prompts& prompts, QWidget* parent)
    : QDialog(parent), cfg_(cfg), prompts_(prompts), dataDirectory_(dataDirectory) {
    setWindowTitle(QStringLiteral("Input/Output File Names Setup"));
    auto* top = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("I  N P U T  / O U T P U T   F I L E  N A M E S"));
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    top->addWidget(heading);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("Path for files")));
    path_ = new QLineEdit(dataDirectory);
    path_->setMaxLength(260);
    path_->setToolTip(QStringLiteral("Folder of every file below: the inputs are read from it, the outputs written into it"));
    pathRow->addWidget(path_, 1);
    auto* browse = new QPushButton(QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &CSetIOFileNames::browseFolder);
    pathRow->addWidget(browse);
    top->addLayout(pathRow);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    addGroup(left, QStringLiteral("Court Input Files"),
             {{CourtProbabilitiesFile, "Court probabilities"}, {CourtMicrodataFile, "Court microdata file"},
              {CountyFile, "County file"}, {LabelsFile, "Labels file"}, {GridFile, "Grid File"},
              {TrendWeightsByGroup, "Trend Weights by Group"}, {ProgramDefinitions, "Program Definitions"},
              {ProgramProbabilities, "Program Probabilities"}});
    addGroup(left, QStringLiteral("Output Files"), {{TablesOutputFile, "Tables output"}, {CountyOutputFile, "County output"}});
    addGroup(right, QStringLiteral("Microsoft Excel Files"),
             {{ExcelFile, "Prison"}, {ExcelFileFelonyBreakdowns, "Felony Type Breakdowns"},
              {ExcelFileOffenses, "Admission Groups"}});
    addGroup(right, QStringLiteral("Stock Files"),
             {{StockProbabilities, "Stock Probabilities"}, {StockTablesFile, "Stock table file"},
              {StockParameterFile, "Parameter File"}, {StockMicrodataFile, "Microdata File"},
              {StockGridFile, "Grid File"}, {StockOutputFile, "Output File"}});
    columns->addLayout(left);
    columns->addLayout(right);
    top->addLayout(columns);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetIOFileNames::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSetIOFileNames::reject);
    top->addWidget(buttons);

    enableByRules(postprisonOption);
}

namespace {

// What each file of the run holds; names are taken in the path's folder.
QString fileTip(int key) {
    switch (key) {
    case CourtProbabilitiesFile: return QStringLiteral("The 21 outcome probabilities of each grid cell (read)");
    case CourtMicrodataFile: return QStringLiteral("The court cases, one a line (read)");
    case CountyFile: return QStringLiteral("The counties: jail beds, holds and jail level (read)");
    case LabelsFile: return QStringLiteral("The classification variables and their categories (read)");
    case GridFile: return QStringLiteral("The sentencing grid tables with their row and column labels (read)");
    case TrendWeightsByGroup: return QStringLiteral("Yearly trend weights of each admission group (read)");
    case ProgramDefinitions: return QStringLiteral("The prison programs (read; written by Program Parameters)");
    case ProgramProbabilities: return QStringLiteral("The programs' entry probabilities (read; written by their grid editor)");
    case TablesOutputFile: return QStringLiteral("The summary report and the output tables (written by each run)");
    case CountyOutputFile: return QStringLiteral("The county jail table (written by each run)");
    case ExcelFile: return QStringLiteral("Workbook of the prison tables (written when chosen under Output Tables)");
    case ExcelFileFelonyBreakdowns: return QStringLiteral("Workbook of the felony type tables (written when they are chosen)");
    case ExcelFileOffenses: return QStringLiteral("Workbook of admission groups and offenses (written when chosen)");
    case StockProbabilities: return QStringLiteral("The post-prison probabilities of each grid cell (read)");
    case StockTablesFile: return QStringLiteral("The starting prison population as release counts by month (read)");
    case StockParameterFile: return QStringLiteral("Supervision lengths and post-prison probabilities for the stock tables (read)");
    case StockMicrodataFile: return QStringLiteral("The starting prisoners, one a line (read)");
    case StockGridFile: return QStringLiteral("The grid of the post-prison probabilities, with dual grids (read)");
    case StockOutputFile: return QStringLiteral("The stock built from the stock microdata (written by each run)");
    default: return {};
    }
}

} // namespace

void CSetIOFileNames::addGroup(QLayout* into, const QString& title,
                               std::initializer_list<std::pair<int, const char*>> keys) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    for (const auto& [key, caption] : keys) {
        auto* row = new QHBoxLayout;
        auto* edit = new QLineEdit(QString::fromStdString(cfg_.value(SecFiles, key)));
        edit->setMaxLength(255);
        edit->setMinimumWidth(180);
        edit->setToolTip(fileTip(key));
        auto* dots = new QPushButton(QStringLiteral("..."));
        dots->setFixedWidth(32);
        connect(dots, &QPushButton::clicked, this, [this, k = key] { chooseFile(k); });
        row->addWidget(edit, 1);
        row->addWidget(dots);
        form->addRow(QString::fromLatin1(caption), row);
        fields_[static_cast<std::size_t>(key)] = edit;
        buttons_[static_cast<std::size_t>(key)] = dots;
    }
    into->addWidget(box);
}

void CSetIOFileNames::enableByRules(int option) {
    std::array<bool, FileCount> on{};
    for (int k : {CourtProbabilitiesFile, CourtMicrodataFile, CountyFile, LabelsFile, GridFile, TablesOutputFile,
                  CountyOutputFile})
        on[static_cast<std::size_t>(k)] = true;
    const bool customizations = cfg_.isOn(SecRun, NorvaleCustomizationsKey);
    for (int k : {TrendWeightsByGroup, ProgramDefinitions, ProgramProbabilities})
        on[static_cast<std::size_t>(k)] = customizations;
    on[ExcelFile] = cfg_.isOn(SecOutputTables, OutExcelFile);
    on[ExcelFileOffenses] = cfg_.isOn(SecOutputTables, OutExcelFileForOffenses);
    on[ExcelFileFelonyBreakdowns] = cfg_.isOn(SecOutputTables, OutPrisonDemosByFelonyType);

    for (int k = StockProbabilities; k <= StockOutputFile; ++k) on[static_cast<std::size_t>(k)] = true;
    const auto off = [&](std::initializer_list<int> keys) {
        for (int k : keys) on[static_cast<std::size_t>(k)] = false;
    };
    switch (option) {
    case 1: off({StockProbabilities, StockParameterFile, StockMicrodataFile, StockGridFile, StockOutputFile}); break;
    case 2: off({StockMicrodataFile, StockOutputFile}); break;
    case 3: off({StockParameterFile, StockTablesFile}); break;
    case 4: off({StockParameterFile, StockMicrodataFile, StockOutputFile, StockTablesFile}); break;
    default: break;
    }
    if (option >= 2 && option <= 4 && cfg_.isOn(SecPostprison, SingleGuidelines)) off({StockGridFile});

    for (std::size_t k = 0; k < FileCount; ++k) {
        if (!fields_[k]) continue;
        fields_[k]->setEnabled(on[k]);
        buttons_[k]->setEnabled(on[k]);
    }
}

void CSetIOFileNames::browseFolder() {
    const QString chosen = prompts_.folder(this, QStringLiteral("Specify a Folder for the I/O Files"), path_->text());
    if (chosen.isEmpty()) {
        prompts_.message(this, QStringLiteral("Browse for Directory failed!"), Icon::Stop);
        return;
    }
    path_->setText(chosen);
}

void CSetIOFileNames::chooseFile(int fileKey) {
    QLineEdit* edit = field(fileKey);
    const QString start = path_->text() + QLatin1Char('/') + edit->text();
    const QString chosen = prompts_.openFileName(this, start, QStringLiteral("All Files (*.*)|*.*|"));
    // File keys hold names relative to the data directory.
    if (!chosen.isEmpty()) edit->setText(QFileInfo(chosen).fileName());
}

void CSetIOFileNames::accept() {
    // Names are compared exactly: on a case-sensitive file system a change of
    // letter case names another file.
    if (path_->text() != dataDirectory_) {
        dataDirectory_ = path_->text();
        directoryChanged_ = true;
    }
    for (int k = 0; k < FileCount; ++k) {
        const std::string typed = field(k)->text().toStdString();
        if (typed == cfg_.value(SecFiles, k)) continue;
        cfg_.setValue(SecFiles, k, typed);
        if (k == ProgramDefinitions || k == ProgramProbabilities) programFilesChanged_ = true;
    }
    QDialog::accept();
}

} // namespace kov::ui
