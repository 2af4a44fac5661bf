#pragma once
// The contact log, "联系记录.csv": one record for every chat actually
// launched, from the result grid or from the batch list, for the user to
// follow up and for the daily limit to count. It lies beside the history
// (data.txt) in use, as a spreadsheet opens it: UTF-8 with a byte-order
// mark, CR LF, fields quoted as RFC 4180 has it and kept from running as
// formulas, as the export writes them.
//
// The log is only ever appended to: earlier records are never rewritten,
// so a damaged or hand-edited log keeps whatever it holds. Records that
// cannot be written (the file held open by a spreadsheet, a full disk) wait
// in memory, go first with the next ones, and count for the day all the
// same; those still waiting when the program ends go into a file of their
// own beside the log.
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "contact/program_file.h"
#include "platform/local_time.h"
#include "text/text.h"

namespace quorvane {

enum class ContactSource {
  SearchResults,  // 搜索结果: 联系选中 on the grid's ticked rows
  BatchList,      // 批量联系: the batch window's list
};

struct ContactLogEntry {
  platform::LocalDateTime time;
  LocalText account;  // the 联系旺旺 account the chat went out from
  LocalText sellerId;
  LocalText shopName;
  LocalText keyword;
  LocalText province;
  ContactSource source = ContactSource::SearchResults;
};

// "2024-05-17T14:03:22+08:00" and "2024-05-17".
LocalText isoLocalTime(const platform::LocalDateTime& time);
LocalText isoDate(const platform::LocalDateTime& time);

// The log's first bytes: the byte-order mark and the titles 时间, 联系旺旺,
// 旺旺ID, 店铺名称, 关键词, 地区, 来源.
ByteArray contactLogHeader();
// One record, in UTF-8, ended by CR LF.
ByteArray contactLogRecord(const ContactLogEntry& entry);

// Records per account on one day ("2024-05-17"), read from a log's bytes;
// the accounts as the records hold them (UTF-8, kept from running as
// formulas). Records that cannot be read (a damaged line, the titles) count
// for nobody.
std::map<LocalText, int> contactsPerAccountOn(std::string_view log, std::string_view date);

class ContactLog {
 public:
  // "联系记录.csv" beside the history in use: per user where `history` is
  // kept there, else beside the executable and, where that folder refuses a
  // new file, per user.
  static ContactLog besideHistoryOf(const ProgramFile& history);
  ContactLog(ProgramFile log, ProgramFile history) : log_(std::move(log)), history_(std::move(history)) {}

  // Adds the records, then writes every waiting one. True when none is left
  // waiting.
  bool append(const std::vector<ContactLogEntry>& entries);
  // Tries the waiting records again; true when none is left.
  bool flush();
  int waiting() const { return static_cast<int>(waiting_.size()); }
  // At the end of the program: the records still waiting go into a file of
  // their own beside the log. Its path; nothing when none was waiting or it
  // could not be written either.
  std::optional<std::filesystem::path> keepWaitingRecords(const platform::LocalDateTime& now);

  // Chats launched on `date` from `account`: the log's and the waiting
  // ones. The file is read when the date changes or `reread` is asked (it
  // may have grown by another copy of the program, or been replaced).
  int contactsOn(const platform::LocalDateTime& date, const LocalText& account, bool reread = false);

  // Where the log is now: beside the history in use.
  std::filesystem::path path() const;

 private:
  bool perUser() const;
  void count(const ContactLogEntry& entry);

  ProgramFile log_;
  ProgramFile history_;
  std::vector<ContactLogEntry> waiting_;
  bool lastWriteHeld_ = false;  // then the next write does not wait for the holder
  LocalText countedDate_;
  std::map<LocalText, int> counted_;  // per account on countedDate_, the waiting records included
};

}  // namespace quorvane
