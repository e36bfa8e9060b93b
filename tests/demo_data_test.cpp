// The committed demonstration data set (data/demo) is exactly what the
// generator writes with its default arguments; the golden runs pin what a run
// makes of it.
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using kov::test::readBytes;

const fs::path kDemoDir = fs::path(KOVARY_SOURCE_DIR) / "data" / "demo";

std::vector<std::string> readLines(const fs::path& path) { return kov::test::splitLines(readBytes(path.string())); }

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string f; in >> f;) fields.push_back(f);
    return fields;
}

fs::path findGenerator() {
    const fs::path besideCli = fs::path(KOVARY_CLI_PATH).parent_path() / "kovary-demo-data";
    if (fs::exists(besideCli)) return besideCli;
    const fs::path parent = fs::current_path() / ".." / "kovary-demo-data";
    if (fs::exists(parent)) return parent;
    return {};
}

// Runs the generator; its own output goes to /dev/null.
int runGenerator(const fs::path& exe, const std::string& args) {
    const int raw = std::system(("\"" + exe.string() + "\" " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::set<std::string> fileNames(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(DemoData, DefaultArgumentsReproduceTheCommittedFiles) {
    const fs::path exe = findGenerator();
    if (exe.empty()) GTEST_SKIP() << "kovary-demo-data is not built";
    const kov::test::ScratchDir dir;
    const fs::path out = dir.path() / "out";
    const std::string outArg = "--out \"" + out.string() + "\"";
    ASSERT_EQ(runGenerator(exe, outArg), 0);

    // The demonstration run writes its outputs beside the data; only inputs are compared.
    auto committed = fileNames(kDemoDir);
    for (auto it = committed.begin(); it != committed.end();) {
        const std::string ext = fs::path(*it).extension().string();
        const bool output = *it == "README.md" || *it == "DataExch.qnf" || it->rfind("fiscal-costs.", 0) == 0 ||
                            it->rfind("accuracy.", 0) == 0 || *it == "compare" ||
                            ext == ".out" || ext == ".bak" ||
                            ext == ".bmp" || ext == ".png" || ext == ".xlsx";
        it = output ? committed.erase(it) : std::next(it);
    }
    EXPECT_EQ(fileNames(out), committed);
    for (const std::string& name : committed) {
        EXPECT_TRUE(readBytes((out / name).string()) == readBytes((kDemoDir / name).string()))
            << name << " differs from the generator's output";
    }
}

TEST(DemoData, OtherSizesKeepTheVolumeAndBadArgumentsAreRefused) {
    const fs::path exe = findGenerator();
    if (exe.empty()) GTEST_SKIP() << "kovary-demo-data is not built";
    const kov::test::ScratchDir dir;
    const fs::path out = dir.path() / "out";
    const std::string outArg = "--out \"" + out.string() + "\"";
    ASSERT_EQ(runGenerator(exe, outArg + " --cases 40 --stock-cases 15 --seed 7"), 0);
    const auto court = readLines(out / "courtm.inp");
    ASSERT_EQ(court.size(), 40u);
    double weights = 0;
    for (const auto& line : court) weights += std::atof(fieldsOf(line).at(17).c_str());
    // The weights are scaled to one year's volume whatever the sample size.
    EXPECT_NEAR(weights, 12000.0, 0.01);
    EXPECT_EQ(readLines(out / "stockm.inp").size(), 15u);
    // Files that do not depend on the sizes or the seed stay as committed.
    EXPECT_EQ(readBytes((out / "courtp.inp").string()), readBytes((kDemoDir / "courtp.inp").string()));
    EXPECT_EQ(readBytes((out / "labels.inp").string()), readBytes((kDemoDir / "labels.inp").string()));

    EXPECT_EQ(runGenerator(exe, outArg + " --cases 0"), 2);
    EXPECT_EQ(runGenerator(exe, outArg + " --stock-cases 100000"), 2);
    EXPECT_EQ(runGenerator(exe, "--cases 10"), 2) << "--out is required";
}
