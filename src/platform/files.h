#pragma once
// Whole-file access for the program's own files (the contact history, the
// settings, an export). Paths are file-system paths, not
// local text: the program's folder may hold characters that GBK cannot.
// Build them from wide text or ASCII; a narrow non-ASCII string does not
// convert on Windows.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "text/text.h"

namespace quorvane::platform {

// The folder that holds the running executable.
std::filesystem::path executableFolder();

// The program's folder in the user's own profile, %LOCALAPPDATA%\Quorvane
// (the variable where it is set, else the profile's known folder). It is not
// created here. Nothing when the profile has no such place.
std::optional<std::filesystem::path> perUserFolder();

// Creates the folder (its parent must exist); true when it exists afterwards.
bool createFolder(const std::filesystem::path& path);
bool fileExists(const std::filesystem::path& path);

// The whole content, or nothing when the file is missing or unreadable.
std::optional<ByteArray> readWholeFile(const std::filesystem::path& path);

enum class FileWrite {
  Written,
  // The folder refuses a new file in it (access denied, a read-only medium):
  // answered at once, as waiting would not change it.
  FolderDenied,
  Failed,
};

// Replaces the whole content so that a crash leaves either the old or the
// new content: write a temporary file beside it, then swap it in. A step
// refused because another program (a virus scanner, typically) holds one
// of the files open is tried again for a moment before the write fails; a
// folder that refuses the temporary file is answered at once.
FileWrite replaceWholeFile(const std::filesystem::path& path, const ByteArray& content);

// replaceWholeFile, true when written.
bool writeWholeFileAtomically(const std::filesystem::path& path, const ByteArray& content);

bool deleteFile(const std::filesystem::path& path);

// What is at the end of a file about to be appended to.
struct FileEnd {
  std::uint64_t size = 0;
  bool endsWithLineBreak = false;  // its last two bytes are CR LF
};

// Appends to the end of the file, creating it when missing, and never
// rewrites or moves what it holds. `content` is asked for the bytes once the
// file is open, with what its end is then. A file another program holds is
// tried again for a moment when `waitWhileHeld` (else answered at once); a
// folder that refuses a new file is answered at once (FolderDenied).
FileWrite appendToFile(const std::filesystem::path& path, const std::function<ByteArray(const FileEnd&)>& content,
                       bool waitWhileHeld);

}  // namespace quorvane::platform
