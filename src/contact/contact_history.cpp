#include "contact/contact_history.h"

#include <set>
#include <string_view>
#include <vector>

namespace quorvane {
namespace {

constexpr std::string_view kBreak = "\r\n";

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find(kBreak);
    lines.push_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + kBreak.size());
  }
  return lines;
}

}  // namespace

ContactHistory ContactHistory::ofThisProgram() { return ContactHistory(ProgramFile::named("data.txt")); }

LocalText ContactHistory::load() const {
  const LocalText beside = file_.readBesideExecutable().value_or(LocalText());
  if (!file_.keptPerUser()) return beside;
  return mergedHistory(beside, file_.readPerUser().value_or(LocalText()));
}

std::optional<ProgramFile::Place> ContactHistory::save(const LocalText& loaded, const LocalText& newEntries) const {
  return file_.save(loaded + newEntries);
}

bool ContactHistory::remove() const { return file_.remove(); }

LocalText historyEntry(const LocalText& sellerId) { return sellerId + "\r\n"; }

LocalText mergedHistory(const LocalText& besideExecutable, const LocalText& perUser) {
  std::vector<std::string_view> kept = linesOf(perUser);
  const std::set<std::string_view> known(kept.begin(), kept.end());
  LocalText merged;
  for (std::string_view line : linesOf(besideExecutable))
    if (!line.empty() && !known.count(line)) merged.append(line).append(kBreak);
  return merged + perUser;
}

bool isContacted(const LocalText& history, const LocalText& sellerId) {
  return !sellerId.empty() && history.find(sellerId) != LocalText::npos;
}

}  // namespace quorvane
