// After a run the main window shows its results: the summary report's prison
// counts by year, a chart of each total, the files written with a button
// each; the viewers opened from the run dialog can be used while it is open,
// and View Graph shows the graphs as tabs of one window.
#include "config/run_configuration.h"
#include "ui/demo_copy.h"
#include "ui/image_viewer.h"
#include "ui/main_frame.h"
#include "ui/results_panel.h"
#include "ui/run_dialog.h"
#include "ui/scripted_prompts.h"
#include "ui/shown_window.h"
#include "ui/text_viewer.h"
#include "ui/view_graphs_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace kov::ui {
namespace {

using test::ScriptedPrompts;

QStringList tabTitles(const QTabWidget& tabs) {
    QStringList titles;
    for (int i = 0; i < tabs.count(); ++i) titles << tabs.tabText(i);
    return titles;
}

QList<ImageViewer*> imageWindows() {
    QList<ImageViewer*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<ImageViewer*>(w); v && v->isVisible()) out << v;
    return out;
}

/// The words after caption on its first line after the summary's title in the tables output.
QStringList summaryLine(const std::string& tables, const std::string& caption) {
    const std::size_t from = tables.find(caption, tables.find("SUMMARY OF PROJECTED PRISON POPULATION COUNTS"));
    const std::size_t end = tables.find('\n', from);
    return QString::fromStdString(tables.substr(from + caption.size(), end - from - caption.size()))
        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

struct DemoWindow : test::Demo, test::ShownFrame {
    DemoWindow() {
        EXPECT_TRUE(frame.loadConfiguration(kov()));
        frame.configuration().setValue(SecRun, CreateGraphs, "1");
        frame.configuration().setValue(SecOutputTables, OutJail, "1");
    }
    /// Ctrl+R, then act on the run dialog while it is shown.
    void run(std::function<void(CRunSim1&)> act) {
        activate();
        test::whenShown<CRunSim1>(std::move(act));
        keys(Qt::Key_R);
    }
};

TEST(Results, TheMainWindowShowsTheLastRunAndItsViewersCanBeUsedMeanwhile) {
    DemoWindow w;
    bool viewerTookKeys = false;
    w.run([&](CRunSim1& d) {
        QTest::keyClick(&d, Qt::Key_Return); // runs
        EXPECT_EQ(d.state(), CRunSim1::State::Waiting);
        d.viewOutputWithButton()->click();
        const QList<TextViewer*> viewers = w.frame.findChildren<TextViewer*>();
        if (viewers.size() == 1) {
            // Keys reach the viewer through the window system, which drops them for a window a modal dialog blocks.
            TextViewer* v = viewers.front();
            v->editor()->setFocus();
            QTest::keyClick(v->windowHandle(), Qt::Key_End, Qt::ControlModifier);
            viewerTookKeys = v->editor()->textCursor().atEnd();
        }
        QTest::keyClick(&d, Qt::Key_Escape); // Exit
    });
    EXPECT_TRUE(viewerTookKeys);
    EXPECT_EQ(w.frame.runDialog(), nullptr);

    // The table holds the summary report's numbers, digit for digit.
    const std::string tables = w.dir.read("tables.out");
    const QTableWidget* summary = w.frame.results()->summaryTable();
    ASSERT_EQ(summary->rowCount(), 4);
    ASSERT_EQ(summary->columnCount(), 10);
    QStringList years;
    for (int c = 0; c < 10; ++c) years << summary->horizontalHeaderItem(c)->text();
    EXPECT_EQ(years, summaryLine(tables, "       Year "));
    const char* captions[] = {" 12th Mo.", " Low Mo. ", " High Mo.", " Average "};
    for (int r = 0; r < 4; ++r) {
        QStringList shown;
        for (int c = 0; c < 10; ++c) shown << summary->item(r, c)->text();
        EXPECT_EQ(shown, summaryLine(tables, captions[r])) << captions[r];
    }
    EXPECT_EQ(tabTitles(*w.frame.results()->charts()), (QStringList{QStringLiteral("Prison"), QStringLiteral("Jail")}));

    // The files: tables output first, the ten graphs among them, each opened by its button.
    const std::vector<QPushButton*>& buttons = w.frame.results()->viewButtons();
    const QStringList files = w.frame.results()->files();
    ASSERT_GE(files.size(), 11);
    ASSERT_EQ(buttons.size(), static_cast<std::size_t>(files.size()));
    EXPECT_EQ(files.front(), QString::fromStdString(w.dir.file("tables.out")));
    EXPECT_TRUE(files.contains(QString::fromStdString(w.dir.file("totals.bmp"))));
    buttons.front()->click();
    const QList<TextViewer*> viewers = w.frame.findChildren<TextViewer*>();
    EXPECT_EQ(viewers.size(), 2); // the one from the run dialog stays
    const int totals = static_cast<int>(files.indexOf(QString::fromStdString(w.dir.file("totals.bmp"))));
    buttons[static_cast<std::size_t>(totals)]->click();
    ASSERT_EQ(imageWindows().size(), 1);
    EXPECT_EQ(tabTitles(*imageWindows().front()->tabs()), QStringList{QStringLiteral("totals.bmp")});
    EXPECT_TRUE(w.prompts.messages.isEmpty()) << w.prompts.messages.join('|').toStdString();
    for (TextViewer* v : viewers) v->close();
    imageWindows().front()->close();

    // A run that does not go through leaves no results of an earlier one on show.
    w.run([](CRunSim1& d) {
        QTimer::singleShot(0, &d, [&d] { d.cancelButton()->click(); });
        d.runButton()->click();
        d.cancelButton()->click();
    });
    EXPECT_EQ(w.frame.results()->summaryTable()->rowCount(), 0);
    EXPECT_TRUE(w.frame.results()->viewButtons().empty());
}

TEST(Results, ViewGraphShowsTheChosenGraphsAsTabsOfOneWindow) {
    DemoWindow w;
    w.frame.configuration().setValue(SecOutputTables, OutJail, "0");
    w.run([](CRunSim1& d) {
        d.runButton()->click();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    // Without the jail tables, the prison total is the only one.
    EXPECT_EQ(tabTitles(*w.frame.results()->charts()), QStringList{QStringLiteral("Prison")});
    CViewGraphs graphs(w.frame.configuration(), w.prompts, &w.frame);
    graphs.box(0)->setChecked(false);
    QPushButton* view = nullptr;
    for (QPushButton* b : graphs.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("View Graph")) view = b;
    ASSERT_NE(view, nullptr);
    view->click();
    ASSERT_EQ(imageWindows().size(), 1);
    QStringList expected;
    for (int i = 1; i < CViewGraphs::GraphCount; ++i) expected << QString::fromLatin1(GraphCaptions[static_cast<std::size_t>(i)]);
    EXPECT_EQ(tabTitles(*imageWindows().front()->tabs()), expected);
    EXPECT_TRUE(w.prompts.messages.isEmpty());

    // Again, with two files gone: the same window, the others, and one message naming both.
    std::filesystem::remove(w.dir.file("race.bmp"));
    std::filesystem::remove(w.dir.file("age.bmp"));
    view->click();
    ASSERT_EQ(imageWindows().size(), 1);
    expected.removeFirst();
    expected.removeFirst();
    EXPECT_EQ(tabTitles(*imageWindows().front()->tabs()), expected);
    // The pages before are gone from the window, not merely hidden: its size is taken from its pictures.
    EXPECT_EQ(imageWindows().front()->findChildren<QScrollArea*>().size(), expected.size());
    EXPECT_EQ(w.prompts.messages, QStringList{QStringLiteral("Could not open graph file\nrace.bmp\nage.bmp")});
    imageWindows().front()->close();
}

} // namespace
} // namespace kov::ui
