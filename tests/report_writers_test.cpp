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

bool anyFileEndingIn(const fs::path& folder, const std::string& suffix) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
    }
    return false;
}

struct Demo {
    test::ScratchDir dir;
    Demo() { fs::copy(test::sourceFile("data/demo"), dir.path(), fs::copy_options::recursive); }
    std::string file(const std::string& name) const { return "\"" + dir.file(name) + "\""; }
};

TEST(ReportWriters, RunWritesGraphsAndWorkbookOrSaysOnceItCannot) {
    Demo demo;
    const test::CliResult r =
        test::kovary(demo.dir, "run " + demo.file("demo.kov") + " --set \"RUN PARAMETERS/Create Graphs=1\" --excel");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string note = "graphs and workbooks are not written";
    if (WithQt) {
        EXPECT_EQ(count(r.err, note), 0u) << r.err;
        EXPECT_GT(count(r.out, "Graph: "), 0u) << r.out;
        EXPECT_EQ(count(r.out, "Workbook: "), 1u) << r.out;
    } else {
        EXPECT_EQ(count(r.err, note), 1u) << r.err;
        EXPECT_EQ(count(r.out, "Graph: ") + count(r.out, "Workbook: "), 0u) << r.out;
        EXPECT_FALSE(anyFileEndingIn(demo.dir.path(), ".bmp"));
        EXPECT_FALSE(anyFileEndingIn(demo.dir.path(), ".xlsx"));
    }
}

TEST(ReportWriters, RunThatAsksForNeitherSaysNothingOfThem) {
    Demo demo;
    const test::CliResult r = test::kovary(demo.dir, "run " + demo.file("demo.kov"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(count(r.err, "not written"), 0u) << r.err;
}

TEST(ReportWriters, CompareDrawsChartsOrSaysOnceItCannot) {
    Demo demo;
    fs::copy_file(demo.dir.file("demo.kov"), demo.dir.file("policy.kov"));
    const test::CliResult r = test::kovary(
        demo.dir, "compare " + demo.file("demo.kov") + " " + demo.file("policy.kov") + " --out " + demo.file("out") +
                      " --jobs 2");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string note = "charts are not drawn";
    if (WithQt) {
        EXPECT_EQ(count(r.err, note), 0u) << r.err;
        EXPECT_TRUE(anyFileEndingIn(demo.dir.path() / "out", ".png"));
    } else {
        EXPECT_EQ(count(r.err, note), 1u) << r.err;
        EXPECT_FALSE(anyFileEndingIn(demo.dir.path() / "out", ".png"));
        EXPECT_FALSE(anyFileEndingIn(demo.dir.path() / "out", ".svg"));
    }
}

} // namespace
} // namespace kov
