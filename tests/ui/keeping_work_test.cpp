// Work is never lost and files are never written by mistake: the question
// about unsaved changes, files that are not configurations, the folder of a
// new configuration's run, the title's marker and the announced writes, and
// the text viewer's line ends.
#include "config/run_configuration.h"
#include "support/scratch_dir.h"
#include "ui/demo_copy.h"
#include "ui/grid_editor.h"
#include "ui/main_frame.h"
#include "ui/run_dialog.h"
#include "ui/scripted_prompts.h"
#include "ui/shown_window.h"
#include "ui/text_viewer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace kov::ui {
namespace {

using kov::test::ScratchDir;
using test::ScriptedPrompts;

using test::Demo;

using Window = test::ShownFrame;
using test::shownTitle;
using test::whenShown;

TEST(KeepingWork, TheSaveQuestionTakesEscapeAndItsCloseBoxAsCancel) {
    QtPrompts real;
    const std::pair<std::function<void(QMessageBox&)>, SaveAnswer> ways[] = {
        {[](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, SaveAnswer::Cancel},
        {[](QMessageBox& b) { b.close(); }, SaveAnswer::Cancel},
        {[](QMessageBox& b) {
             EXPECT_EQ(b.button(QMessageBox::Discard)->text(), QStringLiteral("Don't Save"));
             b.button(QMessageBox::Discard)->click();
         },
         SaveAnswer::Discard},
        {[](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Return); }, SaveAnswer::Save}};
    for (const auto& [act, expected] : ways) {
        whenShown<QMessageBox>(act);
        EXPECT_EQ(real.saveChanges(nullptr, QStringLiteral("a.kov has changed.")), expected);
    }
}

TEST(KeepingWork, CloseNewOpenAndRecentFilesAskAndCancelKeepsTheEdits) {
    Demo demo;
    Window w;
    CMainFrame& frame = w.frame;
    ASSERT_TRUE(frame.loadConfiguration(demo.kov("demo-stock.kov")));
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    const std::string onDisk = demo.dir.read("demo.kov");
    frame.action(QStringLiteral("countyPopulation"))->trigger();
    QMenu* recent = frame.menu(QStringLiteral("recentFilesMenu"));
    const QString question = demo.kov() + QStringLiteral(" has changed.\nDo you want to save the changes?");
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"close box", [&] { frame.close(); }},
        {"New", [&] { w.keys(Qt::Key_N); }},
        {"Open", [&] {
             w.prompts.openNames = {demo.kov("demo-stock.kov")};
             w.keys(Qt::Key_O);
         }},
        {"recent file", [&] {
             emit recent->aboutToShow();
             recent->actions().at(1)->trigger();
         }}};
    for (const auto& [name, way] : ways) {
        w.prompts.questions.clear();
        w.prompts.saveAnswers = {SaveAnswer::Cancel};
        way();
        EXPECT_EQ(w.prompts.questions, QStringList{question}) << name;
        EXPECT_TRUE(frame.isVisible()) << name;
        EXPECT_EQ(frame.configuration().filePath, demo.dir.file("demo.kov")) << name;
        EXPECT_TRUE(frame.configuration().isOn(SecOutputTables, OutCounty)) << name;
        EXPECT_EQ(demo.dir.read("demo.kov"), onDisk) << name;
    }

    // Save writes the edit, then the recent file opens: the files opened, newest first.
    w.prompts.saveAnswers = {SaveAnswer::Save};
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().at(0)->text(), QStringLiteral("&1 ") + demo.kov());
    EXPECT_EQ(recent->actions().at(1)->text(), QStringLiteral("&2 ") + demo.kov("demo-stock.kov"));
    recent->actions().at(1)->trigger();
    EXPECT_EQ(frame.configuration().filePath, demo.dir.file("demo-stock.kov"));
    EXPECT_NE(demo.dir.read("demo.kov").find("County=1"), std::string::npos);

    // Don't Save lets New go on and leaves the file as it was.
    frame.action(QStringLiteral("countyPopulation"))->trigger();
    const std::string stockOnDisk = demo.dir.read("demo-stock.kov");
    w.prompts.saveAnswers = {SaveAnswer::Discard};
    w.keys(Qt::Key_N);
    EXPECT_TRUE(frame.configuration().filePath.empty());
    EXPECT_EQ(demo.dir.read("demo-stock.kov"), stockOnDisk);
}

TEST(KeepingWork, AFileThatIsNotAConfigurationIsNeitherOpenedNorWrittenInto) {
    Demo demo;
    Window w;
    const std::string stockTables = demo.dir.read("stock121.kov");
    w.prompts.openNames = {demo.kov("stock121.kov")};
    w.keys(Qt::Key_O);
    const QString refused =
        demo.kov("stock121.kov") +
        QStringLiteral("\nis not a configuration file: it has none of the configuration's sections, such as "
                       "[INPUT/OUTPUT FILES].\nIt looks like a stock tables input file (its first line is "
                       "\"Gender stock releases by month\").");
    EXPECT_EQ(w.prompts.messages, QStringList{refused});
    EXPECT_FALSE(w.frame.hasFullMenu());
    EXPECT_TRUE(w.frame.configuration().filePath.empty());

    // Saving a configuration over it is refused too, whatever the save dialog said.
    w.keys(Qt::Key_N);
    w.prompts.saveNames = {demo.kov("stock121.kov")};
    w.keys(Qt::Key_S);
    EXPECT_EQ(w.prompts.messages.back(), refused + QStringLiteral("\nThe configuration was not written into it."));
    EXPECT_EQ(demo.dir.read("stock121.kov"), stockTables);
    EXPECT_TRUE(w.frame.configuration().filePath.empty());
    EXPECT_EQ(w.frame.configuration().modified, 1);
    // An empty file holds nothing to lose: the configuration goes into it.
    demo.dir.write("empty.kov", "");
    w.prompts.saveNames = {demo.kov("empty.kov")};
    w.keys(Qt::Key_S);
    EXPECT_NE(demo.dir.read("empty.kov").find("[INPUT/OUTPUT FILES]"), std::string::npos);
}

TEST(KeepingWork, ANewConfigurationRunsOnlyInAFolderChosenForIt) {
    Demo before, chosen;
    before.dir.write("tables.out", "the results of the demonstration");
    const std::string court = before.dir.read("courtp.inp");
    Window w;
    CMainFrame& frame = w.frame;
    ASSERT_TRUE(frame.loadConfiguration(before.kov()));
    w.keys(Qt::Key_N);
    bool runShown = false, editorShown = false;
    QString outputs;
    const auto runAndEdit = [&] {
        whenShown<CRunSim1>([&](CRunSim1& d) {
            runShown = true;
            outputs = d.outputsLine()->text();
            d.runButton()->click();
            d.cancelButton()->click();
        });
        w.keys(Qt::Key_R);
        QApplication::processEvents(); // the handler finds no dialog when none was shown
        w.prompts.answers = {true};
        whenShown<CGridEditor>([&](CGridEditor& e) {
            editorShown = true;
            e.table()->item(0, 0)->setText(QStringLiteral("0.25"));
            e.accept();
        });
        frame.action(QStringLiteral("editProb1"))->trigger();
        QApplication::processEvents();
        frame.action(QStringLiteral("countyInput"))->trigger();
    };

    // No folder chosen: no run, no editor, no viewer.
    runAndEdit();
    EXPECT_FALSE(runShown);
    EXPECT_FALSE(editorShown);
    EXPECT_TRUE(frame.findChildren<TextViewer*>().isEmpty());

    // A folder chosen, asked once: the run dialog names it before Run and the run
    // writes there; its files are edited; the folder of the configuration before is left alone.
    w.prompts.folders = {QString::fromStdString(chosen.dir.str())};
    runAndEdit();
    EXPECT_TRUE(w.prompts.folders.empty());
    EXPECT_TRUE(outputs.contains(QString::fromStdString(chosen.dir.str()))) << outputs.toStdString();
    EXPECT_TRUE(outputs.contains(QStringLiteral("tables.out"))) << outputs.toStdString();
    EXPECT_TRUE(chosen.dir.exists("tables.out"));
    EXPECT_TRUE(editorShown);
    EXPECT_NE(chosen.dir.read("courtp.inp"), court);
    const QList<TextViewer*> viewers = frame.findChildren<TextViewer*>();
    ASSERT_EQ(viewers.size(), 1);
    EXPECT_EQ(viewers.front()->path(), QString::fromStdString(chosen.dir.file("county.inp")));
    viewers.front()->close();
    EXPECT_EQ(before.dir.read("tables.out"), "the results of the demonstration");
    EXPECT_EQ(before.dir.read("courtp.inp"), court);
}

TEST(KeepingWork, TheTitleMarksChangesAndWritesAtOnceAreAnnounced) {
    Demo demo;
    Window w;
    CMainFrame& frame = w.frame;
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    const QString title = QStringLiteral("KOV - ") + demo.kov();
    EXPECT_EQ(shownTitle(frame), title);
    frame.action(QStringLiteral("countyPopulation"))->trigger();
    EXPECT_EQ(shownTitle(frame), title + QStringLiteral("*"));
    w.keys(Qt::Key_S);
    EXPECT_EQ(shownTitle(frame), title);
    EXPECT_NE(demo.dir.read("demo.kov").find("County=1"), std::string::npos);

    // The grid editor writes its file at once, and the status bar says so.
    const std::string before = demo.dir.read("courtp.inp");
    w.prompts.answers = {true};
    whenShown<CGridEditor>([](CGridEditor& e) {
        e.table()->item(0, 0)->setText(QStringLiteral("0.5"));
        e.accept();
    });
    frame.action(QStringLiteral("editProb1"))->trigger();
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("courtp.inp saved"));
    EXPECT_NE(demo.dir.read("courtp.inp"), before);
    EXPECT_EQ(shownTitle(frame), title);
}

TEST(KeepingWork, TheTextViewerKeepsTheFilesLineEnds) {
    ScratchDir dir;
    const std::pair<const char*, const char*> files[] = {{"crlf.txt", "one\r\ntwo\r\n"}, {"lf.txt", "one\ntwo\n"}};
    ScriptedPrompts prompts;
    for (const auto& [name, text] : files) {
        dir.write(name, text);
        TextViewer* v = TextViewer::open(QString::fromStdString(dir.file(name)), prompts);
        ASSERT_NE(v, nullptr);
        v->editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(v->editor(), QStringLiteral("three"));
        QTest::keyClick(v->editor(), Qt::Key_Return);
        for (QPushButton* b : v->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Save")) b->click();
        const std::string end = std::string(name) == "crlf.txt" ? "\r\n" : "\n";
        EXPECT_EQ(dir.read(name), "one" + end + "two" + end + "three" + end) << name;
        v->close();
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
} // namespace kov::ui
