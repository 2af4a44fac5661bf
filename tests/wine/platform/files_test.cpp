#include "platform/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

// A folder beside the test program, emptied and removed after each test.
class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(folder, error);
    ASSERT_TRUE(fs::create_directory(folder, error)) << error.message();
  }
  void TearDown() override { fs::remove_all(folder, error); }
  virtual fs::path folderName() const { return L"files-test-" + std::to_wstring(GetCurrentProcessId()); }

  std::error_code error;
  fs::path folder = executableFolder() / folderName();
};

class WholeFiles : public ScratchFolder {
 protected:
  // A Chinese file name ("历史.txt" in GBK).
  fs::path path = folder / toWide("\xC0\xFA\xCA\xB7.txt");
};

TEST_F(WholeFiles, MissingFileReadsAsNothing) { EXPECT_FALSE(readWholeFile(path).has_value()); }

TEST_F(WholeFiles, AtomicWriteReplacesTheWholeContentAndLeavesNoTemporary) {
  ASSERT_TRUE(writeWholeFileAtomically(path, ByteArray("old\r\nlonger content\r\n")));
  ASSERT_TRUE(writeWholeFileAtomically(path, ByteArray("n\0w\r\n", 5)));
  EXPECT_EQ(readWholeFile(path).value(), ByteArray("n\0w\r\n", 5));
  EXPECT_FALSE(fs::exists(fs::path(path) += ".tmp"));
}

TEST_F(WholeFiles, DeleteOfAMissingFileFailsQuietly) {
  EXPECT_FALSE(deleteFile(path));
  ASSERT_TRUE(writeWholeFileAtomically(path, ""));
  EXPECT_EQ(readWholeFile(path).value(), "");
  EXPECT_TRUE(deleteFile(path));
}

// A spreadsheet holds the contact log open and refuses writers: the append
// gives up (at once when told not to wait) and leaves every byte; once the
// file is let go, the next append sees the file's end and lands after it.
TEST_F(WholeFiles, AnAppendRefusedByAHolderLeavesTheFileAndTheNextLandsAfterItsEnd) {
  ASSERT_TRUE(writeWholeFileAtomically(path, "a\r\nb"));
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(appendToFile(path, [](const FileEnd&) { return ByteArray("x"); }, false), FileWrite::Failed);
  CloseHandle(held);
  EXPECT_EQ(readWholeFile(path), std::optional<ByteArray>("a\r\nb"));
  FileEnd seen;
  const auto record = [&](const FileEnd& end) {
    seen = end;
    return ByteArray(end.endsWithLineBreak ? "c\r\n" : "\r\nc\r\n");
  };
  EXPECT_EQ(appendToFile(path, record, true), FileWrite::Written);
  EXPECT_EQ(seen.size, 4u);
  EXPECT_EQ(readWholeFile(path), std::optional<ByteArray>("a\r\nb\r\nc\r\n"));
  EXPECT_EQ(appendToFile(path, record, true), FileWrite::Written);
  EXPECT_TRUE(seen.endsWithLineBreak);
  EXPECT_EQ(readWholeFile(path), std::optional<ByteArray>("a\r\nb\r\nc\r\nc\r\n"));
}

// Korean and an emoji: characters that GBK has no bytes for.
class FolderOutsideGbk : public ScratchFolder {
 protected:
  fs::path folderName() const override {
    return L"\uD55C\uAD6D\U0001F600-" + std::to_wstring(GetCurrentProcessId());
  }
};

TEST_F(FolderOutsideGbk, FilesInItAreWrittenReadAndDeleted) {
  const fs::path file = folder / "data.txt";
  ASSERT_TRUE(writeWholeFileAtomically(file, "a\r\n"));
  ASSERT_TRUE(writeWholeFileAtomically(file, "a\r\nb\r\n"));
  EXPECT_EQ(readWholeFile(file), std::optional<ByteArray>("a\r\nb\r\n"));
  EXPECT_TRUE(deleteFile(file));
  EXPECT_FALSE(fs::exists(file));
}

// Another program holds the history open without sharing deletion, as a
// virus scanner does with a file just written: the file cannot be replaced
// until it lets go.
class HeldHistory : public ScratchFolder {
 protected:
  void SetUp() override {
    ScratchFolder::SetUp();
    ASSERT_TRUE(writeWholeFileAtomically(file, "old\r\n"));
  }
  void TearDown() override {
    if (holder.hProcess) {
      WaitForSingleObject(holder.hProcess, 30000);
      CloseHandle(holder.hProcess);
      CloseHandle(holder.hThread);
    }
    ScratchFolder::TearDown();
  }
  // Returns once the holder has the file open.
  void holdFor(DWORD milliseconds) {
    const std::wstring ready = L"quorvane-held-history-" + std::to_wstring(GetCurrentProcessId());
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
    std::wstring command = L"\"" FILE_HOLDER_EXE L"\" \"" + file.wstring() + L"\" " +
                           std::to_wstring(milliseconds) + L" " + ready;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &holder));
    HANDLE either[] = {event, holder.hProcess};
    ASSERT_EQ(WaitForMultipleObjects(2, either, FALSE, 30000), WAIT_OBJECT_0) << "the holder could not open the file";
    CloseHandle(event);
  }
  // What the save is up against: one attempt to replace the held file.
  bool replacingIsRefused() const {
    const fs::path other = folder / "other.txt";
    if (!writeWholeFileAtomically(other, "other")) return false;
    bool refused = !MoveFileExW(other.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
    DeleteFileW(other.c_str());
    return refused;
  }

  fs::path file = folder / "data.txt";
  PROCESS_INFORMATION holder{};
};

TEST_F(HeldHistory, ASaveLandsWhenTheFileIsHeldForHalfASecond) {
  holdFor(500);
  ASSERT_TRUE(replacingIsRefused());
  EXPECT_TRUE(writeWholeFileAtomically(file, "old\r\nnew\r\n"));
  EXPECT_EQ(readWholeFile(file), std::optional<ByteArray>("old\r\nnew\r\n"));
  EXPECT_FALSE(fs::exists(fs::path(file) += ".tmp"));
}

TEST_F(HeldHistory, ASaveHeldOffTooLongFailsAndKeepsTheOldContent) {
  holdFor(4000);
  ASSERT_TRUE(replacingIsRefused());
  EXPECT_FALSE(writeWholeFileAtomically(file, "new\r\n"));
  EXPECT_EQ(readWholeFile(file), std::optional<ByteArray>("old\r\n"));
  EXPECT_FALSE(fs::exists(fs::path(file) += ".tmp"));
  WaitForSingleObject(holder.hProcess, 30000);
  EXPECT_TRUE(writeWholeFileAtomically(file, "new\r\n")) << "once the holder lets go";
  EXPECT_EQ(readWholeFile(file), std::optional<ByteArray>("new\r\n"));
}

TEST(ExecutableFolder, IsTheFolderOfTheRunningProgramWithoutTrailingSeparator) {
  wchar_t self[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  const std::wstring folder = executableFolder().wstring();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), L'\\');
  EXPECT_EQ(std::wstring(self).rfind(folder + L"\\", 0), 0u);
}

}  // namespace
}  // namespace quorvane::platform
