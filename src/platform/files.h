#pragma once
// Whole-file access for the contact history. Paths are local text.
#include <optional>

#include "text/text.h"

namespace quorvane::platform {

// The folder that holds the running executable, without a trailing separator.
LocalText executableFolder();

// The whole content, or nothing when the file is missing or unreadable.
std::optional<ByteArray> readWholeFile(const LocalText& path);

// Replaces the whole content so that a crash leaves either the old or the
// new content: write a temporary file beside it, then swap it in.
bool writeWholeFileAtomically(const LocalText& path, const ByteArray& content);

bool deleteFile(const LocalText& path);

}  // namespace quorvane::platform
