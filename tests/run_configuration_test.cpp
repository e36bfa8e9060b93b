#include "config/run_configuration.h"

#include "support/configuration.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kov {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::sourceFile;
using test::writeBytes;
namespace fs = std::filesystem;

void expectDefaults(const RunConfiguration& cfg) {
    for (int s = 0; s < SectionCount; ++s)
        for (int k = 0; k < RunConfiguration::SectionKeyCounts[static_cast<std::size_t>(s)]; ++k)
            EXPECT_EQ(cfg.value(s, k), RunConfiguration::SectionDefault(s, k)) << s << "/" << k;
}

TEST(RunConfiguration, ValueChangesMarkTheConfigurationModified) {
    RunConfiguration cfg;
    cfg.setValue(SecRun, CourtVolumeKey, "1.00");
    EXPECT_EQ(cfg.modified, 0) << "the same text is no change";
    cfg.setValue(SecRun, CourtVolumeKey, "2.5");
    EXPECT_EQ(cfg.modified, 1);
    cfg.setValue(SecGraphs, 10, "x"); // no such key: nothing happens
    EXPECT_FALSE(cfg.isOn(SecRun, ShowGraph)) << "an empty switch is off";
    cfg.SetDefaults();
    EXPECT_EQ(cfg.modified, 0);
    expectDefaults(cfg);
}

TEST(RunConfiguration, MissingFileAndMissingKeysReadAsDefaults) {
    ScratchDir dir;
    RunConfiguration cfg;
    cfg.setValue(SecRun, CourtVolumeKey, "7");
    cfg.filePath = dir.file("nothing here.kov");
    EXPECT_EQ(cfg.ReadFromFile(), 1);
    EXPECT_EQ(cfg.title, "Default") << "not the demonstration title";
    EXPECT_EQ(cfg.modified, 0);
    EXPECT_EQ(cfg.filePath, dir.file("nothing here.kov"));
    expectDefaults(cfg);

    // Only a title (letter case and lengths are the INI layer's): everything else at its default.
    writeBytes(cfg.filePath, "[title]\nTITLE=X\n");
    cfg.ReadFromFile();
    EXPECT_EQ(cfg.title, "X");
    expectDefaults(cfg);
    RunParameters p;
    p.TrendWeights.fill(0.0);
    ApplyToRunParameters(cfg, p, nullptr);
    for (double w : p.TrendWeights) EXPECT_DOUBLE_EQ(w, 1.0);
}

TEST(RunConfiguration, WritingAWholeFileReproducesItByteForByte) {
    // The reference file holds every key in table order; reading it and writing
    // it to a new path must give the same bytes, which pins names and order.
    ScratchDir dir;
    RunConfiguration cfg = kov::test::readConfiguration(sourceFile("tests/data/config/set1_run.kov"));
    cfg.modified = 1;
    ASSERT_EQ(cfg.WriteToFile(dir.file("copy.kov")), 1);
    EXPECT_EQ(cfg.modified, 0);
    EXPECT_EQ(readBytes(dir.file("copy.kov")), readBytes(cfg.filePath));

    // A fresh configuration written reads back as every default, empty ones included.
    ASSERT_EQ(RunConfiguration().WriteToFile(dir.file("new.kov")), 1);
    const RunConfiguration back = kov::test::readConfiguration(dir.file("new.kov"));
    EXPECT_EQ(back.title, RunConfiguration().title);
    expectDefaults(back);
}

TEST(RunConfiguration, SavingChangesKeepsEveryOtherLine) {
    ScratchDir dir;
    const std::string path = dir.file("run.kov");
    const std::string original = readBytes(sourceFile("tests/data/config/set2_run.kov"));
    writeBytes(path, original);
    RunConfiguration cfg = kov::test::readConfiguration(path);
    cfg.setValue(SecRun, CourtVolumeKey, "3.0");              // "Court Volume=2.0"
    cfg.setValue(SecTrendBackup, 2, "0.50");                  // "THREE=0.90"
    RecordingHost host;
    ASSERT_EQ(cfg.Save(host), 1) << host.joined();
    EXPECT_EQ(cfg.modified, 0);

    // The 18 keys missing from the file are added; apart from them and the two
    // changed lines, the original lines follow in their order, byte for byte.
    const auto before = test::splitLines(original);
    const auto after = test::splitLines(readBytes(path));
    ASSERT_EQ(after.size(), before.size() + 18);
    std::size_t j = 0;
    for (const auto& line : before) {
        std::string expected = line;
        if (line == "Court Volume=2.0") expected = "Court Volume=3.0";
        if (line == "THREE=0.90") expected = "THREE=0.50";
        while (j < after.size() && after[j] != expected) ++j;
        ASSERT_LT(j, after.size()) << "lost: " << line;
        ++j;
    }
    RunConfiguration again;
    again.filePath = path;
    again.ReadFromFile();
    EXPECT_EQ(again.value(SecRun, CourtVolumeKey), "3.0");
    EXPECT_EQ(again.value(SecTrendBackup, 2), "0.50");
    EXPECT_EQ(again.value(SecOutputTables, OutJail), "1");
}

TEST(RunConfiguration, FailedSaveIsReportedAndKeepsTheChanges) {
    ScratchDir dir;
    RunConfiguration cfg;
    cfg.setValue(SecRun, CourtVolumeKey, "2");
    ASSERT_EQ(cfg.modified, 1);

    cfg.filePath = dir.file("gone/run.kov");
    RecordingHost host;
    EXPECT_EQ(cfg.Save(host), 0);
    EXPECT_EQ(cfg.modified, 1);
    EXPECT_EQ(host.only(), "Unable to save configuration file " + cfg.filePath);
    EXPECT_FALSE(fs::exists(dir.file("gone")));
    // A folder, or a file too large to take in whole, in the file's place: the INI layer's test.
}

TEST(RunConfiguration, ApplyConvertsLikeAtofAndAtoi) {
    RunConfiguration cfg;
    cfg.setValue(SecRun, CourtVolumeKey, "1,5");            // atof stops at the comma: 1
    cfg.setValue(SecRun, FirstSimulatedYearKey, "2010.9x"); // atoi takes 2010
    cfg.setValue(SecRun, RandomStartingNumberKey, " 51299");
    cfg.setValue(SecRun, RandomizeMonthKey, "");
    cfg.setValue(SecRelease, RelLenFinePayoff, "-2.5");
    cfg.setValue(SecTrendBackup, 2, "0.90");
    cfg.setValue(SecTrendSimulation, 0, "1.07");
    cfg.setValue(SecTrendSimulation, 14, "abc");
    cfg.setValue(SecPostprison, PostprisonOptions, "9");    // out of range is passed on, not refused

    RunParameters p;
    ApplyToRunParameters(cfg, p, nullptr);
    EXPECT_DOUBLE_EQ(p.CourtVolume, 1.0);
    EXPECT_EQ(p.FirstSimulatedYear, 2010);
    EXPECT_DOUBLE_EQ(p.RandomStartingNumber, 51299.0);
    EXPECT_EQ(p.RandomizeMonth, 0);
    EXPECT_DOUBLE_EQ(p.release[RelLenFinePayoff], -2.5);
    // Fifteen backup years, then fifteen simulated ones.
    EXPECT_DOUBLE_EQ(p.TrendWeights[2], 0.9);
    EXPECT_DOUBLE_EQ(p.TrendWeights[14], 1.0);
    EXPECT_DOUBLE_EQ(p.TrendWeights[15], 1.07);
    EXPECT_DOUBLE_EQ(p.TrendWeights[29], 0.0);
    EXPECT_EQ(p.PostprisonOption, 8) << "option n is read as n - 1";
    cfg.setValue(SecPostprison, PostprisonOptions, "-99999999999");
    ApplyToRunParameters(cfg, p, nullptr);
    EXPECT_LT(p.PostprisonOption, 0);
}

TEST(RunConfiguration, TextWhereANumberBelongsIsReportedOnce) {
    RunConfiguration cfg;
    cfg.setValue(SecRun, CourtVolumeKey, "abc");
    cfg.setValue(SecRun, FirstSimulatedYearKey, ".5"); // no integer there: atoi reads 0
    cfg.setValue(SecRun, SamplingFractionKey, ".5");   // a number for atof
    cfg.setValue(SecRun, ShowGraph, "yes");
    cfg.setValue(SecRun, CasesBetweenGraphs, "   ");   // blank is empty: silent
    cfg.setValue(SecRun, CreateGraphs, "");
    cfg.setValue(SecRelease, LenPreRelease, "1,5");    // atof reads 1: a silent wrong number without the warning
    cfg.setValue(SecGraphs, 9, "on");
    cfg.setValue(SecPostprison, SingleGuidelines, "x");
    // Not numbers by nature: file names, words, graph file names, title.
    cfg.setValue(SecFiles, CountyFile, "abc");
    cfg.setValue(SecWords, ParoleOrRelease, "xyz");
    cfg.setValue(SecGraphFiles, 0, "g.bmp");
    cfg.title = "t";

    const std::vector<std::string> unsaved{
        "Configuration file (unsaved), section [RELEASE PARAMETERS], key \"Length of pre-release\": \"1,5\" is not a number and is read as 1.",
        "Configuration file (unsaved), section [RUN PARAMETERS], key \"Court Volume\": \"abc\" is not a number and is read as 0.",
        "Configuration file (unsaved), section [RUN PARAMETERS], key \"First Simulated Year\": \".5\" is not a number and is read as 0.",
        "Configuration file (unsaved), section [RUN PARAMETERS], key \"Show Graph\": \"yes\" is not a number and is read as 0.",
        "Configuration file (unsaved), section [POSTPRISON OPTIONS], key \"Single Guidelines\": \"x\" is not a number and is read as 0.",
        "Configuration file (unsaved), section [OUTPUT GRAPHS], key \"Entry/Exit Other\": \"on\" is not a number and is read as 0."};
    EXPECT_EQ(numericWarnings(cfg), unsaved);

    cfg.filePath = "/data/run.kov";
    RecordingHost host;
    RunParameters p;
    ApplyToRunParameters(cfg, p, &host);
    ASSERT_EQ(host.messages.size(), 6u) << host.joined();
    EXPECT_EQ(host.messages[1].text,
              "Configuration file /data/run.kov, section [RUN PARAMETERS], key \"Court Volume\": \"abc\" is not a number and is read as 0.");
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Plain);
    EXPECT_DOUBLE_EQ(p.CourtVolume, 0.0) << "the run goes on with 0";
    EXPECT_DOUBLE_EQ(p.release[LenPreRelease], 1.0);

    EXPECT_TRUE(numericWarnings(RunConfiguration()).empty()) << "defaults are clean";
}

} // namespace
} // namespace kov
