// Values set on the command line: the run equals one of an edited copy of the
// configuration, the file stays untouched, and a bad value runs nothing.
#include "support/run_cli.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <string>

namespace kov {
namespace {

using test::kovary;
using test::ScratchDir;
using test::withoutClockLines;

void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

TEST(Overrides, RunEqualsAnEditedCopyAndLeavesTheFileAlone) {
    ScratchDir dir("reference/set1");
    const std::string kov = dir.file("run.kov");
    const std::string original = dir.read("run.kov");
    ASSERT_EQ(kovary(dir, "run \"" + kov + "\"").code, 0);
    const std::string plain = withoutClockLines(dir.read("tables_101.out"));

    // A real, an integer and a text key; names in other case, blanks around them;
    // a section name that holds '/' itself.
    const auto r = kovary(dir, "run \"" + kov + "\""
                               " --set \"release parameters/Probability of pre-release = 0.5\""
                               " --set \"RUN PARAMETERS/first simulated year=2013\""
                               " --set \"INPUT/OUTPUT FILES/Tables Output File=other.out\""
                               " --set \"TITLE/Title=Shorter pre-release\"");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(dir.read("run.kov"), original);
    const std::string overridden = withoutClockLines(dir.read("other.out"));
    EXPECT_NE(overridden, plain);

    std::string edited = original;
    replaceOnce(edited, "Probability of pre-release=0.25", "Probability of pre-release=0.5");
    replaceOnce(edited, "First Simulated Year=2011", "First Simulated Year=2013");
    replaceOnce(edited, "Tables Output File=tables_101.out", "Tables Output File=other.out");
    replaceOnce(edited, "Title=Reference data set 101 (option 0, Norvale 0)", "Title=Shorter pre-release");
    dir.write("run.kov", edited);
    ASSERT_EQ(kovary(dir, "run \"" + kov + "\"").code, 0);
    EXPECT_EQ(withoutClockLines(dir.read("other.out")), overridden);
}

TEST(Overrides, ABadOverrideIsNamedAndNothingRuns) {
    ScratchDir dir("reference/set1");
    const std::string kov = dir.file("run.kov");
    const struct {
        const char* set;
        const char* message;
    } cases[] = {
        {"RUN PARAMETERS/Sampling Fraction", "expected SECTION/Key=value"},
        {"RUNS PARAMETERS/Sampling Fraction=1", "no section \"RUNS PARAMETERS\""},
        {"RUN PARAMETERS/Sampling Fractions=1", "section [RUN PARAMETERS] has no key \"Sampling Fractions\""},
        {"RUN PARAMETERS/Sampling Fraction=half", "\"half\" is not a number, which [RUN PARAMETERS] \"Sampling Fraction\""},
        {"RUN PARAMETERS/Number of Cases=1.5", "\"1.5\" is not a whole number"},
        {"OUTPUT TABLES/Jail=yes", "\"yes\" is not a whole number, which [OUTPUT TABLES] \"Jail\""},
    };
    for (const auto& c : cases) {
        for (const char* command : {"run", "check"}) {
            const auto r = kovary(dir, std::string(command) + " \"" + kov + "\" --set \"" + c.set + "\"");
            EXPECT_EQ(r.code, 1) << command << " " << c.set;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.set), std::string::npos) << "the message quotes what was given: " << r.err;
        }
        EXPECT_FALSE(dir.exists("tables_101.out")) << c.set;
    }
}

} // namespace
} // namespace kov
