// The probability grid editor: reading a matrix, validating what was typed,
// and writing it back through the temporary file without ever damaging the
// file when something fails.
#include "config/run_configuration.h"
#include "support/configuration.h"
#include "support/scratch_dir.h"
#include "ui/grid_editor.h"
#include "ui/main_frame.h"
#include "ui/scripted_prompts.h"

#include <QComboBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace kov::ui {
namespace {

using kov::test::ScratchDir;
using test::ScriptedPrompts;

const QString Title = QStringLiteral("Grid Editor for Court Probabilities");
const QString Bad = QStringLiteral("Probability data must be between 0 and 1");

/// A grid file of tables (name, rows, columns), rows labelled R1..., columns C1....
std::string gridText(std::initializer_list<std::tuple<const char*, int, int>> tables) {
    std::string text = "Number of grid tables ........ " + std::to_string(tables.size()) + "\n";
    for (const auto& [name, rows, columns] : tables) {
        text += std::string(name) + ". " + std::to_string(rows) + " " + std::to_string(columns) + "\n";
        text += "Severity ........ " + std::to_string(rows) + "\n";
        for (int r = 1; r <= rows; ++r) text += "R" + std::to_string(r) + "\n";
        text += "History ........ " + std::to_string(columns) + "\n";
        for (int c = 1; c <= columns; ++c) text += "C" + std::to_string(c) + "\n";
    }
    return text;
}

// A grid of two tables of 2 x 3 cells; "Prison probability" has a block for each.
const std::string GridText = gridText({{"One", 2, 3}, {"Two", 2, 3}});
const char* const ProbabilityText =
    "\nMisdemeanor probability\n  A B C\n0.1 0.2 0.3\n0.4 0.5 0.6\n"
    "\nPrison probability\n  A B C\n0.01 0.02 0.03\n0.04 1.50 0.06\n"
    "\nMisdemeanor probability\n  A B C\n0.7 0.8 0.9\n0.1 0.1 0.1\n"
    "\nPrison probability\n  A B C\n0.11 0.12 0.13\n0.14 0.15 0.16\n";

struct Files {
    ScratchDir dir;
    RunConfiguration cfg;
    ScriptedPrompts prompts;
    explicit Files(const std::string& grid = GridText, const char* probabilities = ProbabilityText) {
        cfg.SetDefaults();
        cfg.modified = 0;
        dir.write("grid.inp", grid);
        dir.write("courtp.inp", probabilities);
    }
    QString directory() const { return QString::fromStdString(dir.str()); }
    GridTarget court(const char* label = "Prison probability") const {
        return GridTarget{CourtProbabilitiesFile, label, courtTableLabels()};
    }
};

QString cell(const CGridEditor& e, int r, int c) { return e.table()->item(r, c)->text(); }
void type(CGridEditor& e, int r, int c, const char* text) { e.table()->item(r, c)->setText(QString::fromLatin1(text)); }

TEST(GridEditor, EachGridTableIsEditedAndWrittenInItsOwnBlockOnly) {
    Files f;
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    ASSERT_TRUE(e.opened());
    // The first table's block under the label, as written.
    EXPECT_EQ(e.windowTitle(), Title);
    EXPECT_EQ(cell(e, 0, 0), QStringLiteral("0.01"));
    EXPECT_EQ(cell(e, 1, 1), QStringLiteral("1.50"));
    EXPECT_TRUE(e.tableChoice()->isVisibleTo(&e));
    ASSERT_EQ(e.tableChoice()->count(), 2);
    EXPECT_EQ(e.tableChoice()->itemText(1), QStringLiteral("Table 2: Two"));
    EXPECT_EQ(e.table()->horizontalHeaderItem(2)->text(), QStringLiteral("C3"));
    EXPECT_EQ(e.table()->verticalHeaderItem(1)->text(), QStringLiteral("R2"));
    e.tableChoice()->setCurrentIndex(1);
    EXPECT_EQ(cell(e, 0, 0), QStringLiteral("0.11"));
    type(e, 0, 1, "0.25");
    f.prompts.answers = {true};
    e.accept();
    EXPECT_EQ(f.prompts.questions, QStringList{QStringLiteral("OK to Save Changes?")});
    EXPECT_TRUE(e.saved());
    // The first table's block, with its 1.50, is left as it was.
    EXPECT_EQ(f.dir.read("courtp.inp"),
              "\nMisdemeanor probability\n  A B C\n0.1 0.2 0.3\n0.4 0.5 0.6\n"
              "\nPrison probability\n  A B C\n0.01 0.02 0.03\n0.04 1.50 0.06\n"
              "\nMisdemeanor probability\n  A B C\n0.7 0.8 0.9\n0.1 0.1 0.1\n"
              "\nPrison probability\n  A B C\n 0.11000  0.25000  0.13000 \n 0.14000  0.15000  0.16000 \n");
    EXPECT_FALSE(f.dir.exists("kov_prb_.tmp"));
    EXPECT_TRUE(f.prompts.messages.isEmpty()) << f.prompts.messages.join('|').toStdString();
}

TEST(GridEditor, ChangedBoxesMustHoldAProbability) {
    Files f;
    {   // Nothing changed: closed without a question.
        CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
        e.accept();
        EXPECT_EQ(e.result(), QDialog::Accepted);
        EXPECT_TRUE(f.prompts.questions.isEmpty());
    }
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    e.show();
    ASSERT_TRUE(e.opened());
    for (const char* typed : {"1.2", "-0.5", "nan", "abc", "0,5"}) {
        f.prompts.messages.clear();
        type(e, 1, 2, typed);
        e.accept();
        EXPECT_EQ(f.prompts.messages, QStringList{Bad}) << typed;
        EXPECT_EQ(e.table()->currentRow(), 1);
        EXPECT_EQ(e.table()->currentColumn(), 2);
        EXPECT_TRUE(f.prompts.questions.isEmpty());
    }
    EXPECT_EQ(f.dir.read("courtp.inp"), ProbabilityText);
    // Exactly 0 and 1 pass; Cancel at the question saves nothing.
    type(e, 1, 2, "1");
    type(e, 0, 0, "0");
    e.accept();
    EXPECT_EQ(f.prompts.questions.size(), 1);
    EXPECT_FALSE(e.saved());
    EXPECT_EQ(f.dir.read("courtp.inp"), ProbabilityText);
}

TEST(GridEditor, AWriteThatFailsLeavesTheOriginal) {
    // A temporary file every write to fails once it is flushed (a full disk), and one that cannot be made.
    const std::pair<bool, QString> cases[] = {
        {true, QStringLiteral("Error writing Probability File\ncourtp.inp\nChanges will not be saved")},
        {false, QStringLiteral("KOV Temporary Probability file @TMP@ could not be opened!\nChanges will not be saved")}};
    for (const auto& [full, message] : cases) {
        Files f;
        const std::string tmp = f.dir.file("kov_prb_.tmp");
        if (full) std::filesystem::create_symlink("/dev/full", tmp);
        else std::filesystem::create_directory(tmp);
        CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
        ASSERT_TRUE(e.opened());
        type(e, 0, 0, "0.5");
        f.prompts.answers = {true};
        e.accept();
        EXPECT_FALSE(e.saved());
        const QString told = QString(message).replace(QStringLiteral("@TMP@"), QString::fromStdString(tmp));
        EXPECT_EQ(f.prompts.messages, QStringList{told});
        EXPECT_EQ(f.dir.read("courtp.inp"), ProbabilityText);
    }
}

TEST(GridEditor, TheDemonstrationsSecondTableIsEditedWithItsOwnSizeAndLabels) {
    // Its "Prison probability" blocks are 10 x 7 (Nondrug) and 5 x 7 (Drug).
    ScratchDir dir("../data/demo");
    RunConfiguration cfg = kov::test::readConfiguration(dir.file("demo.kov"));
    cfg.modified = 0;
    const std::string before = dir.read("courtp.inp");
    ScriptedPrompts prompts;
    CGridEditor e(cfg, QString::fromStdString(dir.str()),
                  GridTarget{CourtProbabilitiesFile, "Prison probability", courtTableLabels()}, Title, prompts);
    ASSERT_TRUE(e.opened()) << prompts.messages.join('|').toStdString();
    EXPECT_EQ(e.table()->rowCount(), 10);
    e.tableChoice()->setCurrentIndex(1);
    EXPECT_EQ(e.table()->rowCount(), 5);
    EXPECT_EQ(e.table()->columnCount(), 7);
    EXPECT_EQ(e.table()->verticalHeaderItem(4)->text(), QStringLiteral("Drug Level 5"));
    EXPECT_EQ(e.table()->horizontalHeaderItem(6)->text(), QStringLiteral("CH6+"));
    type(e, 4, 6, "0.5");
    prompts.answers = {true};
    e.accept();
    EXPECT_TRUE(e.saved()) << prompts.messages.join('|').toStdString();
    // The second block's rows (lines 38 to 42) are rewritten; every other line stays as it was.
    const auto lines = [](const std::string& text) { return QString::fromStdString(text).split('\n'); };
    const QStringList was = lines(before), now = lines(dir.read("courtp.inp"));
    ASSERT_EQ(now.size(), was.size());
    for (qsizetype i = 0; i < was.size(); ++i)
        if (i < 37 || i > 41) {
            EXPECT_EQ(now[i], was[i]) << "line " << i + 1;
        }
    EXPECT_EQ(now[37], QStringLiteral(" 0.02000  0.03500  0.05000  0.06500  0.08000  0.09500  0.35000 "));
    EXPECT_EQ(now[41], QStringLiteral(" 0.64000  0.66000  0.68000  0.70000  0.72000  0.74000  0.50000 "));
}

TEST(GridEditor, ProgramNamesMatchWholeLinesOnly) {
    Files f;
    f.dir.write("labels.inp", "Gender ........ 1\nMale ...... 1\nRace ........ 1\nAll ...... 1\n"
                              "Age ........ 1\nAll ...... 0\nOffense ........ 2\nA ...... 1\nB ...... 2\n"
                              "Sentence ........ 1\nAll ...... 0\nFelony ........ 1\nF ...... 1\n"
                              "Region ........ 1\nAll ...... 1\nJail ........ 1\nAll ...... 0\n");
    const std::string programs = "\nDrug Court\n\n 0.10000  0.20000 \n\nDrug\n\n 0.30000  0.40000 \n";
    f.dir.write("Program Probabilities.txt", programs);
    GridTarget target{ProgramProbabilities, "Drug", {"Drug Court", "Drug"}};
    CGridEditor e(f.cfg, f.directory(), target, QStringLiteral("Grid Editor for Program Probabilities"), f.prompts);
    ASSERT_TRUE(e.opened()) << f.prompts.messages.join('|').toStdString();
    EXPECT_EQ(e.table()->rowCount(), 1); // felony types
    EXPECT_EQ(e.table()->columnCount(), 2); // offenses
    EXPECT_EQ(cell(e, 0, 0), QStringLiteral("0.30000"));
    type(e, 0, 1, "0.5");
    f.prompts.answers = {true};
    e.accept();
    EXPECT_EQ(f.dir.read("Program Probabilities.txt"),
              "\nDrug Court\n\n 0.10000  0.20000 \n\nDrug\n\n 0.30000  0.50000 \n");
}

TEST(GridEditor, ANewFileIsNamedInTheConfigurationOnlyOnceItIsWritten) {
    Files f;
    f.cfg.setValue(SecFiles, CourtProbabilitiesFile, "");
    f.cfg.modified = 0;
    {
        CGridEditor e(f.cfg, f.directory(), f.court("Jail probability (county level 2)"), Title, f.prompts);
        ASSERT_TRUE(e.opened());
        EXPECT_EQ(cell(e, 1, 2), QStringLiteral("0.00"));
        type(e, 1, 2, "0.75");
        // A folder that does not exist: nothing is written or named.
        f.prompts.answers = {true};
        f.prompts.saveNames.push_back(QString::fromStdString(f.dir.file("no/such/new.inp")));
        e.accept();
        EXPECT_FALSE(e.saved());
        EXPECT_EQ(f.cfg.value(SecFiles, CourtProbabilitiesFile), "");
        EXPECT_EQ(f.prompts.messages.size(), 1);
    }
    CGridEditor e(f.cfg, f.directory(), f.court("Jail probability (county level 2)"), Title, f.prompts);
    type(e, 1, 2, "0.75");
    f.prompts.answers = {true};
    f.prompts.saveNames.push_back(QString::fromStdString(f.dir.file("new.inp")));
    e.accept();
    EXPECT_TRUE(e.saved());
    EXPECT_EQ(f.cfg.value(SecFiles, CourtProbabilitiesFile), "new.inp");
    EXPECT_EQ(f.cfg.modified, 0); // storing the new name leaves the changed flag as it was
    const std::string text = f.dir.read("new.inp");
    const std::string zeros = " 0.00000  0.00000  0.00000 \n 0.00000  0.00000  0.00000 \n";
    // A block per table for every label: the two tables of the grid.
    EXPECT_TRUE(text.starts_with("\nMisdemeanor probability\n\n" + zeros + "\nMisdemeanor probability\n\n" + zeros +
                                 "\nPrison probability\n\n"));
    EXPECT_NE(text.find("\nJail probability (county level 2)\n\n 0.00000  0.00000  0.00000 \n"
                        " 0.00000  0.00000  0.75000 \n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\nsupervision revocation probability\n\n" + zeros + "\n"));
}

TEST(GridEditor, LargeMatricesScrollInsteadOfLosingCells) {
    std::string probabilities = "\nPrison probability\n  heading\n";
    for (int r = 0; r < 30; ++r) {
        for (int c = 0; c < 12; ++c) probabilities += c == 11 && r == 29 ? " 0.9" : " 0.1";
        probabilities += "\n";
    }
    Files f(gridText({{"Big", 30, 12}}), probabilities.c_str());
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    ASSERT_TRUE(e.opened());
    EXPECT_EQ(e.table()->rowCount(), 30);
    EXPECT_EQ(e.table()->columnCount(), 12);
    EXPECT_EQ(cell(e, 29, 11), QStringLiteral("0.9"));
    EXPECT_EQ(cell(e, 0, 10), QStringLiteral("0.1"));
}

TEST(GridEditor, OpeningFailuresAreReported) {
    const std::string oneRowShort = "\nPrison probability\n  A B C\n0.01 0.02 0.03\n0.04 0.05 0.06\n"
                                    "\nPrison probability\n  A B C\n0.11 0.12 0.13\n"
                                    "\nMisdemeanor probability\n  A B C\n0.7 0.8 0.9\n0.1 0.1 0.1\n";
    const std::string oneBlock = "\nPrison probability\n  A B C\n0.01 0.02 0.03\n0.04 0.05 0.06\n";
    const std::string correct = "\nPlease correct the file; it has not been changed.";
    const struct {
        std::string grid, probabilities, gridName, message; ///< a message ending in '*' is a prefix
    } cases[] = {
        // Writing rows of one shape over a block of another would shift every later block.
        {GridText, oneRowShort, "",
         "courtp.inp cannot be edited here: its block \"Prison probability\" of table 2 (Two) should hold 2 rows of 3 "
         "numbers, one row per line, but line 10 does not." + correct},
        {GridText, oneBlock, "",
         "courtp.inp cannot be edited here: it holds 1 blocks \"Prison probability\" but the grid file grid.inp has 2 "
         "tables, and each table needs a block of its own." + correct},
        {GridText, "\nMisdemeanor probability\n  A B C\n0.1 0.2 0.3\n0.4 0.5 0.6\n", "",
         "End of file reading Probabilities File\ncourtp.inp\nLooking for label string\nPrison probability\n"
         "Please correct the problem and retry"},
        {GridText, ProbabilityText, "nogrid.inp",
         "KOV Grid file\nnogrid.inp\nCould not be opened!\nPlease check the name and path in the Set Up Menu."},
        // A grid file the run could not read is refused with the run's own message.
        {"Number of grid tables ........ 1\nOdd. 2 3\n", ProbabilityText, "", "Error in grid file *"},
    };
    for (const auto& c : cases) {
        Files f(c.grid, c.probabilities.c_str());
        if (!c.gridName.empty()) f.cfg.setValue(SecFiles, GridFile, c.gridName);
        CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
        EXPECT_FALSE(e.opened()) << c.message;
        ASSERT_EQ(f.prompts.messages.size(), 1) << c.message;
        const std::string told = f.prompts.messages[0].toStdString();
        if (c.message.ends_with('*')) {
            EXPECT_TRUE(told.starts_with(c.message.substr(0, c.message.size() - 1))) << told;
        } else {
            EXPECT_EQ(told, c.message);
        }
        EXPECT_EQ(f.dir.read("courtp.inp"), c.probabilities);
    }
}

} // namespace
} // namespace kov::ui
