// The setup dialogs: field limits, range checks and their messages, and that
// OK writes exactly the keys that changed.
#include "config/run_configuration.h"
#include "engine/programs.h"
#include "ui/field_store.h"
#include "ui/file_names_dialog.h"
#include "ui/postprison_dialog.h"
#include "ui/scripted_prompts.h"
#include "ui/setup_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kov::ui {
namespace {

using test::ScriptedPrompts;

const QString ProbabilityMessage = QStringLiteral("Probability data must be between 0 and 1");

struct Edited {
    RunConfiguration cfg;
    ScriptedPrompts prompts;
    ConfigStore store{cfg};
    Edited() {
        cfg.SetDefaults();
        cfg.modified = 0;
    }
};

TEST(SetupDialog, ValuesOutOfRangeAreRefusedWithTheFocusOnTheFirst) {
    const QString enterANumber = QStringLiteral("Enter a number between 0 and 1");
    using Typed = std::vector<std::pair<int, const char*>>; // key, text
    const struct {
        DialogSpec (*spec)();
        int section;
        Typed typed;
        QString message;
        int focus; ///< the key whose box takes the focus; -1: not asked
    } cases[] = {
        // 1.01 and -0.01 are outside; "nan" and "abc" are no numbers at all.
        {releaseParametersSpec, SecRelease, {{0, "1.2"}}, ProbabilityMessage, 0},
        {releaseParametersSpec, SecRelease, {{0, "1.01"}}, ProbabilityMessage, 0},
        {releaseParametersSpec, SecRelease, {{0, "-0.01"}}, ProbabilityMessage, 0},
        {releaseParametersSpec, SecRelease, {{0, "nan"}}, ProbabilityMessage, 0},
        {releaseParametersSpec, SecRelease, {{0, "abc"}}, ProbabilityMessage, 0},
        // The checks run in table order: the first bad one is reported, and only it.
        {releaseParametersSpec, SecRelease, {{5, "2"}, {9, "3"}}, ProbabilityMessage, 5},
        {runParametersSpec, SecRun, {{CourtVolumeKey, "2"}, {SamplingFractionKey, "3"}}, enterANumber,
         SamplingFractionKey},
        {sanctionParametersSpec, SecSanctions, {{2, "1.5"}}, enterANumber, -1},
        // Field limits come before range checks.
        {releaseParametersSpec, SecRelease, {{0, "5"}, {3, "1000"}},
         QStringLiteral("Please enter an integer between 0 and 999."), -1},
        {releaseParametersSpec, SecRelease, {{0, "0.1234"}}, // 6 characters, the box holds 5
         QStringLiteral("Please enter no more than 5 characters."), -1},
    };
    for (const auto& c : cases) {
        Edited s;
        SetupDialog d(c.spec(), s.store, s.prompts);
        d.show();
        for (const auto& [key, text] : c.typed) d.edit(d.fieldOf(c.section, key))->setText(QString::fromLatin1(text));
        d.accept();
        const char* first = c.typed.front().second;
        EXPECT_EQ(s.prompts.messages, QStringList{c.message}) << first;
        EXPECT_NE(d.result(), QDialog::Accepted) << first;
        if (c.focus >= 0) {
            EXPECT_EQ(d.focusWidget(), d.edit(d.fieldOf(c.section, c.focus))) << first;
        }
        EXPECT_EQ(s.cfg.modified, 0) << first;
        EXPECT_EQ(s.cfg.value(SecRelease, 0), "0.0");
    }
}

TEST(SetupDialog, OkWritesOnlyChangedKeysAndSetsTheChangedFlag) {
    Edited s;
    {
        // Exactly 0 and exactly 1 pass; re-typed values change nothing.
        SetupDialog d(releaseParametersSpec(), s.store, s.prompts);
        d.edit(d.fieldOf(SecRelease, 0))->setText(QStringLiteral("0.0"));
        d.edit(d.fieldOf(SecRelease, 4))->setText(QStringLiteral("1.0"));
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.writtenCount(), 0);
        EXPECT_EQ(s.cfg.modified, 0);
    }
    {
        SetupDialog d(releaseParametersSpec(), s.store, s.prompts);
        d.edit(d.fieldOf(SecRelease, 0))->setText(QStringLiteral("1"));
        d.edit(d.fieldOf(SecRelease, 2))->setText(QStringLiteral(" 12 ")); // integers are written with "%d"
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.writtenCount(), 2);
        EXPECT_EQ(s.cfg.value(SecRelease, 0), "1");
        EXPECT_EQ(s.cfg.value(SecRelease, 2), "12");
        EXPECT_EQ(s.cfg.modified, 1);
    }
    EXPECT_TRUE(s.prompts.messages.isEmpty()) << s.prompts.messages.join('|').toStdString();
}

TEST(SetupDialog, RunParametersLeaveEmptyKeysEmpty) {
    Edited s;
    ASSERT_EQ(s.cfg.value(SecRun, CasesBetweenGraphs), ""); // the defaults of the graph keys are empty
    SetupDialog d(runParametersSpec(), s.store, s.prompts);
    EXPECT_EQ(d.edit(d.fieldOf(SecRun, CasesBetweenGraphs))->text(), QString());
    EXPECT_FALSE(d.checkBox(d.fieldOf(SecRun, ShowGraph))->isChecked());
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.writtenCount(), 0);
    EXPECT_EQ(s.cfg.value(SecRun, ShowGraph), "");
    EXPECT_EQ(s.cfg.modified, 0);

    SetupDialog again(runParametersSpec(), s.store, s.prompts);
    again.checkBox(again.fieldOf(SecRun, ShowGraph))->setChecked(true);
    again.edit(again.fieldOf(SecRun, CasesBetweenGraphs))->setText(QStringLiteral("250"));
    again.accept();
    EXPECT_EQ(s.cfg.value(SecRun, ShowGraph), "1");
    EXPECT_EQ(s.cfg.value(SecRun, CasesBetweenGraphs), "250");
    EXPECT_EQ(s.cfg.modified, 1);
}

TEST(SetupDialog, CheckListsWriteOnlyBoxesThatDifferFromTheirKeys) {
    Edited s;
    SetupDialog d(breakdownTablesSpec(), s.store, s.prompts);
    const int postprison = d.fieldOf(SecOutputTables, OutPostprison);
    EXPECT_FALSE(d.checkBox(postprison)->isEnabled());
    d.checkBox(d.fieldOf(SecOutputTables, OutJail))->setChecked(true);
    d.accept();
    EXPECT_EQ(d.writtenCount(), 1);
    EXPECT_EQ(s.cfg.value(SecOutputTables, OutJail), "1");

    SetupDialog tables(probabilityTablesSpec(), s.store, s.prompts);
    EXPECT_TRUE(tables.checkBox(tables.fieldOf(SecProbabilityTables, 1))->isChecked()); // "Prison" defaults to 1
    EXPECT_FALSE(tables.checkBox(tables.fieldOf(SecProbabilityTables, NoKey))->isEnabled()); // "Stock"
}

TEST(SetupDialog, TitleAndTrendWeights) {
    Edited s;
    SetupDialog title(runTitleSpec(), s.store, s.prompts);
    title.edit(0)->setText(QStringLiteral("Spring projection"));
    title.accept();
    EXPECT_EQ(s.cfg.title, "Spring projection");
    EXPECT_EQ(s.cfg.modified, 1);

    SetupDialog trend(trendWeightsSpec(), s.store, s.prompts);
    trend.edit(trend.fieldOf(SecTrendSimulation, 14))->setText(QStringLiteral("1.05"));
    trend.accept();
    EXPECT_EQ(s.cfg.value(SecTrendSimulation, 14), "1.05");
    EXPECT_EQ(s.cfg.value(SecTrendBackup, 14), "1.00");
}

TEST(SetupDialog, ProgramNameMustNotBeEmpty) {
    ScriptedPrompts prompts;
    Program p;
    p.name = "Boot Camp";
    p.startMonth = 1;
    p.endMonth = 96;
    p.length = 4;
    p.completionProbability = 0.65;
    ProgramStore store(p);
    SetupDialog d(programParametersSpec(), store, prompts);
    d.edit(ProgramName)->setText(QStringLiteral("   "));
    d.accept();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Program Name must not be empty")});
    EXPECT_EQ(p.name, "Boot Camp");
    d.edit(ProgramName)->setText(QStringLiteral("Boot Camp II"));
    d.edit(ProgramCompletion)->setText(QStringLiteral("0.7"));
    d.accept();
    EXPECT_EQ(p.name, "Boot Camp II");
    EXPECT_DOUBLE_EQ(p.completionProbability, 0.7);
    EXPECT_EQ(d.writtenCount(), 2);
}

TEST(PostprisonDialog, NoPostprisonProcessingClearsBothGridBoxes) {
    RunConfiguration cfg;
    cfg.SetDefaults();
    cfg.setValue(SecPostprison, PostprisonOptions, "2");
    cfg.modified = 0;
    {
        // Unchanged: nothing is written.
        CPostprisonOpt d(cfg, 2);
        EXPECT_TRUE(d.singleBox()->isChecked());
        EXPECT_TRUE(d.singleBox()->isEnabled());
        d.accept();
        EXPECT_EQ(cfg.modified, 0);
    }
    CPostprisonOpt d(cfg, 2);
    d.radio(1)->click();
    EXPECT_FALSE(d.singleBox()->isEnabled());
    EXPECT_FALSE(d.dualBox()->isChecked());
    d.accept();
    EXPECT_EQ(d.option(), 1);
    EXPECT_EQ(cfg.value(SecPostprison, PostprisonOptions), "1");
    EXPECT_EQ(cfg.value(SecPostprison, SingleGuidelines), "0");
    EXPECT_EQ(cfg.value(SecPostprison, DualGuidelinesKey), "0");
    EXPECT_EQ(cfg.modified, 1);

    // Choosing 3 again checks Single; Dual excludes it.
    CPostprisonOpt again(cfg, 1);
    again.radio(3)->click();
    EXPECT_TRUE(again.singleBox()->isChecked());
    again.dualBox()->click();
    EXPECT_FALSE(again.singleBox()->isChecked());
}

TEST(FileNamesDialog, StockFieldsFollowTheOptionAndCaseChangesAreWritten) {
    RunConfiguration cfg;
    cfg.SetDefaults();
    cfg.modified = 0;
    ScriptedPrompts prompts;
    CSetIOFileNames one(cfg, QStringLiteral("/data"), 1, prompts);
    for (int k : {StockProbabilities, StockParameterFile, StockMicrodataFile, StockGridFile, StockOutputFile})
        EXPECT_FALSE(one.field(k)->isEnabled()) << k;
    EXPECT_TRUE(one.field(StockTablesFile)->isEnabled());
    EXPECT_FALSE(one.field(ExcelFile)->isEnabled());

    CSetIOFileNames two(cfg, QStringLiteral("/data"), 2, prompts);
    EXPECT_TRUE(two.field(StockParameterFile)->isEnabled());
    EXPECT_FALSE(two.field(StockGridFile)->isEnabled()); // single guidelines
    // On a case-sensitive file system "Labels.inp" is another file than "labels.inp".
    two.field(LabelsFile)->setText(QStringLiteral("Labels.inp"));
    two.pathField()->setText(QStringLiteral("/Data"));
    two.accept();
    EXPECT_EQ(cfg.value(SecFiles, LabelsFile), "Labels.inp");
    EXPECT_EQ(cfg.modified, 1);
    EXPECT_TRUE(two.dataDirectoryChanged());
    EXPECT_EQ(two.dataDirectory(), QStringLiteral("/Data"));
    EXPECT_FALSE(two.programFilesChanged());
}

} // namespace
} // namespace kov::ui
