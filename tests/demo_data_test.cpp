// The committed demonstration data set (data/demo) is exactly what the
// generator writes with its default arguments; the golden runs pin what a run
// makes of it.
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <iterator>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using kov::test::readBytes;

const fs::path kDemoDir = fs::path(KOVARY_SOURCE_DIR) / "data" / "demo";

std::vector<std::string> readLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

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

// Runs the generator without a shell; its own output goes to /dev/null.
int runGenerator(const fs::path& exe, const std::vector<std::string>& args) {
    std::vector<std::string> argvText = {exe.string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
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
    ASSERT_EQ(runGenerator(exe, {"--out", out.string()}), 0);

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
    ASSERT_EQ(runGenerator(exe, {"--out", out.string(), "--cases", "40", "--stock-cases",
                                 "15", "--seed", "7"}),
              0);
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

    EXPECT_EQ(runGenerator(exe, {"--out", out.string(), "--cases", "0"}), 2);
    EXPECT_EQ(runGenerator(exe, {"--out", out.string(), "--stock-cases", "100000"}), 2);
    EXPECT_EQ(runGenerator(exe, {"--cases", "10"}), 2) << "--out is required";
}
