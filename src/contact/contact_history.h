#pragma once
// The ids of the sellers already contacted: one file beside the executable,
// each id followed by CR LF, read whole and rewritten whole.
#include <filesystem>
#include <utility>

#include "text/text.h"

namespace quorvane {

class ContactHistory {
 public:
  // The history of this program: "\data.txt" in the executable's folder.
  static ContactHistory besideExecutable();
  explicit ContactHistory(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  // The whole file as it is, byte for byte; "" when missing or unreadable.
  LocalText load() const;
  // Writes `loaded` followed by `newEntries` as the whole new content. The
  // old content stays in place until the new one is complete, so a crash
  // mid-save never loses the history. False when the write failed.
  bool save(const LocalText& loaded, const LocalText& newEntries) const;
  bool remove() const;

 private:
  std::filesystem::path path_;
};

// One entry of the file: the id and CR LF.
LocalText historyEntry(const LocalText& sellerId);

// True when the id occurs anywhere in the history text (case-sensitive), so
// an id inside a longer recorded one counts. An empty id names no seller and
// is never contacted.
bool isContacted(const LocalText& history, const LocalText& sellerId);

}  // namespace quorvane
