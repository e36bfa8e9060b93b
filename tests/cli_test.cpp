// The kovary command as a user meets it: exit codes, messages, files left alone.
#include "support/run_cli.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kov {
namespace {

using test::ScratchDir;

using Result = test::CliResult;
using test::kovary;

TEST(Cli, NewWritesEveryDefaultAndNeverOverwritesWithoutForce) {
    ScratchDir dir;
    const std::string kov = dir.quoted("a.kov");
    Result r = kovary(dir, "new " + kov);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string text = dir.read("a.kov");
    EXPECT_EQ(text.rfind("[TITLE]\nTitle=DEMONSTRATION PROGRAM USING NORVALE STATE DATA\n", 0), 0u) << text;
    EXPECT_NE(text.find("[GRAPH OUTPUT FILE NAMES]"), std::string::npos);

    dir.write("a.kov", "mine\n");
    r = kovary(dir, "new " + kov);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("left as it is"), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("a.kov"), "mine\n");
    r = kovary(dir, "new --force " + kov);
    EXPECT_EQ(r.code, 0) << r.err;
}

TEST(Cli, MissingConfigurationOrDataFailsWithTheNameOfWhatIsMissing) {
    ScratchDir dir;
    Result r = kovary(dir, "check " + dir.quoted("none.kov"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("none.kov does not exist"), std::string::npos) << r.err;
    r = kovary(dir, "run " + dir.quoted("none.kov"));
    EXPECT_EQ(r.code, 1);

    // A folder where the configuration belongs is refused, not read as defaults.
    r = kovary(dir, "run \"" + dir.str() + "\"");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;

    dir.copyFrom("reference/set1");
    r = kovary(dir, "check " + dir.quoted("run.kov") + " --data-dir " + dir.quoted("nowhere"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("nowhere does not exist"), std::string::npos) << r.err;
}

TEST(Cli, CheckReportsTheFirstBadInputAndConfigurationWarnings) {
    ScratchDir dir("reference/set1");
    Result r = kovary(dir, "check " + dir.quoted("run.kov"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("every input loaded"), std::string::npos) << r.out;

    // A run reads a missing probability file as zeros; the check says so and goes on.
    std::filesystem::remove(dir.file("court_prob_101.inp"));
    r = kovary(dir, "check " + dir.quoted("run.kov"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("The probability file does not exist: a run reads every probability in it as 0\n"
                         "  in court_prob_101.inp\n"),
              std::string::npos)
        << r.err;

    std::string kov = dir.read("run.kov");
    kov.replace(kov.find("Court Volume=1.00"), 17, "Court Volume=abc");
    dir.write("run.kov", kov);
    r = kovary(dir, "check " + dir.quoted("run.kov"));
    EXPECT_EQ(r.code, 1) << "a configuration warning fails the check";
    EXPECT_NE(r.err.find("\"Court Volume\": \"abc\" is not a number"), std::string::npos) << r.err;
}

TEST(Cli, CheckReadsEveryCourtCaseAndNamesEachBadOne) {
    ScratchDir dir("reference/set1");
    // Cases 2 and 3 get a gender no label has; a run would stop at case 2.
    std::string micro = dir.read("court_micro_101.dat");
    micro.replace(micro.find("\n2 1 3 42"), 9, "\n2 7 3 42");
    micro.replace(micro.find("\n3 1 1 55"), 9, "\n3 9 1 55");
    dir.write("court_micro_101.dat", micro);
    Result r = kovary(dir, "check " + dir.quoted("run.kov"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Illegal Gender = 7, Case Number = 2\n  in court_micro_101.dat, line 2, field Gender; "
                         "labels_101.inp has 2 labels for this variable\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Illegal Gender = 9, Case Number = 3\n  in court_micro_101.dat, line 3, field Gender; "
                         "labels_101.inp has 2 labels for this variable\n"),
              std::string::npos)
        << r.err;

    // An empty line ends a run quietly: the check says where.
    dir.copyFrom("reference/set1");
    micro = dir.read("court_micro_101.dat");
    micro.insert(micro.find("\n3 1 1 55") + 1, "\n");
    dir.write("court_micro_101.dat", micro);
    r = kovary(dir, "check " + dir.quoted("run.kov"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Line 3 of the court microdata has no case number: a run ends there"), std::string::npos)
        << r.err;

    // Without the court microdata neither a check nor a run goes on; both name the file.
    std::filesystem::remove(dir.file("court_micro_101.dat"));
    const std::string missing = "File " + dir.file("court_micro_101.dat") + " could not be opened, cause = 2";
    for (const char* command : {"check", "run"}) {
        r = kovary(dir, std::string(command) + " " + dir.quoted("run.kov"));
        EXPECT_EQ(r.code, 1) << command;
        EXPECT_NE(r.err.find(missing + "\n  in court_micro_101.dat\n"), std::string::npos) << command << ": " << r.err;
    }
}

TEST(Cli, EveryCommandHasHelp) {
    ScratchDir dir;
    for (const char* c : {"--help", "new --help", "check --help", "run --help"}) {
        const Result r = kovary(dir, c);
        EXPECT_EQ(r.code, 0) << c;
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << c;
    }
    EXPECT_NE(kovary(dir, "").code, 0) << "a command is required";
    EXPECT_NE(kovary(dir, "frobnicate").code, 0);
}

} // namespace
} // namespace kov
