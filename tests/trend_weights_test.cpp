#include "config/run_parameters.h"
#include "input/trend_weights.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

StateTables withFelonyTypes(int f) {
    StateTables st;
    st.Values[VarFelonyType].count = f;
    for (Series& year : st.TrendsByAdmissionGroup) year.assign(static_cast<std::size_t>(f), 0.0);
    return st;
}

/// Numbers 1..n, group by group: group g year y holds g * 15 + y + 1.
std::string numbered(int n, const char* separator) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += std::to_string(i) + separator;
    return s;
}

TEST(TrendWeights, FillsEveryGroupYearByYear) {
    test::ScratchDir dir;
    for (const char* separator : {" ", "\n", "\r\n"}) {
        StateTables st = withFelonyTypes(2);
        RunParameters p;
        p.NorvaleCustomizations = 1;
        p.TrendWeights.fill(0.5);
        RecordingHost host;
        bool loaded = false;
        ASSERT_TRUE(readTrendWeights(dir.put("w.txt", numbered(30, separator)), "w.txt", p, st, host, &loaded));
        EXPECT_TRUE(loaded);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[0][0], 1.0);
        EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[14][0], 15.0);
        EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[0][1], 16.0);
        EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[14][1], 30.0);
        // Backup years become 1.0; the simulation years keep their configured values.
        for (int y = 0; y < 15; ++y) EXPECT_DOUBLE_EQ(p.TrendWeights[static_cast<std::size_t>(y)], 1.0);
        for (int y = 15; y < 30; ++y) EXPECT_DOUBLE_EQ(p.TrendWeights[static_cast<std::size_t>(y)], 0.5);
        EXPECT_EQ(p.NorvaleCustomizations, 1);
    }
}

TEST(TrendWeights, NumbersMissingAtTheEndStayZero) {
    test::ScratchDir dir;
    StateTables st = withFelonyTypes(2);
    RunParameters p;
    RecordingHost host;
    ASSERT_TRUE(readTrendWeights(dir.put("w.txt", numbered(20, " ")), "w.txt", p, st, host));
    // The second group has years one to five (16..20), years six to fifteen 0.
    EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[4][1], 20.0);
    for (int y = 5; y < 15; ++y) EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[static_cast<std::size_t>(y)][1], 0.0);
    EXPECT_DOUBLE_EQ(st.TrendsByAdmissionGroup[14][0], 15.0);
}

TEST(TrendWeights, MissingFileTurnsTheCustomizationsOff) {
    StateTables st = withFelonyTypes(2);
    RunParameters p;
    p.NorvaleCustomizations = 1;
    p.TrendWeights.fill(0.5);
    RecordingHost host;
    bool loaded = true;
    EXPECT_TRUE(readTrendWeights(::testing::TempDir() + "no_such_trends.txt", "Weights\\trend.txt", p, st, host,
                                 &loaded))
        << "the run goes on";
    EXPECT_FALSE(loaded);
    EXPECT_EQ(p.NorvaleCustomizations, 0);
    EXPECT_DOUBLE_EQ(p.TrendWeights[0], 0.5) << "nothing else changes";
    EXPECT_EQ(host.only(MessageIcon::Plain), "Trend Weight File\nWeights\\trend.txt\nCould not be opened!\nPlease "
                                             "check the name and path in the Set Up Menu.\nNorvale Customizations "
                                             "are no longer in effect.");
}

} // namespace
} // namespace kov
