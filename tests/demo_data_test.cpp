// The committed demonstration data set (data/demo) is exactly what the
// generator writes with its default arguments; the golden runs pin what a run
// makes of it.
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using kov::test::readBytes;

const fs::path kDemoDir = fs::path(KOVARY_SOURCE_DIR) / "data" / "demo";

fs::path findGenerator() {
    for (const fs::path& at : {fs::path(KOVARY_CLI_PATH).parent_path(), fs::current_path() / ".."})
        if (fs::exists(at / "kovary-demo-data")) return at / "kovary-demo-data";
    return {};
}

// Runs the generator into out (quiet); its exit code.
int runGenerator(const fs::path& out, const std::string& args) {
    const fs::path exe = findGenerator();
    const std::string outArg = out.empty() ? "" : " --out \"" + out.string() + "\"";
    const int raw = std::system(("\"" + exe.string() + "\"" + outArg + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

bool sameAsCommitted(const fs::path& out, const std::string& name) {
    return readBytes((out / name).string()) == readBytes((kDemoDir / name).string());
}

TEST(DemoData, DefaultArgumentsReproduceTheCommittedFiles) {
    if (findGenerator().empty()) GTEST_SKIP() << "kovary-demo-data is not built";
    const kov::test::ScratchDir dir;
    const fs::path out = dir.path() / "out";
    ASSERT_EQ(runGenerator(out, ""), 0);

    // The demonstration run writes its outputs beside the data; only inputs are compared.
    std::set<std::string> committed, written;
    for (const auto& entry : fs::directory_iterator(kDemoDir)) {
        const std::string name = entry.path().filename().string(), ext = entry.path().extension().string();
        const bool output = name == "README.md" || name == "DataExch.qnf" || name.starts_with("fiscal-costs.") ||
                            name.starts_with("accuracy.") || name == "compare" || ext == ".out" || ext == ".bak" ||
                            ext == ".bmp" || ext == ".png" || ext == ".xlsx";
        if (!output) committed.insert(name);
    }
    for (const auto& entry : fs::directory_iterator(out)) written.insert(entry.path().filename().string());
    EXPECT_EQ(written, committed);
    for (const std::string& name : committed) EXPECT_TRUE(sameAsCommitted(out, name)) << name << " differs";
}

TEST(DemoData, OtherSizesKeepTheVolumeAndBadArgumentsAreRefused) {
    if (findGenerator().empty()) GTEST_SKIP() << "kovary-demo-data is not built";
    const kov::test::ScratchDir dir;
    const fs::path out = dir.path() / "out";
    ASSERT_EQ(runGenerator(out, " --cases 40 --stock-cases 15 --seed 7"), 0);
    const auto court = kov::test::splitLines(readBytes((out / "courtm.inp").string()));
    ASSERT_EQ(court.size(), 40u);
    // The weights (field 18) are scaled to one year's volume whatever the sample size.
    double weights = 0;
    for (const auto& line : court) {
        std::istringstream fields(line);
        std::string f;
        for (int i = 0; i < 18; ++i) fields >> f;
        weights += std::atof(f.c_str());
    }
    EXPECT_NEAR(weights, 12000.0, 0.01);
    EXPECT_EQ(kov::test::splitLines(readBytes((out / "stockm.inp").string())).size(), 15u);
    // Files that do not depend on the sizes or the seed stay as committed.
    EXPECT_TRUE(sameAsCommitted(out, "courtp.inp"));
    EXPECT_TRUE(sameAsCommitted(out, "labels.inp"));

    EXPECT_EQ(runGenerator(out, " --cases 0"), 2);
    EXPECT_EQ(runGenerator(out, " --stock-cases 100000"), 2);
    EXPECT_EQ(runGenerator({}, " --cases 10"), 2) << "--out is required";
}

} // namespace
