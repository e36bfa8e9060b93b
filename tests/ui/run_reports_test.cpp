// Runs started from the desktop program write the graph files and the
// workbooks; an existing workbook is asked about with the save dialog, and a
// workbook saved under another name gives its key that name.
#include "config/run_configuration.h"
#include "ui/demo_copy.h"
#include "ui/main_frame.h"
#include "ui/run_dialog.h"
#include "ui/run_reports.h"
#include "ui/scripted_prompts.h"

#include <QChartView>
#include <QLineSeries>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace kov::ui {
namespace {

using test::ScriptedPrompts;

struct DemoCopy : test::Demo {
    RunConfiguration cfg;
    DemoCopy() {
        // Workbooks a demonstration run left in the source folder are not part of the data.
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().extension() == ".xlsx") std::filesystem::remove(entry.path());
        cfg.filePath = dir.file("demo.kov");
        cfg.ReadFromFile();
        cfg.modified = 0;
    }
    QString directory() const { return QString::fromStdString(dir.str()); }
};

TEST(RunReports, AnExistingWorkbookIsAskedAboutWithTheSaveDialog) {
    DemoCopy demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    demo.cfg.setValue(SecRun, ShowGraph, "1");
    demo.cfg.setValue(SecRun, CreateGraphs, "1");
    demo.cfg.setValue(SecOutputTables, OutExcelFile, "1"); // the other two workbooks stay off
    demo.cfg.modified = 0;
    const auto run = [&] {
        CRunSim1 d(demo.cfg, demo.directory(), prompts);
        d.OnRunSim();
        EXPECT_EQ(d.state(), CRunSim1::State::Waiting) << prompts.messages.join('|').toStdString();
    };
    {
        // The graph files themselves are the results window's test; the live
        // chart of the main window's renderer shows the 120 monthly totals.
        CRunSim1 d(demo.cfg, demo.directory(), prompts, frame.liveChartRenderer);
        d.OnRunSim();
        ASSERT_EQ(d.state(), CRunSim1::State::Waiting) << prompts.messages.join('|').toStdString();
        EXPECT_TRUE(d.viewGraphsButton()->isEnabled());
        EXPECT_EQ(d.simulation().m_GraphFiles.size(), 10u);
        auto* view = d.chartArea()->findChild<QChartView*>();
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(view->chart()->series().size(), 1);
        EXPECT_EQ(static_cast<QLineSeries*>(view->chart()->series().front())->count(), 120);
    }
    // "KOVExcel.xls" is written as .xlsx without a question (no file there);
    // the key takes the name written and the configuration counts as changed.
    EXPECT_TRUE(prompts.saveCaptions.isEmpty());
    EXPECT_TRUE(demo.dir.exists("KOVExcel.xlsx"));
    EXPECT_EQ(demo.cfg.value(SecFiles, ExcelFile), "KOVExcel.xlsx");
    EXPECT_EQ(demo.cfg.modified, 1);

    // Now there is one. Cancel: nothing written, the old file and the key stay, nothing changed.
    demo.cfg.setValue(SecRun, CreateGraphs, "0");
    demo.dir.write("KOVExcel.xlsx", "an older workbook");
    demo.cfg.modified = 0;
    run();
    EXPECT_EQ(prompts.saveCaptions, QStringList{QStringLiteral("Save Main Excel File As")});
    EXPECT_EQ(prompts.saveProposals, QStringList{demo.kov("KOVExcel.xlsx")});
    EXPECT_EQ(demo.dir.read("KOVExcel.xlsx"), "an older workbook");
    EXPECT_EQ(demo.cfg.value(SecFiles, ExcelFile), "KOVExcel.xlsx");
    EXPECT_EQ(demo.cfg.modified, 0);

    // Another name, typed with the old extension: written as .xlsx, and the key takes it.
    prompts.saveNames = {demo.kov("Second.xls")};
    run();
    EXPECT_EQ(prompts.saveCaptions.size(), 2);
    EXPECT_EQ(demo.dir.read("KOVExcel.xlsx"), "an older workbook");
    EXPECT_TRUE(demo.dir.exists("Second.xlsx"));
    EXPECT_EQ(demo.cfg.value(SecFiles, ExcelFile), "Second.xlsx");
    EXPECT_EQ(demo.cfg.modified, 1);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
}

TEST(RunReports, OnlyWorkbooksWrittenUnderAnotherNameChangeTheirKeys) {
    RunConfiguration cfg;
    cfg.SetDefaults();
    cfg.modified = 0;
    WrittenWorkbook same;
    same.fileKey = ExcelFileOffenses;
    same.path = "/data/Programs.xls";
    EXPECT_FALSE(takeWrittenWorkbookNames(cfg, {same}));
    EXPECT_EQ(cfg.value(SecFiles, ExcelFileOffenses), "Programs.xls");
    EXPECT_EQ(cfg.modified, 0);

    // Saved in another folder under the name the key already holds: the key
    // keeps the name, yet the file written is not the configured one.
    WrittenWorkbook elsewhere{ExcelFileFelonyBreakdowns, "/other/PrisonByFelony.xls", true, "PrisonByFelony.xls"};
    EXPECT_TRUE(takeWrittenWorkbookNames(cfg, {same, elsewhere}));
    EXPECT_EQ(cfg.value(SecFiles, ExcelFileFelonyBreakdowns), "PrisonByFelony.xls");
    EXPECT_EQ(cfg.modified, 1);
}

} // namespace
} // namespace kov::ui
