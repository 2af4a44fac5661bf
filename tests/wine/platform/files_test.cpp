#include "platform/files.h"

#include <gtest/gtest.h>

namespace quorvane::platform {

class WholeFiles : public ::testing::Test {
 protected:
  // A Chinese file name ("历史.txt" in GBK) beside the test program.
  LocalText path = executableFolder() + "\\\xC0\xFA\xCA\xB7.txt";
  void SetUp() override { deleteFile(path); }
  void TearDown() override { deleteFile(path); }
};

TEST_F(WholeFiles, MissingFileReadsAsNothing) { EXPECT_FALSE(readWholeFile(path).has_value()); }

TEST_F(WholeFiles, AtomicWriteReplacesTheWholeContentAndLeavesNoTemporary) {
  ASSERT_TRUE(writeWholeFileAtomically(path, ByteArray("old\r\nlonger content\r\n")));
  ASSERT_TRUE(writeWholeFileAtomically(path, ByteArray("n\0w\r\n", 5)));
  EXPECT_EQ(readWholeFile(path).value(), ByteArray("n\0w\r\n", 5));
  EXPECT_FALSE(readWholeFile(path + ".tmp").has_value());
}

TEST_F(WholeFiles, DeleteOfAMissingFileFailsQuietly) {
  EXPECT_FALSE(deleteFile(path));
  ASSERT_TRUE(writeWholeFileAtomically(path, ""));
  EXPECT_EQ(readWholeFile(path).value(), "");
  EXPECT_TRUE(deleteFile(path));
}

TEST(ExecutableFolder, HasNoTrailingSeparator) {
  LocalText folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
}

}  // namespace quorvane::platform
