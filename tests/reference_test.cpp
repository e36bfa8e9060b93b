// Agreement with six reference runs written by an independent implementation:
// each set is run with the kovary command on a scratch copy and every expected
// file is compared byte for byte (DATE and TIME lines masked, the run's own
// data directory and configuration path put in place of @DATADIR@ and @CONFIG@).
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

// How much of an expected file is compared. A comparison only ever grows.
enum class Extent { Report, Whole };

struct Expected {
    const char* set;
    const char* file;
    Extent extent;
};

void PrintTo(const Expected& e, std::ostream* os) { *os << e.set << "/" << e.file; }

const Expected kExpected[] = {
    {"set1", "tables_101.out", Extent::Report},
    {"set1", "county_101.out", Extent::Whole},
    {"set2", "tables_102.out", Extent::Report},
    {"set2", "county_102.out", Extent::Whole},
    {"set3", "tables_103.out", Extent::Report},
    {"set3", "county_103.out", Extent::Whole},
    {"set4", "tables_104.out", Extent::Report},
    {"set4", "county_104.out", Extent::Whole},
    {"set5", "tables_105.out", Extent::Report},
    {"set5", "county_105.out", Extent::Whole},
    {"set6", "tables_106.out", Extent::Report},
    {"set6", "county_106.out", Extent::Whole},
    {"set4", "stock_104.out", Extent::Whole},
    {"set1", "feltab.out", Extent::Whole},
    {"set3", "feltab.out", Extent::Whole},
    {"set5", "feltab.out", Extent::Whole},
    {"set6", "feltab.out", Extent::Whole},
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// The summary report ends with the blank line after its last weighted average.
std::string reportPart(const std::string& text) {
    const std::size_t at = text.rfind("(weighted) = ");
    if (at == std::string::npos) return text;
    const std::size_t end = text.find("\n\n", at);
    return end == std::string::npos ? text : text.substr(0, end + 2);
}

bool isClockLine(const std::string& line) { return line.rfind(" DATE: ", 0) == 0 || line.rfind(" TIME: ", 0) == 0; }

class ReferenceRun : public ::testing::TestWithParam<Expected> {};

TEST_P(ReferenceRun, AgreesLineByLine) {
    const Expected& e = GetParam();
    ScratchDir dir;
    dir.copyFrom(std::string("reference/") + e.set);
    const std::string command = std::string("\"") + KOVARY_CLI_PATH + "\" run \"" + dir.file("run.kov") +
                                "\" >\"" + dir.file("stdout.txt") + "\" 2>\"" + dir.file("stderr.txt") + "\"";
    const int rc = std::system(command.c_str());
    ASSERT_EQ(rc, 0) << e.set << ": the run failed:\n" << dir.read("stderr.txt");

    std::string expected = test::readBytes(test::testDataPath(std::string("reference/") + e.set + "/expected/" + e.file));
    expected = replaceAll(expected, "@DATADIR@", dir.str());
    expected = replaceAll(expected, "@CONFIG@", dir.file("run.kov"));
    std::string actual = dir.read(e.file);
    if (e.extent == Extent::Report) {
        expected = reportPart(expected);
        actual = reportPart(actual);
    }
    const auto want = lines(expected), got = lines(actual);
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
    return n + (info.param.extent == Extent::Report ? "_report" : "");
}

INSTANTIATE_TEST_SUITE_P(Sets, ReferenceRun, ::testing::ValuesIn(kExpected), nameOf);

} // namespace
} // namespace kov
