#include "app/contact_log.h"

#include <algorithm>
#include <cstdio>

#include "app/csv_export.h"
#include "app/spreadsheet_cell.h"
#include "platform/files.h"
#include "text/encodings.h"

namespace quorvane {
namespace {

constexpr char kLineEnd[] = "\r\n";

std::filesystem::path logName() { return std::filesystem::path(u8"\u8054\u7CFB\u8BB0\u5F55.csv"); }  // 联系记录.csv

// A record is one line, whatever a shop name holds: a reader can then take
// a damaged line for what it is and go on with the next.
LocalText onOneLine(LocalText text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;
}

LocalText sourceText(ContactSource source) {
  return source == ContactSource::BatchList ? "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5"   // 批量联系
                                            : "\xCB\xD1\xCB\xF7\xBD\xE1\xB9\xFB";  // 搜索结果
}

// The account as its record holds it, in UTF-8.
ByteArray accountField(const LocalText& account) { return localToUtf8(asSpreadsheetText(onOneLine(account))); }

// The fields of one line, as RFC 4180 quotes them; nothing when the line
// breaks that form.
std::optional<std::vector<std::string>> fieldsOf(std::string_view line) {
  std::vector<std::string> fields;
  size_t at = 0;
  for (;;) {
    std::string field;
    if (at < line.size() && line[at] == '"') {
      for (++at;; ++at) {
        if (at >= line.size()) return std::nullopt;
        if (line[at] != '"') {
          field += line[at];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
          field += '"';
          ++at;
        } else {
          ++at;
          break;
        }
      }
    } else {
      const size_t end = std::min(line.find(',', at), line.size());
      field = line.substr(at, end - at);
      if (field.find('"') != std::string::npos) return std::nullopt;
      at = end;
    }
    fields.push_back(std::move(field));
    if (at == line.size()) return fields;
    if (line[at] != ',') return std::nullopt;
    ++at;
  }
}

}  // namespace

LocalText isoDate(const platform::LocalDateTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.year, time.month, time.day);
  return text;
}

LocalText isoLocalTime(const platform::LocalDateTime& time) {
  const int offset = time.utcOffsetMinutes < 0 ? -time.utcOffsetMinutes : time.utcOffsetMinutes;
  char text[40];
  std::snprintf(text, sizeof text, "T%02d:%02d:%02d%c%02d:%02d", time.hour, time.minute, time.second,
                time.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
  return isoDate(time) + text;
}

ByteArray contactLogHeader() {
  // 时间,联系旺旺,旺旺ID,店铺名称,关键词,地区,来源
  const LocalText titles =
      "\xCA\xB1\xBC\xE4,\xC1\xAA\xCF\xB5\xCD\xFA\xCD\xFA,\xCD\xFA\xCD\xFAID,\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6,"
      "\xB9\xD8\xBC\xFC\xB4\xCA,\xB5\xD8\xC7\xF8,\xC0\xB4\xD4\xB4";
  return ByteArray(kUtf8ByteOrderMark) + localToUtf8(titles) + kLineEnd;
}

ByteArray contactLogRecord(const ContactLogEntry& entry) {
  LocalText record = isoLocalTime(entry.time);
  for (const LocalText* field : {&entry.account, &entry.sellerId, &entry.shopName, &entry.keyword, &entry.province})
    record += ',' + csvField(onOneLine(*field));
  record += ',' + sourceText(entry.source);
  return localToUtf8(record) + kLineEnd;
}

std::map<LocalText, int> contactsPerAccountOn(std::string_view log, std::string_view date) {
  std::map<LocalText, int> counts;
  while (!log.empty()) {
    const size_t end = log.find('\n');
    std::string_view line = log.substr(0, end);
    log = end == std::string_view::npos ? std::string_view() : log.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, date.size()) != date || line.size() <= date.size() || line[date.size()] != 'T') continue;
    const std::optional<std::vector<std::string>> fields = fieldsOf(line);
    if (fields && fields->size() >= 2) ++counts[(*fields)[1]];
  }
  return counts;
}

ContactLog ContactLog::besideHistoryOf(const ProgramFile& history) {
  return ContactLog(ProgramFile::named(logName()), history);
}

bool ContactLog::perUser() const { return log_.perUser() && (history_.keptPerUser() || log_.keptPerUser()); }

std::filesystem::path ContactLog::path() const { return perUser() ? *log_.perUser() : log_.besideExecutable(); }

void ContactLog::count(const ContactLogEntry& entry) {
  if (isoDate(entry.time) == countedDate_) ++counted_[accountField(entry.account)];
}

bool ContactLog::append(const std::vector<ContactLogEntry>& entries) {
  for (const ContactLogEntry& entry : entries) {
    waiting_.push_back(entry);
    count(entry);
  }
  return flush();
}

bool ContactLog::flush() {
  if (waiting_.empty()) return true;
  ByteArray records;
  for (const ContactLogEntry& entry : waiting_) records += contactLogRecord(entry);
  const auto content = [&records](const platform::FileEnd& end) {
    if (end.size == 0) return contactLogHeader() + records;
    // A last line cut short (a crash, a full disk) stays as it is; the new
    // records start on a line of their own.
    return end.endsWithLineBreak ? records : kLineEnd + records;
  };
  std::filesystem::path target = path();
  platform::FileWrite outcome = platform::appendToFile(target, content, !lastWriteHeld_);
  if (outcome == platform::FileWrite::FolderDenied && log_.perUser() && target != *log_.perUser() &&
      platform::createFolder(log_.perUser()->parent_path()))
    outcome = platform::appendToFile(*log_.perUser(), content, !lastWriteHeld_);
  lastWriteHeld_ = outcome != platform::FileWrite::Written;
  if (outcome == platform::FileWrite::Written) waiting_.clear();
  return waiting_.empty();
}

std::optional<std::filesystem::path> ContactLog::keepWaitingRecords(const platform::LocalDateTime& now) {
  if (waiting_.empty()) return std::nullopt;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d%02d%02d", now.year, now.month, now.day, now.hour,
                now.minute, now.second);
  // 联系记录 (未能写入 2024-05-17 140322).csv
  std::filesystem::path kept = path();
  kept.replace_filename(std::filesystem::path(u8"\u8054\u7CFB\u8BB0\u5F55 (\u672A\u80FD\u5199\u5165 ") += stamp);
  kept += ").csv";
  ByteArray content = contactLogHeader();
  for (const ContactLogEntry& entry : waiting_) content += contactLogRecord(entry);
  if (!platform::writeWholeFileAtomically(kept, content)) return std::nullopt;
  waiting_.clear();
  return kept;
}

int ContactLog::contactsOn(const platform::LocalDateTime& date, const LocalText& account, bool reread) {
  const LocalText day = isoDate(date);
  if (day != countedDate_ || reread) {
    countedDate_ = day;
    counted_ = contactsPerAccountOn(platform::readWholeFile(path()).value_or(ByteArray()), day);
    for (const ContactLogEntry& entry : waiting_) count(entry);
  }
  const auto found = counted_.find(accountField(account));
  return found == counted_.end() ? 0 : found->second;
}

}  // namespace quorvane
