// The main window: menus, New/Open/Save, the save prompt, check items and the
// enable rules, the settings kept between starts. (The recent files are in the
// test of keeping work.)
#include "config/run_configuration.h"
#include "engine/programs.h"
#include "support/scratch_dir.h"
#include "ui/demo_copy.h"
#include "ui/main_frame.h"
#include "ui/other_file_dialog.h"
#include "ui/text_viewer.h"
#include "ui/scripted_prompts.h"
#include "ui/shown_window.h"

#include <QAction>
#include <QMenu>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>

#include <gtest/gtest.h>

namespace kov::ui {
namespace {

using kov::test::ScratchDir;
using test::ScriptedPrompts;

using test::shownTitle;

using test::Demo;

TEST(MainFrame, ShortMenuUntilNewThenFullMenuWithEverythingEnabled) {
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    EXPECT_EQ(shownTitle(frame), QStringLiteral("Kovary"));
    EXPECT_FALSE(frame.hasFullMenu());
    EXPECT_EQ(frame.menuTitles(), (QStringList{"&File", "&View", "&Help"}));
    for (const char* name : {"fileSave", "runSimulation", "setupFileNames", "setupPostprison"})
        EXPECT_FALSE(frame.action(QString::fromLatin1(name))->isEnabled()) << name;

    frame.OnFileNew();
    EXPECT_TRUE(frame.hasFullMenu());
    EXPECT_EQ(frame.menuTitles(),
              (QStringList{"&File", "&Set Up", "&Edit Files", "&Output Tables", "&Run", "&View", "&Help"}));
    EXPECT_EQ(shownTitle(frame), QStringLiteral("KOV - New Configuration File*"));
    EXPECT_EQ(frame.configuration().modified, 1);
    EXPECT_TRUE(frame.configuration().filePath.empty());
    for (const char* name : {"fileSave", "runSimulation", "setupFileNames", "setupPostprison"})
        EXPECT_TRUE(frame.action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(prompts.questions.isEmpty()); // nothing had changed before New
}

TEST(MainFrame, OpenSaveAsRoundTripKeepsEveryValue) {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    prompts.openNames.push_back(demo.kov());
    frame.OnFileOpen();
    RunConfiguration& cfg = frame.configuration();
    EXPECT_EQ(shownTitle(frame), QStringLiteral("KOV - ") + demo.kov());
    EXPECT_EQ(frame.dataDirectory(), QString::fromStdString(demo.dir.str()));
    EXPECT_EQ(QDir::currentPath(), QString::fromStdString(demo.dir.str()));
    EXPECT_EQ(frame.postprisonOption(), 4); // the demonstration uses court microdata
    EXPECT_EQ(cfg.modified, 0);

    cfg.title = "Round trip";
    cfg.setValue(SecRelease, 2, "7");
    frame.toggleCheckItem(OutCounty);
    const RunConfiguration edited = cfg;

    prompts.saveNames.push_back(demo.kov("copy.kov"));
    ASSERT_TRUE(frame.OnFileSaveAs());
    EXPECT_EQ(cfg.modified, 0);
    EXPECT_EQ(shownTitle(frame), QStringLiteral("KOV - ") + demo.kov("copy.kov"));

    ScriptedPrompts otherPrompts;
    CMainFrame other(otherPrompts);
    ASSERT_TRUE(other.loadConfiguration(demo.kov("copy.kov")));
    const RunConfiguration& back = other.configuration();
    EXPECT_EQ(back.title, "Round trip");
    for (int s = 0; s < SectionCount; ++s)
        for (int k = 0; k < RunConfiguration::SectionKeyCounts[static_cast<std::size_t>(s)]; ++k)
            EXPECT_EQ(back.value(s, k), edited.value(s, k)) << s << "/" << k;
    EXPECT_TRUE(otherPrompts.messages.isEmpty()) << otherPrompts.messages.join('|').toStdString();
}

TEST(MainFrame, AFileThatIsNotThereLeavesEverythingAsItWas) {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    frame.toggleCheckItem(OutCounty);
    const QString missing = QString::fromStdString(demo.dir.file("gone/missing.kov"));
    prompts.saveAnswers = {SaveAnswer::Discard};
    frame.openHandedOver(missing);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Unable to open file ") + missing});
    EXPECT_EQ(frame.configuration().filePath, demo.dir.file("demo.kov"));
    EXPECT_TRUE(frame.configuration().isOn(SecOutputTables, OutCounty));
    EXPECT_EQ(frame.dataDirectory(), QString::fromStdString(demo.dir.str()));
    EXPECT_EQ(shownTitle(frame), QStringLiteral("KOV - ") + demo.kov() + QStringLiteral("*"));
}

TEST(MainFrame, DataDirectoryIsKeptBetweenStarts) {
    Demo demo;
    ScriptedPrompts prompts;
    {
        CMainFrame frame(prompts);
        ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    }
    const QSettings store(QStringLiteral("KOVWin"));
    EXPECT_EQ(store.value(QStringLiteral("DATAFILEPATH")).toString(), QString::fromStdString(demo.dir.str()));
    EXPECT_EQ(store.value(QStringLiteral("guideconfig")).toString(), QStringLiteral("11"));
    EXPECT_EQ(store.value(QStringLiteral("KOVSTOCK")).toString(), QStringLiteral("  "));
    CMainFrame next(prompts);
    EXPECT_EQ(next.dataDirectory(), QString::fromStdString(demo.dir.str()));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
}

TEST(MainFrame, CheckItemsAndEnableRulesFollowTheKeys) {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    RunConfiguration& cfg = frame.configuration();
    QAction* county = frame.action(QStringLiteral("countyPopulation"));
    QAction* offenses = frame.action(QStringLiteral("excelOffenses"));
    EXPECT_FALSE(county->isChecked());
    frame.toggleCheckItem(OutExcelFileForOffenses);
    EXPECT_EQ(cfg.value(SecOutputTables, OutExcelFileForOffenses), "1");
    EXPECT_TRUE(offenses->isChecked());
    EXPECT_EQ(cfg.modified, 1);
    frame.toggleCheckItem(OutExcelFileForOffenses);
    EXPECT_EQ(cfg.value(SecOutputTables, OutExcelFileForOffenses), "0");
    EXPECT_FALSE(offenses->isChecked());

    // Option 4 of the demonstration: stock probabilities on, stock parameters off.
    EXPECT_TRUE(frame.action(QStringLiteral("editStock0"))->isEnabled());
    EXPECT_FALSE(frame.action(QStringLiteral("stockParameterFile"))->isEnabled());
    cfg.setValue(SecPostprison, PostprisonOptions, "2");
    cfg.setValue(SecPostprison, SingleGuidelines, "1");
    prompts.saveAnswers = {SaveAnswer::Discard};
    frame.openHandedOver(demo.kov()); // the option is taken from the key when a file is opened
    // Open asked to save the changed configuration (Don't Save) and read the file again.
    EXPECT_EQ(frame.postprisonOption(), 4);
    cfg.setValue(SecPostprison, SingleGuidelines, "0");
    frame.updateCommandStates();
    EXPECT_TRUE(frame.action(QStringLiteral("gridFileStock"))->isEnabled());
    cfg.setValue(SecPostprison, SingleGuidelines, "1");
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(QStringLiteral("gridFileStock"))->isEnabled());
    cfg.setValue(SecRun, NorvaleCustomizationsKey, "0");
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(QStringLiteral("trendWeightsByGroup"))->isEnabled());
    EXPECT_FALSE(frame.menu(QStringLiteral("programParametersMenu"))->isEnabled());
}

TEST(MainFrame, ProgramsAreReadOnOpenAndNameTheProgramMenus) {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    ASSERT_NE(frame.programs(), nullptr);
    ASSERT_EQ(frame.programs()->count(), 3);
    QMenu* m = frame.menu(QStringLiteral("programParametersMenu"));
    emit frame.menu(QStringLiteral("setupMenu"))->aboutToShow();
    QStringList captions;
    for (QAction* a : m->actions()) captions << a->text();
    EXPECT_EQ(captions, (QStringList{"Therapeutic Community", "Work Release", "Boot Camp"}));
}

TEST(MainFrame, EditFilesOpenTheTextViewerAndKeepTypedText) {
    Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    frame.OnEditFile(LabelsFile);
    const auto viewers = frame.findChildren<TextViewer*>();
    ASSERT_EQ(viewers.size(), 1);
    TextViewer* viewer = viewers.front();
    EXPECT_EQ(viewer->path(), QString::fromStdString(demo.dir.file("labels.inp")));
    EXPECT_EQ(viewer->editor()->toPlainText().toStdString(), demo.dir.read("labels.inp"));

    // Typed text is asked about before the window goes; OK writes it.
    viewer->editor()->appendPlainText(QStringLiteral("extra line"));
    prompts.saveAnswers = {SaveAnswer::Save};
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(demo.dir.read("labels.inp").ends_with("extra line"));

    // A file that is not there.
    frame.configuration().setValue(SecFiles, CountyFile, "nowhere.inp");
    frame.OnEditFile(CountyFile);
    EXPECT_EQ(prompts.messages.back(),
              QStringLiteral("Could not run Notepad on ") + QString::fromStdString(demo.dir.file("nowhere.inp")));
}

TEST(MainFrame, OtherFileMustExist) {
    Demo demo;
    ScriptedPrompts prompts;
    QWidget owner;
    COtherFile d(prompts, &owner);
    d.nameField()->setText(QString::fromStdString(demo.dir.file("nothing.txt")));
    d.accept();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("File name ") +
                                            QString::fromStdString(demo.dir.file("nothing.txt")) +
                                            QStringLiteral(" was not Found!")});
    EXPECT_NE(d.result(), QDialog::Accepted);
    d.nameField()->setText(QString::fromStdString(demo.dir.file("grid.inp")));
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_NE(d.viewer(), nullptr);
}

} // namespace
} // namespace kov::ui
