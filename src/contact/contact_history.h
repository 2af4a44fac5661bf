#pragma once
// The ids of the sellers already contacted: "data.txt", each id followed by
// CR LF, read whole and rewritten whole. It lives beside the executable, or,
// where that folder refuses it, in the per-user folder (program_file.h).
#include <filesystem>
#include <optional>
#include <utility>

#include "contact/program_file.h"
#include "text/text.h"

namespace quorvane {

class ContactHistory {
 public:
  // The history of this program: "data.txt" beside the executable or in the
  // per-user folder.
  static ContactHistory ofThisProgram();
  // A history at `path` alone, with no other place.
  explicit ContactHistory(std::filesystem::path path) : file_(std::move(path), std::nullopt) {}
  explicit ContactHistory(ProgramFile file) : file_(std::move(file)) {}

  const ProgramFile& file() const { return file_; }

  // The whole history, byte for byte; "" when missing or unreadable. Where
  // the per-user copy is the history, the lines only the executable's folder
  // still holds (written there before, or by another copy of the program)
  // come first, so nothing recorded there is forgotten.
  LocalText load() const;
  // Writes `loaded` followed by `newEntries` as the whole new content. The
  // old content stays in place until the new one is complete, so a crash
  // mid-save never loses the history. Where it landed; nothing when the
  // write failed.
  std::optional<ProgramFile::Place> save(const LocalText& loaded, const LocalText& newEntries) const;
  // Deletes every copy; true when none is left.
  bool remove() const;

 private:
  ProgramFile file_;
};

// One entry of the file: the id and CR LF.
LocalText historyEntry(const LocalText& sellerId);

// `perUser` preceded by each line of `besideExecutable` that it lacks as a
// whole line, each followed by CR LF. Lines are the pieces between CR LF.
LocalText mergedHistory(const LocalText& besideExecutable, const LocalText& perUser);

// True when the id occurs anywhere in the history text (case-sensitive), so
// an id inside a longer recorded one counts. An empty id names no seller and
// is never contacted.
bool isContacted(const LocalText& history, const LocalText& sellerId);

}  // namespace quorvane
