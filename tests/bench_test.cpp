// The bench command: data of each size made, run in a child process, and one
// row of measurements per size.
#include "support/run_cli.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

using Result = test::CliResult;
using test::kovary;

// The rows of measurements: cases, wall s, cases/s, peak RSS KiB, ops/case,
// read+check s, read cases/s.
std::vector<std::vector<double>> rowsOf(const std::string& out) {
    std::vector<std::vector<double>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<double> row;
        for (double v; fields >> v;) row.push_back(v);
        if (row.size() == 7 && fields.eof()) rows.push_back(row);
    }
    return rows;
}

TEST(Bench, OneRowPerSizeFromARunInItsOwnProcess) {
    ScratchDir dir;
    const std::string data = dir.file("data");
    const Result r = kovary(dir, "bench --cases 200 600 --dir " + dir.quoted("data"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = rowsOf(r.out);
    ASSERT_EQ(rows.size(), 2u) << r.out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        EXPECT_EQ(row[0], i == 0 ? 200 : 600) << r.out;
        // Cases per second of the wall time, which is printed to the millisecond.
        EXPECT_GT(row[1], 0.0) << "wall time";
        EXPECT_GE(row[2], row[0] / (row[1] + 0.0005) - 1) << r.out;
        EXPECT_LE(row[2], row[0] / std::max(row[1] - 0.0005, 1e-9) + 1) << r.out;
        EXPECT_GT(row[3], 0.0) << "peak memory of the child";
        EXPECT_GT(row[4], 100.0) << "every case makes many counter operations";
        EXPECT_GT(row[6], row[2]) << "reading and checking alone is faster than the run";
    }
    // A folder given is kept, with the run's outputs beside the data.
    EXPECT_TRUE(std::filesystem::exists(data + "/cases-600/courtm.inp"));
    EXPECT_TRUE(std::filesystem::exists(data + "/cases-600/tables.out"));
}

TEST(Bench, ARunThatCannotStartFails) {
    ScratchDir dir;
    const Result r = kovary(dir, "bench-run " + dir.quoted("nothing-here"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("kovary bench:"), std::string::npos) << r.err;
}

} // namespace
} // namespace kov
