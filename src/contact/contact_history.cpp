#include "contact/contact_history.h"

#include "platform/files.h"

namespace quorvane {

ContactHistory ContactHistory::besideExecutable() {
  return ContactHistory(platform::executableFolder() / "data.txt");
}

LocalText ContactHistory::load() const { return platform::readWholeFile(path_).value_or(LocalText()); }

bool ContactHistory::save(const LocalText& loaded, const LocalText& newEntries) const {
  return platform::writeWholeFileAtomically(path_, loaded + newEntries);
}

bool ContactHistory::remove() const { return platform::deleteFile(path_); }

LocalText historyEntry(const LocalText& sellerId) { return sellerId + "\r\n"; }

bool isContacted(const LocalText& history, const LocalText& sellerId) {
  return !sellerId.empty() && history.find(sellerId) != LocalText::npos;
}

}  // namespace quorvane
