#include "input/labels.h"
#include "input/state_tables.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kov {
namespace {

using Blocks = std::vector<std::vector<std::string>>;

/// Eight well-formed blocks; blocks[i] is a header and its category lines.
Blocks eightBlocks() {
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

std::string join(const Blocks& blocks, const std::string& eol = "\n") {
    std::string s;
    for (const auto& b : blocks)
        for (const auto& l : b) s += l + eol;
    return s;
}

/// The eight blocks as spoil leaves them.
Blocks spoilt(const std::function<void(Blocks&)>& spoil) {
    Blocks b = eightBlocks();
    spoil(b);
    return b;
}

std::vector<std::string> stopTexts(const RecordingHost& host) {
    std::vector<std::string> out;
    for (const auto& m : host.messages) {
        EXPECT_EQ(m.icon, MessageIcon::Stop) << m.text;
        out.push_back(m.text);
    }
    return out;
}

// A missing file is the run driver's test, with the other inputs.
TEST(LabelsFiles, TruncatedAndMalformedFilesStopWithTheirMessages) {
    test::ScratchDir dir;
    const struct {
        const char* what;
        std::function<void(Blocks&)> spoil;
        std::vector<std::string> messages;
    } cases[] = {
        {"seven blocks: only the eighth header is missing", [](Blocks& b) { b.pop_back(); },
         {"Labels file invalid, 1, i = 7"}},
        // Message 3 for j = 1, then message 1 for each variable whose header is never found.
        {"cut after the first offense label",
         [](Blocks& b) {
             b.resize(4);
             b[3].pop_back();
         },
         {"Labels file invalid, 3, i = 3, j = 1", "Labels file invalid, 1, i = 4", "Labels file invalid, 1, i = 5",
          "Labels file invalid, 1, i = 6", "Labels file invalid, 1, i = 7"}},
        {"empty", [](Blocks& b) { b.clear(); },
         {"Labels file invalid, 1, i = 0", "Labels file invalid, 1, i = 1", "Labels file invalid, 1, i = 2",
          "Labels file invalid, 1, i = 3", "Labels file invalid, 1, i = 4", "Labels file invalid, 1, i = 5",
          "Labels file invalid, 1, i = 6", "Labels file invalid, 1, i = 7"}},
        // The name takes the whole line and no count is left; later headers are read, not parsed.
        {"no dot leader", [](Blocks& b) { b[0][0] = "Gender 2"; }, {"Labels file invalid, 2, i = 0"}},
        {"a full stop inside a label text cuts it; \"Louis\" is no number",
         [](Blocks& b) { b[6][1] = "St. Louis ........ 1.00"; }, {"Labels file invalid, 4, i = 6, j = 0"}},
        {"a blank line inside a block", [](Blocks& b) { b[1].insert(b[1].begin() + 1, ""); },
         {"Labels file invalid, 4, i = 1, j = 0"}},
        // Split at the 254 characters of the buffer, its first part holds no full stop.
        {"a line longer than the buffer", [](Blocks& b) { b[2][1] = std::string(260, 'x') + " ........ 1.00"; },
         {"Labels file invalid, 4, i = 2, j = 0"}},
    };
    for (const auto& c : cases) {
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readLabels(dir.put("bad.inp", join(spoilt(c.spoil))), st, host)) << c.what;
        EXPECT_EQ(stopTexts(host), c.messages) << c.what;
    }
}

TEST(LabelsFiles, CountsAreBounded) {
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
    test::ScratchDir dir;
    for (const auto& c : cases) {
        auto blocks = eightBlocks();
        auto& block = blocks[static_cast<std::size_t>(c.variable)];
        const auto name = block[0].substr(0, block[0].find(" ...."));
        block.assign({name + " ........ " + c.count});
        // Zero categories: the following header is read next.
        StateTables st;
        RecordingHost host;
        const bool ok = readLabels(dir.put("count.inp", join(blocks)), st, host);
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

TEST(LabelsFiles, LongTextsAreCutAndALoneCrEndsTheFile) {
    auto blocks = eightBlocks();
    const std::string longName(100, 'N');
    blocks[3][0] = "  " + longName + "   ........ 2";
    blocks[3][1] = "   Property offense, non-violent   ........ 1.5";
    blocks[3][2] = "\tDrug\t........\t2.5";
    std::string text = join(blocks);
    text.back() = '\r'; // a lone CR ending the file ends the last line
    test::ScratchDir dir;
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readLabels(dir.put("long.inp", text), st, host)) << host.joined();
    EXPECT_EQ(st.Values[VarJailLength].labelsptr[1].text, "None");
    EXPECT_DOUBLE_EQ(st.Values[VarJailLength].labelsptr[1].value, 1.0);
    EXPECT_EQ(st.Values[VarOffense].name, std::string(83, 'N'));
    EXPECT_EQ(st.Values[VarOffense].labelsptr[0].text, "Property offens");
    EXPECT_DOUBLE_EQ(st.Values[VarOffense].labelsptr[0].value, 1.5);
    EXPECT_EQ(st.Values[VarOffense].labelsptr[1].text, "Drug");
    EXPECT_DOUBLE_EQ(st.Values[VarOffense].labelsptr[1].value, 2.5);
}

// The user interface's check: plain messages naming the configured file.
TEST(LabelsFiles, UserInterfaceCheck) {
    test::ScratchDir dir;
    {
        RecordingHost host;
        const auto r = checkLabelsFile(KOVARY_SOURCE_DIR "/tests/data/labels_101.inp", "labels_101.inp", host);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.felonyTypes, 3);
        EXPECT_EQ(r.offenses, 4);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(checkLabelsFile(dir.file("nothere.inp"), "nothere.inp", host).ok);
        EXPECT_EQ(host.only(MessageIcon::Plain), "KOV labels file\nnothere.inp\nCould not be opened!"
                                                 "\nPlease check the name and path in the Set Up Menu.");
    }
    const std::pair<std::function<void(Blocks&)>, std::string> cases[] = {
        {[](Blocks& b) { b.pop_back(); }, "is not correctly structured."},
        {[](Blocks& b) { b[4][0] = "Sentence Length 1"; }, "is invalid."},
        {[](Blocks& b) { b[5][0] = "Felony Type ........ -3"; }, "is invalid."},
        {[](Blocks& b) { b[7].pop_back(); }, "does not have the correct number of lines."},
    };
    for (const auto& [spoil, says] : cases) {
        RecordingHost host;
        EXPECT_FALSE(checkLabelsFile(dir.put("bad.inp", join(spoilt(spoil))), "bad.inp", host).ok) << says;
        EXPECT_EQ(host.only(MessageIcon::Plain), "KOV labels file\nbad.inp\n" + says + "\nPlease check the data in it.");
    }
    // Category lines are only counted, and the header pattern has no leading
    // blank: a header of blanks before the dot leader passes here while the
    // run's reader refuses it.
    auto blocks = eightBlocks();
    blocks[5] = {"   ........ 2", "no dots at all", "x"};
    blocks[3] = {"Offense ........ 3", "a .. 1", "b .. 2", "c .. 3"};
    RecordingHost host;
    const auto path = dir.put("loose.inp", join(blocks, "\r\n"));
    const auto r = checkLabelsFile(path, "loose.inp", host);
    EXPECT_TRUE(r.ok) << host.joined();
    EXPECT_EQ(r.felonyTypes, 2);
    EXPECT_EQ(r.offenses, 3);
    StateTables st;
    RecordingHost run;
    EXPECT_FALSE(readLabels(path, st, run));
    EXPECT_EQ(stopTexts(run), std::vector<std::string>{"Labels file invalid, 2, i = 5"});
}

} // namespace
} // namespace kov
