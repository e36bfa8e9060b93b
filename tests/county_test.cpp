// The county file: one county a line, read as the run reads it, however the
// lines end and whatever is wrong with them.
#include "input/county.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kov {
namespace {

using Row = std::tuple<std::string, int, int, int, int, int>; // name, the four counts, jail level

std::vector<Row> countiesOf(const std::string& text) {
    const test::ScratchDir dir;
    StateTables st;
    RecordingHost host;
    EXPECT_TRUE(readCounties(dir.put("c.inp", text), st, host));
    EXPECT_TRUE(host.messages.empty()) << host.joined();
    std::vector<Row> rows;
    for (const County& c : st.Counties) rows.emplace_back(c.name, c.count1, c.count2, c.count3, c.count4, c.jailLevel);
    EXPECT_EQ(st.numberOfCounties(), static_cast<int>(rows.size()));
    return rows;
}

TEST(County, EveryLineCountsWhateverItsEnding) {
    const std::string three = "1 A ..... 1 2 3 4 1\n2 B ..... 5 6 7 8 2\n3 C ..... 9 10 11 12 3";
    for (const std::string& text : {three + "\n", three, three + "\r\n"}) {
        const auto rows = countiesOf(text);
        ASSERT_EQ(rows.size(), 3u) << "the last county is kept with or without its line end";
        EXPECT_EQ(rows[2], Row("C ", 9, 10, 11, 12, 3));
    }
    // A trailing empty line is a county of its own, all zeros; an empty file has none.
    EXPECT_EQ(countiesOf(three + "\n\n").back(), Row("", 0, 0, 0, 0, 0));
    EXPECT_TRUE(countiesOf("").empty());
}

TEST(County, NamesKeepTheirBlanksAndAreCutTo27Characters) {
    EXPECT_EQ(countiesOf("7 Big Lake ........ 12 3 4 5 2\n"
                         "  8    Two  Rivers   ....... 1 2 3 4 1\n"
                         "9 A county whose name runs much longer .... 6 7 8 9 3\n"),
              (std::vector<Row>{{"Big Lake ", 12, 3, 4, 5, 2},
                                {"Two  Rivers   ", 1, 2, 3, 4, 1},
                                {"A county whose name runs mu", 6, 7, 8, 9, 3}}));
}

TEST(County, MalformedLinesLeaveZeros) {
    EXPECT_EQ(countiesOf("Adams ........ 1 2 3 4 2\n" // no county number: nothing is read
                         "5 Somewhere\n"               // no dot leader: the name only
                         "6 Cedar ........ 10 20\n"    // fields stop after the second count
                         "7 Dale ........ 1 x 3 4 1\n" // a field that is no number ends the line
                         "8 Elm ........\n"),
              (std::vector<Row>{{"", 0, 0, 0, 0, 0},
                                {"Somewhere", 0, 0, 0, 0, 0},
                                {"Cedar ", 10, 20, 0, 0, 0},
                                {"Dale ", 1, 0, 0, 0, 0},
                                {"Elm ", 0, 0, 0, 0, 0}}));
}

} // namespace
} // namespace kov
