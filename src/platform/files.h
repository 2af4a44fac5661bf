#pragma once
// Whole-file access for the contact history. Paths are file-system paths, not
// local text: the program's folder may hold characters that GBK cannot.
// Build them from wide text or ASCII; a narrow non-ASCII string does not
// convert on Windows.
#include <filesystem>
#include <optional>

#include "text/text.h"

namespace quorvane::platform {

// The folder that holds the running executable.
std::filesystem::path executableFolder();

// The whole content, or nothing when the file is missing or unreadable.
std::optional<ByteArray> readWholeFile(const std::filesystem::path& path);

// Replaces the whole content so that a crash leaves either the old or the
// new content: write a temporary file beside it, then swap it in. A swap
// refused because another program (a virus scanner, typically) holds one
// of the files open is tried again for a moment before the write fails.
bool writeWholeFileAtomically(const std::filesystem::path& path, const ByteArray& content);

bool deleteFile(const std::filesystem::path& path);

}  // namespace quorvane::platform
