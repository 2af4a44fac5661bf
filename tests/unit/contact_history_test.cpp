#include "contact/contact_history.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/files.h"
#include "scratch_file.h"

namespace quorvane {
namespace {

class ContactHistoryFile : public ::testing::Test {
 protected:
  ContactHistory history{scratchFilePath("contact_history")};
  void SetUp() override { std::remove(history.path().c_str()); }
  void TearDown() override { std::remove(history.path().c_str()); }
};

TEST_F(ContactHistoryFile, MissingFileLoadsAsEmptyText) { EXPECT_EQ(history.load(), ""); }

TEST_F(ContactHistoryFile, SaveWritesTheLoadedTextFollowedByTheNewEntries) {
  ASSERT_TRUE(history.save("", historyEntry("ab") + historyEntry("\xD6\xD0")));
  EXPECT_EQ(history.load(), "ab\r\n\xD6\xD0\r\n");
  ASSERT_TRUE(history.save(history.load(), historyEntry("ab")));
  EXPECT_EQ(history.load(), "ab\r\n\xD6\xD0\r\nab\r\n") << "an id contacted again is appended again";
}

TEST_F(ContactHistoryFile, SavingNothingCreatesAnEmptyFileOrKeepsTheContent) {
  ASSERT_TRUE(history.save("", ""));
  EXPECT_EQ(platform::readWholeFile(history.path()).value_or("missing"), "");
  ASSERT_TRUE(history.save("x\r\n", ""));
  EXPECT_EQ(history.load(), "x\r\n");
}

TEST_F(ContactHistoryFile, LoadKeepsEveryByteSoASaveLosesNothing) {
  const std::string odd("a\0b\r\n\xFF\r\n", 8);
  { std::ofstream(history.path(), std::ios::binary) << odd; }
  ASSERT_TRUE(history.save(history.load(), historyEntry("c")));
  EXPECT_EQ(history.load(), odd + "c\r\n");
}

TEST_F(ContactHistoryFile, RemoveDeletesTheFileAndIsHarmlessWithoutOne) {
  ASSERT_TRUE(history.save("", historyEntry("a")));
  EXPECT_TRUE(history.remove());
  EXPECT_EQ(history.load(), "");
  EXPECT_FALSE(history.remove());
}

TEST(ContactHistoryPath, IsDataTxtInTheExecutablesFolder) {
  EXPECT_EQ(ContactHistory::besideExecutable().path(), platform::executableFolder() / "data.txt");
}

TEST(IsContacted, FindsTheIdAnywhereInTheWholeText) {
  EXPECT_TRUE(isContacted("abcd\r\n", "abc"));
  EXPECT_TRUE(isContacted("x\r\nabcd\r\n", "bcd"));
  EXPECT_TRUE(isContacted("\xD6\xD0\xCE\xC4\r\n", "\xD6\xD0"));
}

TEST(IsContacted, IsCaseSensitive) { EXPECT_FALSE(isContacted("Abc\r\n", "abc")); }

TEST(IsContacted, NothingIsContactedInAnEmptyHistory) {
  EXPECT_FALSE(isContacted("", "abc"));
  EXPECT_FALSE(isContacted("", ""));
  EXPECT_FALSE(isContacted("abc\r\n", "")) << "an empty id names no seller";
}

}  // namespace
}  // namespace quorvane
