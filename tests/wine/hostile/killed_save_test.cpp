// A save of the history file cut short by the process being killed: the file
// must hold one whole content, the old or the new one, never a part of one
// and never nothing; and what a killed save leaves behind must not stop the
// next one. The test runs itself with --save-loop as the process it kills.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"

namespace quorvane {
namespace {

constexpr size_t kContentBytes = 3 << 20;
constexpr int kKills = 60;

// Content number `generation`: its number first, then bytes that depend on
// it throughout, so any mix of two contents or any cut is told apart.
ByteArray content(unsigned generation) {
  ByteArray bytes = "generation " + std::to_string(generation) + "\n";
  bytes.reserve(kContentBytes + 64);
  unsigned state = generation * 2654435761u + 1;
  while (bytes.size() < kContentBytes + generation % 7) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>('a' + (state >> 16) % 26));
  }
  return bytes;
}

// True when `bytes` is exactly one of the contents.
bool wholeContent(const ByteArray& bytes, unsigned* generation) {
  unsigned number = 0;
  if (std::sscanf(bytes.c_str(), "generation %u", &number) != 1) return false;
  *generation = number;
  return bytes == content(number);
}

std::wstring selfPath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

LocalText scratchFolder() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  LocalText path = LocalText(folder) + "quorvane-killed-save-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

// The process that gets killed: saves contents first, first+1, ... to
// `path` without end, and signals `ready` before its first save.
int saveLoop(const char* path, unsigned first, const char* ready) {
  ByteArray contents[2] = {content(first), content(first + 1)};
  HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, ready);
  if (event) SetEvent(event);
  for (unsigned n = 0;; ++n) {
    if (n > 1) contents[n % 2] = content(first + n);
    if (!platform::writeWholeFileAtomically(path, contents[n % 2])) return 3;
  }
}

TEST(KilledSave, LeavesTheOldOrTheNewContentWholeAndTheNextSaveWorks) {
  const LocalText folder = scratchFolder();
  const LocalText file = folder + "\\data.txt";
  ASSERT_TRUE(platform::writeWholeFileAtomically(file, content(0)));
  unsigned latest = 0, kept = 0, unchanged = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    const unsigned first = (kill + 1) * 1000;
    const std::string ready = "quorvane-save-loop-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(kill);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
    std::wstring command = L"\"" + selfPath() + L"\" --save-loop \"" + std::wstring(file.begin(), file.end()) +
                           L"\" " + std::to_wstring(first) + L" " + std::wstring(ready.begin(), ready.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    ASSERT_EQ(WaitForSingleObject(event, 30000), WAIT_OBJECT_0);
    // The kill falls at a different point of a save each time: a save of
    // this size takes some milliseconds, the pause steps by less than one.
    Sleep(static_cast<DWORD>((kill * 7) % 23));
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 9u) << "the saving process ended by itself: a save failed";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(event);

    std::optional<ByteArray> bytes = platform::readWholeFile(file);
    ASSERT_TRUE(bytes.has_value()) << "the file is missing";
    unsigned generation = 0;
    ASSERT_TRUE(wholeContent(*bytes, &generation)) << "a part of a content: " << bytes->size() << " bytes";
    EXPECT_TRUE(generation == latest || generation >= first) << "an older content came back: " << generation;
    if (generation == latest) ++unchanged;
    latest = generation;
    ++kept;
  }
  std::printf("%u kills: %u left the content before them, %u a newer one\n", kept, unchanged, kept - unchanged);

  // Whatever the kills left beside the file (a half-written temporary
  // file), the next save goes through and reads back whole.
  const LocalText leftover = file + ".tmp";
  ASSERT_TRUE(platform::writeWholeFileAtomically(leftover, "a half-written save"));
  ASSERT_TRUE(platform::writeWholeFileAtomically(file, content(7)));
  EXPECT_EQ(platform::readWholeFile(file), std::optional<ByteArray>(content(7)));
  HANDLE held = CreateFileA(leftover.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CloseHandle(held);
  ASSERT_TRUE(platform::writeWholeFileAtomically(file, content(8)));
  EXPECT_EQ(platform::readWholeFile(file), std::optional<ByteArray>(content(8)));
  platform::deleteFile(leftover);
  platform::deleteFile(file);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--save-loop") == 0)
    return quorvane::saveLoop(argv[2], static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)), argv[4]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
