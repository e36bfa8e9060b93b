#include "input/labels.h"
#include "input/state_tables.h"
#include "support/recording_host.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kov {
namespace {


/// A fresh folder for one test's input files, removed afterwards.
class LabelsFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        dir_.write(name, text);
        return dir_.file(name);
    }

    test::ScratchDir dir_;
};

std::string referenceFile(const char* name) { return std::string(KOVARY_SOURCE_DIR) + "/tests/data/" + name; }

/// Eight well-formed blocks; blocks[i] is a header and its category lines.
std::vector<std::vector<std::string>> eightBlocks() {
    return {
        {"Gender ........ 2", "Male ........ 0.91", "Female ........ 0.90"},
        {"Race ........ 1", "All ........ 1.00"},
        {"Age ........ 2", "18 ........ 1.00", "Under 18 ........ 1.23"},
        {"Offense ........ 2", "Violent ........ 1.00", "Drug ........ 1.05"},
        {"Sentence Length ........ 1", "Any ........ 1.00"},
        {"Felony Type ........ 1", "Class A ........ 1.00"},
        {"Region ........ 1", "North ........ 1.00"},
        {"Jail Length ........ 2", "1-30 ........ 1.00", "None ........ 1.00"},
    };
}

std::string join(const std::vector<std::vector<std::string>>& blocks, const std::string& eol = "\n") {
    std::string s;
    for (const auto& b : blocks)
        for (const auto& l : b) s += l + eol;
    return s;
}

std::vector<std::string> stopTexts(const RecordingHost& host) {
    std::vector<std::string> out;
    for (const auto& m : host.messages) {
        EXPECT_EQ(m.icon, MessageIcon::Stop) << m.text;
        out.push_back(m.text);
    }
    return out;
}

TEST_F(LabelsFiles, CrLfAndMissingFinalLineEndReadLikeLf) {
    const auto blocks = eightBlocks();
    std::string noFinalEnd = join(blocks);
    noFinalEnd.pop_back();
    std::string loneCr = noFinalEnd + "\r";
    const std::string variants[] = {join(blocks), join(blocks, "\r\n"), noFinalEnd, loneCr};
    int n = 0;
    for (const auto& text : variants) {
        StateTables st;
        RecordingHost host;
        ASSERT_TRUE(readLabels(write("v" + std::to_string(n++) + ".inp", text), st, host)) << host.joined();
        EXPECT_EQ(st.Values[VarGender].name, "Gender");
        EXPECT_EQ(st.Values[VarGender].labelsptr[1].text, "Female");
        EXPECT_DOUBLE_EQ(st.Values[VarGender].labelsptr[1].value, 0.90);
        EXPECT_EQ(st.Values[VarJailLength].name, "Jail Length");
        EXPECT_EQ(st.Values[VarJailLength].labelsptr[1].text, "None");
        EXPECT_DOUBLE_EQ(st.Values[VarJailLength].labelsptr[1].value, 1.0);
    }
}

TEST_F(LabelsFiles, MissingAndTruncatedFiles) {
    {
        StateTables st;
        RecordingHost host;
        const auto path = dir_.file("absent.inp");
        EXPECT_FALSE(readLabels(path, st, host));
        EXPECT_EQ(stopTexts(host), std::vector<std::string>{"Unable to open file " + path});
    }
    {   // Seven blocks: only the eighth header is missing.
        auto blocks = eightBlocks();
        blocks.pop_back();
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("seven.inp", join(blocks)), st, host));
        EXPECT_EQ(stopTexts(host), std::vector<std::string>{"Labels file invalid, 1, i = 7"});
    }
    {   // Cut after the first offense label: message 3 for j = 1, then message 1
        // again for each of the four variables whose header is never found.
        auto blocks = eightBlocks();
        blocks.resize(4);
        blocks[3].pop_back();
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("cut.inp", join(blocks)), st, host));
        EXPECT_EQ(stopTexts(host), (std::vector<std::string>{
                                       "Labels file invalid, 3, i = 3, j = 1", "Labels file invalid, 1, i = 4",
                                       "Labels file invalid, 1, i = 5", "Labels file invalid, 1, i = 6",
                                       "Labels file invalid, 1, i = 7"}));
    }
    {   // Empty file: message 1 for every variable.
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("empty.inp", ""), st, host));
        ASSERT_EQ(host.messages.size(), 8u);
        EXPECT_EQ(host.messages[0].text, "Labels file invalid, 1, i = 0");
        EXPECT_EQ(host.messages[7].text, "Labels file invalid, 1, i = 7");
    }
}

TEST_F(LabelsFiles, MalformedLinesStopTheParsing) {
    {   // No dot leader: the name takes the whole line and no count is left.
        // Later header lines are still read, not parsed: one message only.
        auto blocks = eightBlocks();
        blocks[0][0] = "Gender 2";
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("nodots.inp", join(blocks)), st, host));
        EXPECT_EQ(stopTexts(host), std::vector<std::string>{"Labels file invalid, 2, i = 0"});
    }
    {   // A full stop inside a label text cuts it; "Louis" is no number.
        auto blocks = eightBlocks();
        blocks[6][1] = "St. Louis ........ 1.00";
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("stop.inp", join(blocks)), st, host));
        EXPECT_EQ(stopTexts(host), std::vector<std::string>{"Labels file invalid, 4, i = 6, j = 0"});
    }
    {   // A blank line inside a block.
        auto blocks = eightBlocks();
        blocks[1].insert(blocks[1].begin() + 1, "");
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("blank.inp", join(blocks)), st, host));
        EXPECT_EQ(stopTexts(host), std::vector<std::string>{"Labels file invalid, 4, i = 1, j = 0"});
    }
    {   // A line longer than the 254 characters of the buffer is split: its
        // first part holds no full stop, so no value.
        auto blocks = eightBlocks();
        blocks[2][1] = std::string(260, 'x') + " ........ 1.00";
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(write("long.inp", join(blocks)), st, host));
        EXPECT_EQ(stopTexts(host), std::vector<std::string>{"Labels file invalid, 4, i = 2, j = 0"});
    }
}

TEST_F(LabelsFiles, CountsAreBounded) {
    // Negative, huge, and zero where a lookup or index needs a category.
    struct Case {
        int variable;
        std::string count;
        bool ok;
    };
    const Case cases[] = {
        {0, "-1", false},     {3, "-2147483648", false}, {1, "100001", false}, {6, "99999999999", false},
        {2, "0", false},      {4, "0", false},           {5, "0", false},      {7, "0", false},
        {0, "0", true},       {1, "0", true},            {3, "0", true},       {6, "0", true},
    };
    int n = 0;
    for (const auto& c : cases) {
        auto blocks = eightBlocks();
        auto& block = blocks[static_cast<std::size_t>(c.variable)];
        const auto name = block[0].substr(0, block[0].find(" ...."));
        block.assign({name + " ........ " + c.count});
        // Zero categories: the following header is read next.
        StateTables st;
        RecordingHost host;
        const bool ok = readLabels(write("count" + std::to_string(n++) + ".inp", join(blocks)), st, host);
        EXPECT_EQ(ok, c.ok) << c.variable << " " << c.count;
        if (c.ok) {
            EXPECT_TRUE(host.messages.empty()) << host.joined();
            EXPECT_EQ(st.count(c.variable), 0);
            EXPECT_TRUE(st.Values[static_cast<std::size_t>(c.variable)].labelsptr.empty());
        } else {
            EXPECT_EQ(stopTexts(host),
                      std::vector<std::string>{"Labels file invalid, 2, i = " + std::to_string(c.variable)});
        }
    }
}

TEST_F(LabelsFiles, LongTextsAreCut) {
    auto blocks = eightBlocks();
    const std::string longName(100, 'N');
    blocks[3][0] = "  " + longName + "   ........ 2";
    blocks[3][1] = "   Property offense, non-violent   ........ 1.5";
    blocks[3][2] = "\tDrug\t........\t2.5";
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readLabels(write("long.inp", join(blocks)), st, host)) << host.joined();
    EXPECT_EQ(st.Values[VarOffense].name, std::string(83, 'N'));
    EXPECT_EQ(st.Values[VarOffense].labelsptr[0].text, "Property offens");
    EXPECT_DOUBLE_EQ(st.Values[VarOffense].labelsptr[0].value, 1.5);
    EXPECT_EQ(st.Values[VarOffense].labelsptr[1].text, "Drug");
    EXPECT_DOUBLE_EQ(st.Values[VarOffense].labelsptr[1].value, 2.5);
}

// The user interface's check: plain messages naming the configured file.
TEST_F(LabelsFiles, UserInterfaceCheck) {
    {
        RecordingHost host;
        const auto r = checkLabelsFile(referenceFile("labels_101.inp"), "labels_101.inp", host);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.felonyTypes, 3);
        EXPECT_EQ(r.offenses, 4);
        EXPECT_TRUE(host.messages.empty());
    }
    const auto expectOne = [](const RecordingHost& host, const std::string& text) {
        ASSERT_EQ(host.messages.size(), 1u) << host.joined();
        EXPECT_EQ(host.messages[0].text, text);
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Plain);
    };
    {
        RecordingHost host;
        EXPECT_FALSE(checkLabelsFile(dir_.file("nothere.inp"), "nothere.inp", host).ok);
        expectOne(host, "KOV labels file\nnothere.inp\nCould not be opened!"
                        "\nPlease check the name and path in the Set Up Menu.");
    }
    {
        auto blocks = eightBlocks();
        blocks.pop_back();
        RecordingHost host;
        EXPECT_FALSE(checkLabelsFile(write("seven.inp", join(blocks)), "seven.inp", host).ok);
        expectOne(host, "KOV labels file\nseven.inp\nis not correctly structured.\nPlease check the data in it.");
    }
    {
        auto blocks = eightBlocks();
        blocks[4][0] = "Sentence Length 1";
        RecordingHost host;
        EXPECT_FALSE(checkLabelsFile(write("bad.inp", join(blocks)), "bad.inp", host).ok);
        expectOne(host, "KOV labels file\nbad.inp\nis invalid.\nPlease check the data in it.");
    }
    {
        auto blocks = eightBlocks();
        blocks[5][0] = "Felony Type ........ -3";
        RecordingHost host;
        EXPECT_FALSE(checkLabelsFile(write("neg.inp", join(blocks)), "neg.inp", host).ok);
        expectOne(host, "KOV labels file\nneg.inp\nis invalid.\nPlease check the data in it.");
    }
    {
        auto blocks = eightBlocks();
        blocks[7].pop_back();
        RecordingHost host;
        EXPECT_FALSE(checkLabelsFile(write("short.inp", join(blocks)), "short.inp", host).ok);
        expectOne(host,
                  "KOV labels file\nshort.inp\ndoes not have the correct number of lines.\nPlease check the data in it.");
    }
    {   // Category lines are only counted, and the header pattern has no leading
        // blank: a header of blanks before the dot leader passes here while the
        // run's reader refuses it.
        auto blocks = eightBlocks();
        blocks[5] = {"   ........ 2", "no dots at all", "x"};
        blocks[3] = {"Offense ........ 3", "a .. 1", "b .. 2", "c .. 3"};
        RecordingHost host;
        const auto path = write("loose.inp", join(blocks, "\r\n"));
        const auto r = checkLabelsFile(path, "loose.inp", host);
        EXPECT_TRUE(r.ok) << host.joined();
        EXPECT_EQ(r.felonyTypes, 2);
        EXPECT_EQ(r.offenses, 3);
        StateTables st;
        RecordingHost run;
        EXPECT_FALSE(readLabels(path, st, run));
        EXPECT_EQ(stopTexts(run), std::vector<std::string>{"Labels file invalid, 2, i = 5"});
    }
}

} // namespace
} // namespace kov
