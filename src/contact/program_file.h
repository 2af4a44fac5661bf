#pragma once
// A file the program keeps for its user (the contact history, the settings):
// beside the executable, as a program run from its own folder keeps it. Where
// that folder refuses a new file (a program under Program Files, a read-only
// medium), the file goes to the per-user folder, %LOCALAPPDATA%\Quorvane,
// instead. Once a per-user copy exists it is the file from then on: every
// save goes there, so the user's work is never split between two copies
// that both change.
#include <filesystem>
#include <functional>
#include <optional>

#include "text/text.h"

namespace quorvane {

class ProgramFile {
 public:
  enum class Place { BesideExecutable, PerUser };

  // `name` beside the running executable, and in the per-user folder. A
  // name beyond ASCII is given as UTF-8 (u8"...") or wide text.
  static ProgramFile named(const std::filesystem::path& name);
  // `perUser`: nothing for a file that has no other place.
  ProgramFile(std::filesystem::path besideExecutable, std::optional<std::filesystem::path> perUser)
      : besideExecutable_(std::move(besideExecutable)), perUser_(std::move(perUser)) {}

  const std::filesystem::path& besideExecutable() const { return besideExecutable_; }
  const std::optional<std::filesystem::path>& perUser() const { return perUser_; }
  bool keptPerUser() const;

  // Each copy as it is; nothing when it is missing or unreadable.
  std::optional<ByteArray> readBesideExecutable() const;
  std::optional<ByteArray> readPerUser() const;

  // Writes the whole content (see platform::replaceWholeFile): into the
  // per-user copy when there is one, else beside the executable, and there,
  // when the folder refuses the file, into a new per-user copy. Where it
  // landed; nothing when the write failed.
  std::optional<Place> save(const ByteArray& content) const;
  // The same, the content made for the place it goes to (a per-user copy
  // may leave out what belongs to the executable's folder).
  std::optional<Place> save(const std::function<ByteArray(Place)>& contentFor) const;

  // Deletes both copies. True when neither is left.
  bool remove() const;

 private:
  std::filesystem::path besideExecutable_;
  std::optional<std::filesystem::path> perUser_;
};

}  // namespace quorvane
