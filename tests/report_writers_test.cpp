// The kovary program's charts and workbooks: written by a build with Qt; a
// build without it leaves them out and says so once, never silently.
#include "support/run_cli.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kov {
namespace {

namespace fs = std::filesystem;

constexpr bool WithQt = KOVARY_TEST_WITH_QT != 0;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::size_t filesEndingIn(const fs::path& folder, const std::string& suffix) {
    std::size_t n = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) n += entry.path().string().ends_with(suffix);
    return n;
}

TEST(ReportWriters, RunWritesGraphsAndWorkbookOrSaysOnceItCannot) {
    test::ScratchDir demo("../data/demo");
    const std::string run = "run " + demo.quoted("demo.kov");
    test::CliResult r = test::kovary(demo, run);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(count(r.err, "not written"), 0u) << "a run that asks for neither says nothing of them: " << r.err;

    // An older workbook is kept as the backup; the configuration file is left as it was.
    demo.write("KOVExcel.xlsx", "an older workbook");
    const std::string kov = demo.read("demo.kov");
    r = test::kovary(demo, run + " --set \"RUN PARAMETERS/Create Graphs=1\" --excel");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(count(r.err, "graphs and workbooks are not written"), WithQt ? 0u : 1u) << r.err;
    EXPECT_EQ(count(r.out, "Graph: "), WithQt ? 10u : 0u) << r.out;
    EXPECT_EQ(count(r.out, "Workbook: " + demo.file("KOVExcel.xlsx") + "\n"), WithQt ? 1u : 0u) << r.out;
    EXPECT_EQ(filesEndingIn(demo.path(), ".bmp"), WithQt ? 10u : 0u);
    EXPECT_EQ(demo.exists("KOVExcel.xlsx.bak"), WithQt);
    EXPECT_EQ(demo.read(WithQt ? "KOVExcel.xlsx.bak" : "KOVExcel.xlsx"), "an older workbook");
    EXPECT_EQ(demo.read("demo.kov"), kov);
}

TEST(ReportWriters, CompareDrawsChartsOrSaysOnceItCannot) {
    test::ScratchDir demo("../data/demo");
    fs::copy_file(demo.file("demo.kov"), demo.file("policy.kov"));
    const test::CliResult r = test::kovary(demo, "compare " + demo.quoted("demo.kov") + " " +
                                                     demo.quoted("policy.kov") + " --out " + demo.quoted("out") +
                                                     " --jobs 2");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(count(r.err, "charts are not drawn"), WithQt ? 0u : 1u) << r.err;
    EXPECT_EQ(filesEndingIn(demo.path() / "out", ".png") > 0, WithQt);
    EXPECT_EQ(filesEndingIn(demo.path() / "out", ".svg") + filesEndingIn(demo.path() / "out", ".png") > 0, WithQt);
}

} // namespace
} // namespace kov
