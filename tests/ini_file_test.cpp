#include "config/ini_file.h"

#include "support/scratch_dir.h"
#include "support/text.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace kov {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;
namespace fs = std::filesystem;

// Comments, a key before any section, an unknown section, odd spacing, blank
// lines at the end of a section and a last line without a line end.
const char* const HandMade = "; profile written by hand\n"
                             "stray=before any section\n"
                             "\n"
                             "[General]\n"
                             "  Name = Alpha   \n"
                             "Count=3\n"
                             "; a comment = not a key\n"
                             "\n"
                             "  [ Unknown Section ]  trailing words\n"
                             "x = 1\n"
                             "\n"
                             "[Values]\n"
                             "Empty=\n"
                             "Spaced   =   two words  \n"
                             "\n"
                             "\n"
                             "[Last]\n"
                             "only=1";

TEST(IniFile, ReadsNamesWithoutCaseAndValuesWithoutBlanks) {
    const IniFile ini = IniFile::fromText(HandMade);
    EXPECT_EQ(ini.read("general", "NAME", "d"), "Alpha");
    EXPECT_EQ(ini.read("GENERAL", "count", "d"), "3");
    EXPECT_EQ(ini.read("unknown section", "X", "d"), "1");
    EXPECT_EQ(ini.read("Values", "spaced", "d"), "two words");
    EXPECT_EQ(ini.read("Last", "only", "d"), "1");
    // Present but empty stays empty; missing takes the default.
    EXPECT_EQ(ini.read("Values", "Empty", "d"), "");
    EXPECT_EQ(ini.read("Values", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.read("No Such Section", "x", "dflt"), "dflt");
    // A key of another section, a comment and a key before any section are not found.
    EXPECT_EQ(ini.read("Values", "Count", "d"), "d");
    EXPECT_EQ(ini.read("General", "; a comment", "d"), "d");
    EXPECT_EQ(ini.read("General", "stray", "d"), "d");

    // Values and defaults are cut at 255 characters.
    const std::string longValue = std::string(255, 'a') + std::string(45, 'b');
    const IniFile longOne = IniFile::fromText("[S]\nK=" + longValue + "\n");
    EXPECT_EQ(longOne.read("S", "K", ""), std::string(255, 'a'));
    EXPECT_EQ(longOne.read("S", "Missing", longValue), std::string(255, 'a'));
}

TEST(IniFile, WritesChangeOnlyTheirOwnLines) {
    IniFile ini = IniFile::fromText(HandMade);
    ini.write("GENERAL", "count", "4");         // replaced in place, the file's spelling kept
    ini.write("General", "Name", "Alpha");      // same value: the odd spacing survives
    ini.write("Values", "Empty", "");           // same (empty) value
    ini.write("Values", "Spaced", "three");     // the blanks after '=' are kept
    ini.write("Values", "New Key", "v");        // after the last non-blank line of its section
    ini.write("Last", "added", "2");            // the last line gets its line end first
    ini.write("Brand New", "k", "v");           // new section at the end, after a blank line
    // The hand-made text with only these lines changed or added.
    std::string expected = test::replaceAll(HandMade, "Count=3\n", "Count=4\n");
    expected = test::replaceAll(expected, "=   two words  \n", "=   three\nNew Key=v\n");
    expected += "\nadded=2\n\n[Brand New]\nk=v\n";
    EXPECT_EQ(ini.text(), expected);

    const IniFile again = IniFile::fromText(ini.text());
    EXPECT_EQ(again.read("general", "count", ""), "4");
    EXPECT_EQ(again.read("values", "new key", ""), "v");
    EXPECT_EQ(again.read("brand new", "K", ""), "v");
    EXPECT_EQ(again.read("Values", "Spaced", ""), "three");
}

TEST(IniFile, LineEndStyleIsKeptAndNewFilesUseLf) {
    IniFile crlf = IniFile::fromText("[S]\r\nA=1\r\nB = 2 \r\n");
    EXPECT_EQ(crlf.read("S", "B", ""), "2") << "no CR left in the value";
    crlf.write("S", "A", "5");
    crlf.write("S", "C", "3");
    crlf.write("T", "k", "v");
    EXPECT_EQ(crlf.text(), "[S]\r\nA=5\r\nB = 2 \r\nC=3\r\n\r\n[T]\r\nk=v\r\n");

    IniFile noFinalEnd = IniFile::fromText("[S]\r\nA=1");
    noFinalEnd.write("S", "B", "2");
    EXPECT_EQ(noFinalEnd.text(), "[S]\r\nA=1\r\nB=2\r\n");

    IniFile fresh = IniFile::fromText("");
    fresh.write("S", "k", "first line\nsecond line"); // a line break would split the key
    fresh.write("S", "j", "x");
    EXPECT_EQ(fresh.text(), "[S]\nk=first line\nj=x\n");

    IniFile bom = IniFile::fromText("\xEF\xBB\xBF[S]\nA=1\n");
    EXPECT_EQ(bom.read("s", "a", ""), "1");
    bom.write("S", "A", "2");
    EXPECT_EQ(bom.text(), "\xEF\xBB\xBF[S]\nA=2\n");
}

TEST(IniFile, SaveCreatesOrReplacesTheFileAndKeepsItsMode) {
    ScratchDir dir;
    const std::string path = dir.file("run.kov");
    EXPECT_EQ(IniFile::load(path).state(), IniFile::LoadState::Missing);

    // A stranger's file under the temporary name must survive.
    writeBytes(path + ".tmp", "not ours");

    IniFile ini = IniFile::load(path);
    ini.write("S", "k", "1");
    std::string error;
    ASSERT_TRUE(ini.save(path, &error)) << error;
    EXPECT_EQ(readBytes(path), "[S]\nk=1\n");

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    IniFile loaded = IniFile::load(path);
    EXPECT_EQ(loaded.state(), IniFile::LoadState::Loaded);
    loaded.write("S", "k", "2");
    ASSERT_TRUE(loaded.save(path, &error)) << error;
    EXPECT_EQ(readBytes(path), "[S]\nk=2\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    EXPECT_EQ(readBytes(path + ".tmp"), "not ours");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2) << "no temporary file left behind";
}

TEST(IniFile, FailedSaveLeavesTheDiskAsItWas) {
    ScratchDir dir;
    IniFile ini = IniFile::fromText("");
    ini.write("S", "k", "1");
    std::string error;

    const std::string inMissingFolder = dir.file("no such folder/run.kov");
    EXPECT_FALSE(ini.save(inMissingFolder, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(fs::path(inMissingFolder).parent_path()));

    const std::string folder = dir.file("a folder");
    fs::create_directory(folder);
    error.clear();
    EXPECT_FALSE(ini.save(folder, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(IniFile::load(folder).state(), IniFile::LoadState::Unreadable);

    EXPECT_FALSE(ini.save("", &error));

    // A file too large to be a profile cannot be loaded, so it is never replaced
    // by what little we could make of it.
    const std::string huge = dir.file("huge.kov");
    writeBytes(huge, "[S]\nk=old\n");
    fs::resize_file(huge, IniFile::MaxBytes + 1);
    IniFile fromHuge = IniFile::load(huge);
    EXPECT_EQ(fromHuge.state(), IniFile::LoadState::Unreadable);
    fromHuge.write("S", "k", "new");
    EXPECT_FALSE(fromHuge.save(huge, &error));
    EXPECT_EQ(fs::file_size(huge), IniFile::MaxBytes + 1);
    EXPECT_EQ(test::readPrefix(huge, 10), "[S]\nk=old\n");

    // A read-only file is refused, unless we are a user who may write it anyway.
    const std::string readOnly = dir.file("readonly.kov");
    writeBytes(readOnly, "[S]\nk=old\n");
    fs::permissions(readOnly, fs::perms::owner_read);
    if (std::FILE* probe = std::fopen(readOnly.c_str(), "r+b")) {
        std::fclose(probe);
    } else {
        EXPECT_FALSE(ini.save(readOnly, &error));
        EXPECT_EQ(readBytes(readOnly), "[S]\nk=old\n");
    }
}

} // namespace
} // namespace kov
