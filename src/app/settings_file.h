#pragma once
// The settings file, Quorvane.ini, where ProgramFile keeps it: beside the
// executable, or in the per-user folder where that folder refuses it. Each
// value is read from the per-user copy when it has it, else from the copy
// beside the executable, so that the services an administrator named beside
// a program under Program Files still count for a user whose own copy keeps
// the rest. Every read and every save takes the copies as they are on disk
// then: what the user changed in Notepad while the program ran is kept.
// Saving rewrites the remembered values in the copy it goes to and keeps
// every other line of that copy; a new per-user copy gets no [Services] of
// its own.
#include <optional>

#include "app/settings.h"
#include "contact/program_file.h"

namespace quorvane {

class SettingsFile {
 public:
  static SettingsFile ofThisProgram();
  explicit SettingsFile(ProgramFile file) : file_(std::move(file)) {}

  const ProgramFile& file() const { return file_; }

  // A missing, unreadable, oversized or binary copy counts as empty.
  Settings load() const;
  // Where the settings landed; nothing when they could not be written.
  std::optional<ProgramFile::Place> save(const Settings& settings) const;

 private:
  ProgramFile file_;
};

}  // namespace quorvane
