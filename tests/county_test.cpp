#include "input/county.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

void expectCounty(const County& c, const std::string& name, int c1, int c2, int c3, int c4, int level) {
    EXPECT_EQ(c.name, name);
    EXPECT_EQ(c.count1, c1);
    EXPECT_EQ(c.count2, c2);
    EXPECT_EQ(c.count3, c3);
    EXPECT_EQ(c.count4, c4);
    EXPECT_EQ(c.jailLevel, level);
}

TEST(County, EveryLineCountsWhateverItsEnding) {
    test::ScratchDir dir;
    const std::string three = "1 A ..... 1 2 3 4 1\n2 B ..... 5 6 7 8 2\n3 C ..... 9 10 11 12 3";
    for (const std::string& text : {three + "\n", three, three + "\r\n"}) {
        StateTables st;
        RecordingHost host;
        ASSERT_TRUE(readCounties(dir.put("c.inp", text), st, host));
        ASSERT_EQ(st.numberOfCounties(), 3) << "the last county is kept with or without its line end";
        expectCounty(st.Counties[2], "C ", 9, 10, 11, 12, 3);
    }
    StateTables st;
    RecordingHost host;
    // A trailing empty line is a county of its own, all zeros.
    ASSERT_TRUE(readCounties(dir.put("c.inp", three + "\n\n"), st, host));
    ASSERT_EQ(st.numberOfCounties(), 4);
    expectCounty(st.Counties[3], "", 0, 0, 0, 0, 0);
    // An empty file has no counties.
    ASSERT_TRUE(readCounties(dir.put("c.inp", ""), st, host));
    EXPECT_EQ(st.numberOfCounties(), 0);
}

TEST(County, NamesKeepTheirBlanksAndAreCutTo27Characters) {
    test::ScratchDir dir;
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readCounties(dir.put("c.inp", "7 Big Lake ........ 12 3 4 5 2\n"
                                             "  8    Two  Rivers   ....... 1 2 3 4 1\n"
                                             "9 A county whose name runs much longer .... 6 7 8 9 3\n"),
                             st, host));
    ASSERT_EQ(st.numberOfCounties(), 3);
    expectCounty(st.Counties[0], "Big Lake ", 12, 3, 4, 5, 2);
    expectCounty(st.Counties[1], "Two  Rivers   ", 1, 2, 3, 4, 1);
    // 27 characters of "A county whose name runs much longer " and the counts unharmed.
    expectCounty(st.Counties[2], "A county whose name runs mu", 6, 7, 8, 9, 3);
}

TEST(County, MalformedLinesLeaveZeros) {
    test::ScratchDir dir;
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readCounties(dir.put("c.inp", "Adams ........ 1 2 3 4 2\n" // no county number: nothing is read
                                             "5 Somewhere\n"               // no dot leader: the name only
                                             "6 Cedar ........ 10 20\n"    // fields stop after the second count
                                             "7 Dale ........ 1 x 3 4 1\n" // a field that is no number ends the line
                                             "8 Elm ........\n"),
                             st, host));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(st.numberOfCounties(), 5);
    expectCounty(st.Counties[0], "", 0, 0, 0, 0, 0);
    expectCounty(st.Counties[1], "Somewhere", 0, 0, 0, 0, 0);
    expectCounty(st.Counties[2], "Cedar ", 10, 20, 0, 0, 0);
    expectCounty(st.Counties[3], "Dale ", 1, 0, 0, 0, 0);
    expectCounty(st.Counties[4], "Elm ", 0, 0, 0, 0, 0);
}

} // namespace
} // namespace kov
