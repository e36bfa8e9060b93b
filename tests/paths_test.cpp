// Paths of input files as the configuration names them: relative to the data
// folder, with backslashes as separators.
#include "config/paths.h"

#include <gtest/gtest.h>

namespace kov {

TEST(Paths, JoinsWithSlashAndTreatsBackslashAsSeparator) {
    EXPECT_EQ(dataPath("/data", "courtp.inp"), "/data/courtp.inp");
    EXPECT_EQ(dataPath("/data/", "sub\\courtp.inp"), "/data/sub/courtp.inp");
    EXPECT_EQ(dataPath("/data", "/abs/x.inp"), "/abs/x.inp");
    EXPECT_EQ(folderOf("/a/b/c.kov"), "/a/b");
    EXPECT_EQ(folderOf("c.kov"), ".");
}

} // namespace kov
