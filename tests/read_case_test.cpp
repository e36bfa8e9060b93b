#include "engine/read_case.h"
#include "base/random.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

std::vector<LabelEntry> labels(std::initializer_list<const char*> texts) {
    std::vector<LabelEntry> out;
    for (const char* t : texts) out.push_back({t, 1.0});
    return out;
}

std::shared_ptr<TableDef> table(int rows, int cols) {
    auto t = std::make_shared<TableDef>();
    t->rows = rows;
    t->cols = cols;
    t->rowlabels.assign(static_cast<std::size_t>(rows), "r");
    t->collabels.assign(static_cast<std::size_t>(cols), "c");
    return t;
}

// 2 genders, 4 races, 5 age groups (bounds 18, 25, 35, 50), 4 offenses,
// 6 sentence lengths, 3 felony types, 3 regions, 4 jail lengths; grid table 1
// is 4 x 2 and table 2 is 2 x 3; one post-prison table of 3 x 3; 2 counties.
StateTables makeTables() {
    StateTables st;
    const int counts[VariableCount] = {2, 4, 5, 4, 6, 3, 3, 4};
    for (int v = 0; v < VariableCount; ++v) {
        auto& var = st.Values[static_cast<std::size_t>(v)];
        var.count = counts[v];
        var.labelsptr.assign(static_cast<std::size_t>(counts[v]), LabelEntry{"1", 1.0});
    }
    st.Values[VarAge].labelsptr = labels({"18-24", "25-34", "35-49", "50+", "Under 18"});
    st.Values[VarSentenceLength].labelsptr = labels({"1-6", "7-12", "13-24", "25-60", "61+", "None"});
    st.m_Tables = {table(4, 2), table(2, 3)};
    st.Postables = {table(3, 3)};
    st.Counties.resize(2);
    return st;
}

// A line every check accepts. Fields: id, gender, race, age, offense, sentence
// length, felony type, region, prison days, jail days, restitution days,
// sentence level, county, grid row, grid column, grid table, month, weight, parole.
const std::vector<std::string> Good = {"1",  "2", "1", "60", "2", "17", "3", "3", "25", "70",
                                        "0",  "2", "2", "4",  "2", "1",  "9", "1.0", "14.2"};

std::string join(const std::vector<std::string>& tokens) {
    std::string s;
    for (const auto& t : tokens) s += (s.empty() ? "" : " ") + t;
    return s;
}

std::string with(std::size_t index, const std::string& value) {
    auto t = Good;
    t[index] = value;
    return join(t);
}

class ReadCase : public ::testing::Test {
protected:
    StateTables st = makeTables();
    Groups ages{st.count(VarAge), st.Values[VarAge].labelsptr};
    CaseSetup setup{st, ages, 0, 0, 0};
    CRand crt;
    CRand referenceCrt;
    static constexpr std::uint32_t Seed = 1;
    RandomNumberGenerator rng{Seed, crt};
    RandomNumberGenerator reference{Seed, referenceCrt}; ///< the same stream, untouched by readCase
    RecordingHost host;
    ScratchDir dir;
    CaseFields fields;

    /// Reads every line of text as a case, up to the first that is not Ok.
    CaseRead read(const std::string& text) {
        dir.write("court.dat", text + "\n");
        CMicroDataFile f;
        EXPECT_TRUE(f.Open(dir.file("court.dat")));
        CaseRead r = CaseRead::Silent;
        while (f.ReadLine()) {
            r = readCase(f, setup, rng, host, fields);
            if (r != CaseRead::Ok) break;
        }
        return r;
    }
    /// The one message shown, or "" when none was.
    std::string message() const {
        EXPECT_LE(host.messages.size(), 1u) << host.joined();
        if (host.messages.empty()) return "";
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Stop);
        return host.messages[0].text;
    }
    /// Draws made by readCase so far, by comparing with the untouched stream.
    int drawsMade() {
        int n = 0;
        const auto next = rng.NextValue();
        while (reference.NextValue() != next && n < 5) ++n;
        return n;
    }
};

TEST_F(ReadCase, AcceptedValuesAreRoundedClampedAndGrouped) {
    struct Accepted {
        std::string line;
        int CaseFields::*field;
        int want;
    };
    // Halves of sentences and paroles, felony types 0 and 4, levels 0 and 5 and
    // ages below the first bound are in the reference data sets.
    const Accepted accepted[] = {
        {with(6, "-7"), &CaseFields::felonyType, 3},        // out of range: the last, silently
        {with(8, "9999"), &CaseFields::prisonTerm, 9999},   // the largest day counts
        {with(9, "9999"), &CaseFields::jailTime, 9999},
        {with(10, "9999"), &CaseFields::restitutionTime, 9999},
        {with(1, "2abc"), &CaseFields::gender, 2},          // a numeric prefix is kept
        {with(9, "12.9"), &CaseFields::jailTime, 12},
    };
    for (const auto& a : accepted) {
        ASSERT_EQ(read(a.line), CaseRead::Ok) << a.line << host.joined();
        EXPECT_EQ(fields.*a.field, a.want) << a.line;
    }
    EXPECT_EQ(message(), "");
}

TEST_F(ReadCase, EveryRefusalNamesTheFieldAndTheValueRead) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {with(11, "6"), "Illegal Sentence Level = 6, Case Number = 1"},
        {with(16, "0"), "Illegal Month = 0, Case Number = 1"},
        {with(16, "13"), "Illegal Month = 13, Case Number = 1"},
        {with(8, "10000"), "Illegal Length of Prison Sentence in Days = 10000, Case Number = 1"},
        {with(9, "-1"), "Illegal Length of Jail Time in Days = -1, Case Number = 1"},
        {with(9, "10000"), "Illegal Length of Jail Time in Days = 10000, Case Number = 1"},
        {with(10, "-3"), "Illegal Length of Restitution Time in Days = -3, Case Number = 1"},
        {with(10, "10000"), "Illegal Length of Restitution Time in Days = 10000, Case Number = 1"},
        {with(1, "3"), "Illegal Gender = 3, Case Number = 1"},
        {with(1, "0"), "Illegal Gender = 0, Case Number = 1"},
        {with(2, "5"), "Illegal Race = 5, Case Number = 1"},
        {with(4, "5"), "Illegal Offense = 5, Case Number = 1"},
        {with(7, "4"), "Illegal Region = 4, Case Number = 1"},
        {with(12, "3"), "Illegal County = 3, Case Number = 1"},
        {with(15, "3"), "Illegal Grid Table = 3, Case Number = 1"},
        {with(15, "0"), "Illegal Grid Table = 0, Case Number = 1"},
        // Table 2 has 2 rows and 3 columns: row 4 is checked before the column.
        {with(15, "2"), "Illegal Grid Row = 4, Case Number = 1"},
        {"1 2 1 60 2 17 3 3 25 70 0 2 2 2 4 2 9 1.0 14.2", "Illegal Grid Column = 4, Case Number = 1"},
        {"1 2 1 60 2 17 3 3 25 70 0 2 2 0 1 1 9 1.0 14.2", "Illegal Grid Row = 0, Case Number = 1"},
        // Text without a number reads as the field's default.
        {with(3, "x"), "Illegal Age = -1, Case Number = 1"},
        {with(5, "NA"), "Illegal Sentence Length = -1.000000, Case Number = 1"},
        {with(6, "."), "Illegal Felony Type = -1, Case Number = 1"},
        {with(9, "-"), "Illegal Length of Jail Time in Days = -1, Case Number = 1"},
        {with(11, "x"), "Illegal Sentence Level = -1, Case Number = 1"},
        {with(12, "99999999999"), "Illegal County = -1, Case Number = 1"},
        {with(17, "nan"), "Illegal Weight = -1.000000, Case Number = 1"},
        {with(17, "inf"), "Illegal Weight = -1.000000, Case Number = 1"},
        // Beyond the integer range after rounding: refused with the value read.
        {with(5, "1e12"), "Illegal Sentence Length = 1000000000000.000000, Case Number = 1"},
        {with(18, "3e9"), "Illegal Parole = 3000000000.000000, Case Number = 1"},
    };
    for (const auto& [line, text] : refused) {
        host.messages.clear();
        EXPECT_EQ(read(line), CaseRead::Error) << line;
        EXPECT_EQ(message(), text);
    }
    host.messages.clear();
    ASSERT_EQ(read("1 2 1 60 2 17 3 3 25 70 0 2 2 2 3 2 9 1.0 14.2"), CaseRead::Ok) << host.joined();
    EXPECT_EQ(fields.gridTable, 2);
}

TEST_F(ReadCase, MonthOutsideTheYearIsTakenWhenItIsDrawn) {
    setup.randomizeMonth = 1;
    ASSERT_EQ(read(with(16, "0")), CaseRead::Ok);
    EXPECT_EQ(fields.month, 0);
    ASSERT_EQ(read(with(16, "13")), CaseRead::Ok);
    EXPECT_EQ(fields.month, 13);
    // Text where the month belongs is refused even when the month is drawn.
    EXPECT_EQ(read(with(16, "x")), CaseRead::Error);
    EXPECT_EQ(message(), "Illegal Month = 0, Case Number = 1");
}

TEST_F(ReadCase, NegativePrisonDaysAreRefusedWhateverTheDay) {
    // With day 16, -1 + 16 / 30.5 truncates to 0; the check is on the days read.
    rng.NextValue();
    EXPECT_EQ(read(with(8, "-1")), CaseRead::Error);
    EXPECT_EQ(message(), "Illegal Length of Prison Sentence in Days = -1, Case Number = 1");
    EXPECT_EQ(fields.randomDay, 16);
}

TEST_F(ReadCase, TabsAreNotSeparators) {
    // "2<tab>1" is one token: gender 2, and the race is then read from "60".
    auto t = Good;
    t[1] = "2\t1";
    t.erase(t.begin() + 2);
    EXPECT_EQ(read(join(t)), CaseRead::Error);
    EXPECT_EQ(message(), "Illegal Race = 60, Case Number = 1");
}

TEST_F(ReadCase, ShortLinesFailAtTheFirstMissingField) {
    // A missing field keeps its default, -1 (the month's is 0). The day is drawn
    // only once the sentence length has been read (5 fields before it).
    const std::vector<std::string> expected = {
        "",
        "Illegal Gender = -1, Case Number = 1",
        "Illegal Race = -1, Case Number = 1",
        "Illegal Age = -1, Case Number = 1",
        "Illegal Offense = -1, Case Number = 1",
        "Illegal Sentence Length = -1.000000, Case Number = 1",
        "Illegal Felony Type = -1, Case Number = 1",
        "Illegal Region = -1, Case Number = 1",
        "Illegal Length of Prison Sentence in Days = -1, Case Number = 1",
        "Illegal Length of Jail Time in Days = -1, Case Number = 1",
        "Illegal Length of Restitution Time in Days = -1, Case Number = 1",
        "Illegal Sentence Level = -1, Case Number = 1",
        "Illegal County = -1, Case Number = 1",
        "Illegal Grid Row = -1, Case Number = 1",
        "Illegal Grid Column = -1, Case Number = 1",
        "Illegal Grid Table = -1, Case Number = 1",
        "Illegal Month = 0, Case Number = 1",
        "Illegal Weight = -1.000000, Case Number = 1",
        "Illegal Parole = -1.000000, Case Number = 1",
    };
    for (std::size_t n = 0; n < expected.size(); ++n) {
        host.messages.clear();
        const std::vector<std::string> prefix(Good.begin(), Good.begin() + static_cast<long>(n));
        const CaseRead r = read(join(prefix) + "   ");
        EXPECT_EQ(r, n == 0 ? CaseRead::Silent : CaseRead::Error) << n;
        EXPECT_EQ(message(), expected[n]) << n;
        EXPECT_EQ(drawsMade(), n >= 6 ? 1 : 0) << n;
    }
}

TEST_F(ReadCase, CaseNumberIsTheLineCountAndEmptyLinesAreSilent) {
    EXPECT_EQ(read(join(Good) + "\n" + with(1, "9")), CaseRead::Error);
    EXPECT_EQ(message(), "Illegal Gender = 9, Case Number = 2");
    host.messages.clear();
    EXPECT_EQ(read(join(Good) + "\nx 1 2"), CaseRead::Silent) << "an unreadable identifier is a missing one";
    EXPECT_EQ(message(), "");
    EXPECT_EQ(read(join(Good) + " 5 6 7 extra"), CaseRead::Ok) << "extra tokens are ignored";
}

TEST_F(ReadCase, PostprisonAndExtraGridFieldsEachNeedAValue) {
    setup.postprisonOption = 3;
    ASSERT_EQ(read(join(Good) + " 1 24 90 6 9"), CaseRead::Ok) << host.joined();
    EXPECT_EQ(fields.postprisonLevel, 1);
    EXPECT_EQ(fields.postprisonSentence, 24);
    EXPECT_EQ(fields.postprisonRestitution, 90);
    EXPECT_EQ(fields.firstParole, 6);
    EXPECT_EQ(fields.secondParole, 9);
    EXPECT_EQ(fields.extraTable, 0);
    setup.dualGuidelines = 1;
    const std::string post = join(Good) + " 1 24 90 6 9";
    ASSERT_EQ(read(post + " 3 2 1"), CaseRead::Ok) << host.joined();
    EXPECT_EQ(fields.extraRow, 3);
    EXPECT_EQ(fields.extraColumn, 2);
    EXPECT_EQ(fields.extraTable, 1);

    const std::vector<std::pair<std::string, std::string>> refused = {
        {join(Good), "Illegal Length of Post Prison = -1, Case Number = 1"},
        {join(Good) + " 1", "Illegal Length of Post Prison Sentence = -1, Case Number = 1"},
        {join(Good) + " 1 24", "Illegal Length of Post Prison Restitution = -1, Case Number = 1"},
        {join(Good) + " 1 24 90", "Illegal Length of First Parole = -1, Case Number = 1"},
        // The fifth field is named like the third in its message.
        {join(Good) + " 1 24 90 6", "Illegal Length of Post Prison Restitution = -1, Case Number = 1"},
        {join(Good) + " 1 24 x 6 9", "Illegal Length of Post Prison Restitution = -1, Case Number = 1"},
        {post, "Illegal Extra Grid Row = -1, Case Number = 1"},
        {post + " 3", "Illegal Extra Grid Column = -1, Case Number = 1"},
        {post + " 3 2", "Illegal Extra Grid Table = -1, Case Number = 1"},
        {post + " 3 2 2", "Illegal Extra Grid Table = 2, Case Number = 1"},
        {post + " 4 2 1", "Illegal Extra Grid Row = 4, Case Number = 1"},
        {post + " 3 0 1", "Illegal Extra Grid Column = 0, Case Number = 1"},
    };
    for (const auto& [line, text] : refused) {
        host.messages.clear();
        EXPECT_EQ(read(line), CaseRead::Error) << line;
        EXPECT_EQ(message(), text);
    }

    // Dual guidelines without post-prison fields read no extra grid fields.
    host.messages.clear();
    setup.postprisonOption = 0;
    ASSERT_EQ(read(join(Good)), CaseRead::Ok) << host.joined();
    EXPECT_EQ(fields.extraRow, 0);
    EXPECT_EQ(fields.postprisonLevel, -1);
}

TEST(ReadCaseHelpers, FewerThanTwoSentenceLengthsAreOneGroup) {
    // With two or more the groups are those of Groups, pinned by the reference runs.
    EXPECT_EQ(sentenceLengthGroup(Groups(1, labels({"61+"})), 0), 1);
    EXPECT_EQ(sentenceLengthGroup(Groups(0, {}), 17), 1) << "no labels still gives group 1";
}

} // namespace
} // namespace kov
