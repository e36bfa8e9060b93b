// The folders of src/ depend one way: a file includes headers of its own
// layer or of the layers below it, never of one above.
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace kov {
namespace {

// Lowest first. The core's writers (text, CSV) read a finished run; the Qt
// writers (charts, workbooks) and their hooks sit above everything they draw.
const std::vector<std::string> Layers = {
    "base",      "config",     "input",          "engine",         "run",
    "reports/text", "reports/csv", "results",     "costs",          "actuals",
    "replicates", "scenarios", "sweeps",         "reports/common", "reports/graphs",
    "reports/workbooks", "reports/hooks", "cli", "ui"};

/// Index of the layer of a path under src/ (or of an include), -1 for none.
int layerOf(const std::string& path) {
    int best = -1;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < Layers.size(); ++i)
        if (path.rfind(Layers[i] + "/", 0) == 0 && Layers[i].size() > longest) {
            best = static_cast<int>(i);
            longest = Layers[i].size();
        }
    return best;
}

TEST(Layers, NoFolderIncludesOneAboveIt) {
    namespace fs = std::filesystem;
    const fs::path src = test::sourceFile("src");
    const std::regex include(R"re(#include "([^"]+)")re");
    std::vector<std::string> upward;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const std::string rel = fs::relative(entry.path(), src).generic_string();
        const int mine = layerOf(rel);
        if (mine < 0) continue;
        ++files;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (std::regex_search(line, m, include) && layerOf(m[1]) > mine) upward.push_back(rel + " -> " + m[1].str());
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(upward.empty()) << ::testing::PrintToString(upward);
    EXPECT_EQ(layerOf("run/simulation.h"), 4);
}

} // namespace
} // namespace kov
