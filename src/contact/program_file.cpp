#include "contact/program_file.h"

#include "platform/files.h"

namespace quorvane {

ProgramFile ProgramFile::named(const std::filesystem::path& name) {
  std::optional<std::filesystem::path> perUser = platform::perUserFolder();
  if (perUser) *perUser /= name;
  return ProgramFile(platform::executableFolder() / name, std::move(perUser));
}

bool ProgramFile::keptPerUser() const { return perUser_ && platform::fileExists(*perUser_); }

std::optional<ByteArray> ProgramFile::readBesideExecutable() const { return platform::readWholeFile(besideExecutable_); }

std::optional<ByteArray> ProgramFile::readPerUser() const {
  return perUser_ ? platform::readWholeFile(*perUser_) : std::nullopt;
}

std::optional<ProgramFile::Place> ProgramFile::save(const ByteArray& content) const {
  return save([&content](Place) { return content; });
}

std::optional<ProgramFile::Place> ProgramFile::save(const std::function<ByteArray(Place)>& contentFor) const {
  if (!keptPerUser()) {
    const platform::FileWrite beside =
        platform::replaceWholeFile(besideExecutable_, contentFor(Place::BesideExecutable));
    if (beside == platform::FileWrite::Written) return Place::BesideExecutable;
    if (beside == platform::FileWrite::Failed || !perUser_) return std::nullopt;
    if (!platform::createFolder(perUser_->parent_path())) return std::nullopt;
  }
  if (platform::writeWholeFileAtomically(*perUser_, contentFor(Place::PerUser))) return Place::PerUser;
  return std::nullopt;
}

bool ProgramFile::remove() const {
  platform::deleteFile(besideExecutable_);
  if (perUser_) platform::deleteFile(*perUser_);
  return !platform::fileExists(besideExecutable_) && !keptPerUser();
}

}  // namespace quorvane
