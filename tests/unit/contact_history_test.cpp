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
  const std::filesystem::path& path() const { return history.file().besideExecutable(); }
  void SetUp() override { std::remove(path().c_str()); }
  void TearDown() override { std::remove(path().c_str()); }
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
  EXPECT_EQ(platform::readWholeFile(path()).value_or("missing"), "");
  ASSERT_TRUE(history.save("x\r\n", ""));
  EXPECT_EQ(history.load(), "x\r\n");
}

TEST_F(ContactHistoryFile, LoadKeepsEveryByteSoASaveLosesNothing) {
  const std::string odd("a\0b\r\n\xFF\r\n", 8);
  { std::ofstream(path(), std::ios::binary) << odd; }
  ASSERT_TRUE(history.save(history.load(), historyEntry("c")));
  EXPECT_EQ(history.load(), odd + "c\r\n");
}

TEST_F(ContactHistoryFile, RemoveDeletesTheFileAndIsHarmlessWithoutOne) {
  ASSERT_TRUE(history.save("", historyEntry("a")));
  EXPECT_TRUE(history.remove());
  EXPECT_EQ(history.load(), "");
  EXPECT_TRUE(history.remove());
}

TEST(ContactHistoryPath, IsDataTxtInTheExecutablesFolderOrInThePerUserFolder) {
  const ContactHistory history = ContactHistory::ofThisProgram();
  const ProgramFile& file = history.file();
  EXPECT_EQ(file.besideExecutable(), platform::executableFolder() / "data.txt");
  ASSERT_TRUE(file.perUser());
  EXPECT_EQ(*file.perUser(), *platform::perUserFolder() / "data.txt");
}

// Once the history lives in the per-user folder, it is read from there and
// saved there; what only the executable's folder holds is kept in front.
class PerUserHistory : public ::testing::Test {
 protected:
  std::filesystem::path beside = scratchFilePath("history_beside"), perUser = scratchFilePath("history_per_user");
  ContactHistory history{ProgramFile(beside, perUser)};
  void SetUp() override { TearDown(); }
  void TearDown() override {
    std::remove(beside.c_str());
    std::remove(perUser.c_str());
  }
};

TEST_F(PerUserHistory, IsReadMergedAndSavedWhereItLives) {
  ASSERT_TRUE(platform::writeWholeFileAtomically(beside, "old\r\nboth\r\nonly-beside\r\n"));
  ASSERT_TRUE(platform::writeWholeFileAtomically(perUser, "old\r\nboth\r\nnew\r\n"));
  const LocalText loaded = history.load();
  EXPECT_EQ(loaded, "only-beside\r\nold\r\nboth\r\nnew\r\n");
  EXPECT_EQ(history.save(loaded, historyEntry("newer")), ProgramFile::Place::PerUser);
  EXPECT_EQ(platform::readWholeFile(beside), std::optional<ByteArray>("old\r\nboth\r\nonly-beside\r\n"));
  EXPECT_EQ(history.load(), "only-beside\r\nold\r\nboth\r\nnew\r\nnewer\r\n") << "merged once, not again";
  EXPECT_TRUE(history.remove());
  EXPECT_EQ(history.load(), "");
}

TEST(MergedHistory, PutsTheLinesOnlyTheExecutablesFolderHasFirst) {
  EXPECT_EQ(mergedHistory("", "a\r\n"), "a\r\n");
  EXPECT_EQ(mergedHistory("a\r\n", ""), "a\r\n");
  EXPECT_EQ(mergedHistory("a\r\nb", "b\r\nc\r\n"), "a\r\nb\r\nc\r\n") << "a last line without CR LF";
  EXPECT_EQ(mergedHistory("abc\r\n", "abcd\r\n"), "abc\r\nabcd\r\n") << "whole lines, not parts";
  EXPECT_EQ(mergedHistory("\r\n\r\nx\r\n", "x\r\n"), "x\r\n") << "empty lines add nothing";
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
