#include "config/paths.h"
#include "input/text_file.h"

#include <gtest/gtest.h>

namespace kov {

TEST(Paths, JoinsWithSlashAndTreatsBackslashAsSeparator) {
    EXPECT_EQ(dataPath("/data", "courtp.inp"), "/data/courtp.inp");
    EXPECT_EQ(dataPath("/data/", "sub\\courtp.inp"), "/data/sub/courtp.inp");
    EXPECT_EQ(dataPath("/data", "/abs/x.inp"), "/abs/x.inp");
    EXPECT_EQ(folderOf("/a/b/c.kov"), "/a/b");
    EXPECT_EQ(folderOf("c.kov"), ".");
}

TEST(TextFile, CrLfReadsLikeLfAndBoundedLinesSplitLikeFgets) {
    auto lf = TextFile::fromText("abc\nlonger line here\nlast");
    auto crlf = TextFile::fromText("abc\r\nlonger line here\r\nlast");
    for (TextFile* f : {&lf, &crlf}) {
        std::string line;
        bool end = false;
        ASSERT_TRUE(f->readLine(line, 254, &end));
        EXPECT_EQ(line, "abc");
        EXPECT_TRUE(end);
        // A 7-byte buffer takes 6 characters and leaves the rest for the next read.
        ASSERT_TRUE(f->readLine(line, 7, &end));
        EXPECT_EQ(line, "longer");
        EXPECT_FALSE(end);
        ASSERT_TRUE(f->readLine(line, 254, &end));
        EXPECT_EQ(line, " line here");
        ASSERT_TRUE(f->readLine(line, 254, &end));
        EXPECT_EQ(line, "last");
        EXPECT_FALSE(end) << "a final line without a line end";
        EXPECT_FALSE(f->readLine(line));
    }
}

TEST(TextFile, NumbersAcrossLinesAndRestOfLine) {
    auto f = TextFile::fromText("1 2.5\n  -3 junk here\n7\n");
    double d = 0;
    int i = 0;
    ASSERT_TRUE(f.readInt(i));
    EXPECT_EQ(i, 1);
    ASSERT_TRUE(f.readDouble(d));
    EXPECT_DOUBLE_EQ(d, 2.5);
    ASSERT_TRUE(f.readInt(i));
    EXPECT_EQ(i, -3);
    EXPECT_FALSE(f.readInt(i)) << "junk is not a number";
    f.skipRestOfLine();
    ASSERT_TRUE(f.readDouble(d));
    EXPECT_DOUBLE_EQ(d, 7.0);
    EXPECT_FALSE(f.readDouble(d));
}

} // namespace kov
