// The probability grid editor: reading a matrix, validating what was typed,
// and writing it back through the temporary file without ever damaging the
// file when something fails.
#include "config/run_configuration.h"
#include "support/scratch_dir.h"
#include "ui/grid_editor.h"
#include "ui/main_frame.h"
#include "ui/scripted_prompts.h"

#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace kov::ui {
namespace {

using kov::test::ScratchDir;
using test::ScriptedPrompts;

const QString Title = QStringLiteral("Grid Editor for Court Probabilities");
const QString Bad = QStringLiteral("Probability data must be between 0 and 1");

// A grid of two tables of 2 x 3 cells; "Prison probability" appears in both.
const char* const GridText = "Number of grid tables ........ 2\nOne. 2 3\n";
const char* const ProbabilityText =
    "\nMisdemeanor probability\n  A B C\n0.1 0.2 0.3\n0.4 0.5 0.6\n"
    "\nPrison probability\n  A B C\n0.01 0.02 0.03\n0.04 1.50 0.06\n"
    "\nMisdemeanor probability\n  A B C\n0.7 0.8 0.9\n0.1 0.1 0.1\n"
    "\nPrison probability\n  A B C\n0.11 0.12 0.13\n0.14 0.15 0.16\n";

struct Files {
    ScratchDir dir;
    RunConfiguration cfg;
    ScriptedPrompts prompts;
    explicit Files(const char* grid = GridText, const char* probabilities = ProbabilityText) {
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

TEST(GridEditor, OpensTheFirstBlockWithTheLabel) {
    Files f;
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    ASSERT_TRUE(e.opened());
    EXPECT_EQ(e.windowTitle(), Title);
    EXPECT_EQ(e.table()->rowCount(), 2);
    EXPECT_EQ(e.table()->columnCount(), 3);
    EXPECT_EQ(cell(e, 0, 0), QStringLiteral("0.01"));
    EXPECT_EQ(cell(e, 1, 1), QStringLiteral("1.50"));
    EXPECT_TRUE(f.prompts.messages.isEmpty());
}

TEST(GridEditor, SavingWritesEveryBlockWithTheLabelAndLeavesTheRest) {
    Files f;
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    ASSERT_TRUE(e.opened());
    type(e, 0, 1, "0.25");
    f.prompts.answers = {true};
    e.accept();
    EXPECT_EQ(f.prompts.questions, QStringList{QStringLiteral("OK to Save Changes?")});
    EXPECT_TRUE(e.saved());
    // Every cell " %1.5f "; the untouched 1.50 is not validated and is written as it reads.
    const std::string edited = " 0.01000  0.25000  0.03000 \n 0.04000  1.50000  0.06000 \n";
    EXPECT_EQ(f.dir.read("courtp.inp"),
              "\nMisdemeanor probability\n  A B C\n0.1 0.2 0.3\n0.4 0.5 0.6\n"
              "\nPrison probability\n  A B C\n" + edited +
              "\nMisdemeanor probability\n  A B C\n0.7 0.8 0.9\n0.1 0.1 0.1\n"
              "\nPrison probability\n  A B C\n" + edited);
    EXPECT_FALSE(f.dir.exists("kov_prb_.tmp"));
    EXPECT_TRUE(f.prompts.messages.isEmpty()) << f.prompts.messages.join('|').toStdString();
}

TEST(GridEditor, ChangedBoxesMustHoldAProbability) {
    Files f;
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

TEST(GridEditor, NothingChangedClosesWithoutAQuestion) {
    Files f;
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    e.accept();
    EXPECT_EQ(e.result(), QDialog::Accepted);
    EXPECT_TRUE(f.prompts.questions.isEmpty());
    EXPECT_EQ(f.dir.read("courtp.inp"), ProbabilityText);
}

TEST(GridEditor, AWriteThatFailsAtTheEndLeavesTheOriginal) {
    Files f;
    // Every write to the temporary file fails once it is flushed (a full disk).
    std::filesystem::create_symlink("/dev/full", f.dir.file("kov_prb_.tmp"));
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    ASSERT_TRUE(e.opened());
    type(e, 0, 0, "0.5");
    f.prompts.answers = {true};
    e.accept();
    EXPECT_FALSE(e.saved());
    EXPECT_EQ(f.prompts.messages,
              QStringList{QStringLiteral("Error writing Probability File\ncourtp.inp\nChanges will not be saved")});
    EXPECT_EQ(f.dir.read("courtp.inp"), ProbabilityText);
}

TEST(GridEditor, ATemporaryFileThatCannotBeCreatedLeavesTheOriginal) {
    Files f;
    std::filesystem::create_directory(f.dir.file("kov_prb_.tmp"));
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    type(e, 0, 0, "0.5");
    f.prompts.answers = {true};
    e.accept();
    EXPECT_EQ(f.prompts.messages, QStringList{QStringLiteral("KOV Temporary Probability file ") +
                                              QString::fromStdString(f.dir.file("kov_prb_.tmp")) +
                                              QStringLiteral(" could not be opened!\nChanges will not be saved")});
    EXPECT_EQ(f.dir.read("courtp.inp"), ProbabilityText);
}

TEST(GridEditor, ABlockOfAnotherSizeStopsTheSaveBeforeAnythingIsReplaced) {
    // The second "Prison probability" block has one row only: writing two rows would shift the file.
    const char* const uneven =
        "\nPrison probability\n  A B C\n0.01 0.02 0.03\n0.04 0.05 0.06\n"
        "\nPrison probability\n  A B C\n0.11 0.12 0.13\n"
        "\nMisdemeanor probability\n  A B C\n0.7 0.8 0.9\n0.1 0.1 0.1\n";
    Files f(GridText, uneven);
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    type(e, 0, 0, "0.5");
    f.prompts.answers = {true};
    e.accept();
    EXPECT_EQ(f.prompts.messages,
              QStringList{QStringLiteral("Error writing Probability File\ncourtp.inp\nChanges will not be saved")});
    EXPECT_EQ(f.dir.read("courtp.inp"), uneven);
    EXPECT_FALSE(f.dir.exists("kov_prb_.tmp"));
}

TEST(GridEditor, TheDemonstrationCourtFileWithTablesOfTwoSizesIsLeftWhole) {
    // Its "Prison probability" blocks are 10 x 7 (Nondrug) and 5 x 7 (Drug): the
    // editor shows the first, and writing 10 rows over the second would shift the file.
    ScratchDir dir;
    std::filesystem::copy(kov::test::sourceFile("data/demo"), dir.path(), std::filesystem::copy_options::recursive);
    RunConfiguration cfg;
    cfg.filePath = dir.file("demo.kov");
    cfg.ReadFromFile();
    cfg.modified = 0;
    const std::string before = dir.read("courtp.inp");
    ScriptedPrompts prompts;
    CGridEditor e(cfg, QString::fromStdString(dir.str()),
                  GridTarget{CourtProbabilitiesFile, "Prison probability", courtTableLabels()}, Title, prompts);
    ASSERT_TRUE(e.opened()) << prompts.messages.join('|').toStdString();
    EXPECT_EQ(e.table()->rowCount(), 10);
    EXPECT_EQ(e.table()->columnCount(), 7);
    type(e, 9, 6, "0.5");
    prompts.answers = {true};
    e.accept();
    EXPECT_FALSE(e.saved());
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("OK to Save Changes?")});
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Error writing Probability File\ncourtp.inp\nChanges will not be saved")});
    EXPECT_EQ(dir.read("courtp.inp"), before);
    EXPECT_FALSE(dir.exists("kov_prb_.tmp"));
    EXPECT_EQ(cfg.value(SecFiles, CourtProbabilitiesFile), "courtp.inp");
    EXPECT_EQ(cfg.modified, 0);
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
    EXPECT_TRUE(text.starts_with("\nMisdemeanor probability\n\n" + zeros + "\nPrison probability\n\n"));
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
    Files f("Number of grid tables ........ 1\nBig. 30 12\n", probabilities.c_str());
    CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
    ASSERT_TRUE(e.opened());
    EXPECT_EQ(e.table()->rowCount(), 30);
    EXPECT_EQ(e.table()->columnCount(), 12);
    EXPECT_EQ(cell(e, 29, 11), QStringLiteral("0.9"));
    EXPECT_EQ(cell(e, 0, 10), QStringLiteral("0.1"));
}

TEST(GridEditor, OpeningFailuresAreReported) {
    {
        Files f(GridText, "\nMisdemeanor probability\n  A B C\n0.1 0.2 0.3\n0.4 0.5 0.6\n");
        CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
        EXPECT_FALSE(e.opened());
        EXPECT_EQ(f.prompts.messages,
                  QStringList{QStringLiteral("End of file reading Probabilities File\ncourtp.inp\nLooking for label "
                                             "string\nPrison probability\nPlease correct the problem and retry")});
    }
    {
        Files f;
        f.cfg.setValue(SecFiles, GridFile, "nogrid.inp");
        CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
        EXPECT_FALSE(e.opened());
        EXPECT_EQ(f.prompts.messages,
                  QStringList{QStringLiteral("KOV Grid file\nnogrid.inp\nCould not be opened!\nPlease check the name "
                                             "and path in the Set Up Menu.")});
    }
    {
        // A second line without two integers gives an empty matrix.
        Files f("Number of grid tables ........ 1\nOdd\n");
        CGridEditor e(f.cfg, f.directory(), f.court(), Title, f.prompts);
        EXPECT_TRUE(e.opened());
        EXPECT_EQ(e.table()->rowCount(), 0);
        EXPECT_EQ(e.table()->columnCount(), 0);
    }
}

} // namespace
} // namespace kov::ui
