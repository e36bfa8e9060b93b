// Trend weights by group: fifteen years of every felony type, group by group,
// whatever separates the numbers; a missing file turns the customizations off.
#include "config/run_parameters.h"
#include "input/trend_weights.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

struct Read {
    StateTables st;
    RunParameters p;
    RecordingHost host;
    bool loaded = false;
    /// Two felony types; customizations on and every trend weight 0.5 before the file is read.
    explicit Read(const std::string& path, const std::string& configured = "w.txt") {
        st.Values[VarFelonyType].count = 2;
        for (Series& year : st.TrendsByAdmissionGroup) year.assign(2, 0.0);
        p.NorvaleCustomizations = 1;
        p.TrendWeights.fill(0.5);
        EXPECT_TRUE(readTrendWeights(path, configured, p, st, host, &loaded)) << "the run goes on";
    }
    double at(int year, int group) const {
        return st.TrendsByAdmissionGroup[static_cast<std::size_t>(year)][static_cast<std::size_t>(group)];
    }
};

/// Numbers 1..n: group g year y holds g * 15 + y + 1.
std::string numbered(int n, const char* separator) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += std::to_string(i) + separator;
    return s;
}

TEST(TrendWeights, FillsEveryGroupYearByYear) {
    test::ScratchDir dir;
    for (const char* separator : {" ", "\n", "\r\n"}) {
        const Read r(dir.put("w.txt", numbered(30, separator)));
        EXPECT_TRUE(r.loaded);
        EXPECT_TRUE(r.host.messages.empty());
        EXPECT_DOUBLE_EQ(r.at(0, 0), 1.0);
        EXPECT_DOUBLE_EQ(r.at(14, 0), 15.0);
        EXPECT_DOUBLE_EQ(r.at(0, 1), 16.0);
        EXPECT_DOUBLE_EQ(r.at(14, 1), 30.0);
        // Backup years become 1.0; the simulation years keep their configured values.
        for (std::size_t y = 0; y < 30; ++y) EXPECT_DOUBLE_EQ(r.p.TrendWeights[y], y < 15 ? 1.0 : 0.5) << y;
        EXPECT_EQ(r.p.NorvaleCustomizations, 1);
    }
    // Numbers missing at the end stay 0: the second group has years one to five (16..20).
    const Read r(dir.put("w.txt", numbered(20, " ")));
    EXPECT_DOUBLE_EQ(r.at(4, 1), 20.0);
    for (int y = 5; y < 15; ++y) EXPECT_DOUBLE_EQ(r.at(y, 1), 0.0) << y;
    EXPECT_DOUBLE_EQ(r.at(14, 0), 15.0);
}

TEST(TrendWeights, MissingFileTurnsTheCustomizationsOff) {
    const test::ScratchDir dir;
    const Read r(dir.file("no_such_trends.txt"), "Weights\\trend.txt");
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.p.NorvaleCustomizations, 0);
    EXPECT_DOUBLE_EQ(r.p.TrendWeights[0], 0.5) << "nothing else changes";
    EXPECT_EQ(r.host.only(MessageIcon::Plain), "Trend Weight File\nWeights\\trend.txt\nCould not be opened!\nPlease "
                                               "check the name and path in the Set Up Menu.\nNorvale Customizations "
                                               "are no longer in effect.");
}

} // namespace
} // namespace kov
