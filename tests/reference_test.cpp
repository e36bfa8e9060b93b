// Agreement with six reference runs written by an independent implementation:
// each set is run with the kovary command on a scratch copy and every expected
// file is compared byte for byte (DATE and TIME lines masked, the run's own
// data directory and configuration path put in place of @DATADIR@ and @CONFIG@).
#include "support/run_cli.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

// Every expected file is compared whole.
struct Expected {
    const char* set;
    const char* file;
};

void PrintTo(const Expected& e, std::ostream* os) { *os << e.set << "/" << e.file; }

const Expected kExpected[] = {
    {"set1", "tables_101.out"},
    {"set1", "county_101.out"},
    {"set1", "feltab.out"},
    {"set2", "tables_102.out"},
    {"set2", "county_102.out"},
    {"set2", "feltab.out"},
    {"set3", "tables_103.out"},
    {"set3", "county_103.out"},
    {"set3", "feltab.out"},
    {"set4", "tables_104.out"},
    {"set4", "county_104.out"},
    {"set4", "feltab.out"},
    {"set4", "stock_104.out"},
    {"set5", "tables_105.out"},
    {"set5", "county_105.out"},
    {"set5", "feltab.out"},
    {"set6", "tables_106.out"},
    {"set6", "county_106.out"},
    {"set6", "feltab.out"},
};

bool isClockLine(const std::string& line) { return line.rfind(" DATE: ", 0) == 0 || line.rfind(" TIME: ", 0) == 0; }

class ReferenceRun : public ::testing::TestWithParam<Expected> {};

TEST_P(ReferenceRun, AgreesLineByLine) {
    const Expected& e = GetParam();
    ScratchDir dir(std::string("reference/") + e.set);
    const test::CliResult run = test::kovary(dir, "run " + dir.quoted("run.kov"));
    ASSERT_EQ(run.code, 0) << e.set << ": the run failed:\n" << run.err;

    std::string expected = test::readBytes(test::testDataPath(std::string("reference/") + e.set + "/expected/" + e.file));
    expected = test::replaceAll(expected, "@DATADIR@", dir.str());
    expected = test::replaceAll(expected, "@CONFIG@", dir.file("run.kov"));
    const std::string actual = dir.read(e.file);
    const auto want = test::splitLines(expected), got = test::splitLines(actual);
    for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
        const std::string w = i < want.size() ? want[i] : "<end of file>";
        const std::string g = i < got.size() ? got[i] : "<end of file>";
        if (isClockLine(w) && isClockLine(g)) continue;
        ASSERT_EQ(w, g) << e.set << "/" << e.file << " line " << i + 1;
    }
    EXPECT_EQ(expected.empty(), actual.empty());
}

std::string nameOf(const ::testing::TestParamInfo<Expected>& info) {
    std::string n = std::string(info.param.set) + "_" + info.param.file;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Sets, ReferenceRun, ::testing::ValuesIn(kExpected), nameOf);

} // namespace
} // namespace kov
