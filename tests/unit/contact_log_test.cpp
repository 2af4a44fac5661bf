#include "app/contact_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "csv_reader.h"
#include "platform/files.h"
#include "scratch_file.h"

namespace quorvane {
namespace {

using platform::LocalDateTime;
using namespace std::string_literals;

constexpr LocalDateTime kLateOn17th{2024, 5, 17, 23, 59, 59, 480};
constexpr LocalDateTime kEarlyOn18th{2024, 5, 18, 0, 0, 0, 480};

ContactLogEntry entry(LocalDateTime time, LocalText account, LocalText id = "seller") {
  return {time, std::move(account), std::move(id), "shop", "k", "\xD5\xE3\xBD\xAD", ContactSource::SearchResults};
}

TEST(ContactLogRecord, ReadsBackFieldByFieldQuotedAndKeptFromRunningAsFormulas) {
  const ContactLogEntry tricky{{2024, 1, 2, 3, 4, 5, -90},
                               "-acct",
                               "a,b",
                               "\"=HYPERLINK(1)\"\r\n\xB5\xEA",  // "=HYPERLINK(1)" CR LF 店
                               "=1+2",
                               "\xD5\xE3\xBD\xAD",  // 浙江
                               ContactSource::BatchList};
  const ByteArray log = contactLogHeader() + contactLogRecord(tricky) + contactLogRecord(entry(kLateOn17th, "b"));
  ASSERT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  const std::optional<std::vector<CsvRecord>> records = readCsv(std::string_view(log).substr(3));
  ASSERT_TRUE(records.has_value());
  ASSERT_EQ(records->size(), 3u);
  // 时间,联系旺旺,旺旺ID,店铺名称,关键词,地区,来源
  EXPECT_EQ((*records)[0], (CsvRecord{"\xE6\x97\xB6\xE9\x97\xB4", "\xE8\x81\x94\xE7\xB3\xBB\xE6\x97\xBA\xE6\x97\xBA",
                                      "\xE6\x97\xBA\xE6\x97\xBA" "ID", "\xE5\xBA\x97\xE9\x93\xBA\xE5\x90\x8D\xE7\xA7\xB0",
                                      "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D", "\xE5\x9C\xB0\xE5\x8C\xBA",
                                      "\xE6\x9D\xA5\xE6\xBA\x90"}));
  EXPECT_EQ((*records)[1], (CsvRecord{"2024-01-02T03:04:05-01:30", "'-acct", "a,b",
                                      "\"=HYPERLINK(1)\"  \xE5\xBA\x97",  // one line; the quote first is no formula
                                      "'=1+2", "\xE6\xB5\x99\xE6\xB1\x9F",
                                      "\xE6\x89\xB9\xE9\x87\x8F\xE8\x81\x94\xE7\xB3\xBB"}));  // 批量联系
  EXPECT_EQ((*records)[2][0], "2024-05-17T23:59:59+08:00");
  EXPECT_EQ((*records)[2][6], "\xE6\x90\x9C\xE7\xB4\xA2\xE7\xBB\x93\xE6\x9E\x9C");  // 搜索结果
}

TEST(ContactLogCount, CountsEachAccountsRecordsOfOneLocalDayAndPassesDamagedLinesBy) {
  const ByteArray log = contactLogHeader() + contactLogRecord(entry(kLateOn17th, "a")) +
                        contactLogRecord(entry(kLateOn17th, "-b")) + "2024-05-17T10:00:00+08:00,\"a\r\n" +
                        "2024-05-17 broken,a\r\n" + contactLogRecord(entry(kEarlyOn18th, "a")) +
                        contactLogRecord(entry(kLateOn17th, "a", "x,\"y\"")) + "2024-05-17T09:00:00+08:00,a";
  EXPECT_EQ(contactsPerAccountOn(log, "2024-05-17"), (std::map<LocalText, int>{{"a", 3}, {"'-b", 1}}));
  EXPECT_EQ(contactsPerAccountOn(log, "2024-05-18"), (std::map<LocalText, int>{{"a", 1}}));
}

class ContactLogFile : public ::testing::Test {
 protected:
  std::filesystem::path path = scratchFilePath("contact_log") + ".csv";
  ContactLog log{ProgramFile(path, std::nullopt), ProgramFile(path.string() + ".history", std::nullopt)};
  void SetUp() override { std::remove(path.c_str()); }
  void TearDown() override { std::remove(path.c_str()); }
  ByteArray content() const { return platform::readWholeFile(path).value_or("(missing)"); }
};

// The day's count follows the log across midnight: what was launched before
// midnight counts for the day before, the new day starts at what the log
// holds for it, and the program's own records count at once.
TEST_F(ContactLogFile, TheDailyCountStartsAgainAtLocalMidnight) {
  ASSERT_TRUE(log.append({entry(kLateOn17th, "a"), entry(kLateOn17th, "a"), entry(kLateOn17th, "b")}));
  EXPECT_EQ(log.contactsOn(kLateOn17th, "a"), 2);
  ASSERT_TRUE(log.append({entry(kLateOn17th, "a")}));
  EXPECT_EQ(log.contactsOn(kLateOn17th, "a"), 3);
  EXPECT_EQ(log.contactsOn(kEarlyOn18th, "a"), 0);
  ASSERT_TRUE(log.append({entry(kEarlyOn18th, "a")}));
  EXPECT_EQ(log.contactsOn(kEarlyOn18th, "a"), 1);
  EXPECT_EQ(log.contactsOn(kEarlyOn18th, "b"), 0);
  // Another copy of the program added a record: seen when the log is read again.
  ASSERT_EQ(platform::appendToFile(path, [](const platform::FileEnd&) { return contactLogRecord(entry(kEarlyOn18th, "b")); },
                                   false),
            platform::FileWrite::Written);
  EXPECT_EQ(log.contactsOn(kEarlyOn18th, "b"), 0);
  EXPECT_EQ(log.contactsOn(kEarlyOn18th, "b", true), 1);
}

// The log is only ever added to: whatever it held stays byte for byte, a
// last line cut short is closed before the next record, and a new log
// starts with its titles.
TEST_F(ContactLogFile, AppendingKeepsEveryEarlierByteAndStartsOnANewLine) {
  ASSERT_TRUE(log.append({entry(kLateOn17th, "a")}));
  EXPECT_EQ(content(), contactLogHeader() + contactLogRecord(entry(kLateOn17th, "a")));
  const ByteArray damaged = "\xEF\xBB\xBFhand made\r\n\0\xFF,\"open"s;
  { std::ofstream(path, std::ios::binary) << damaged; }
  ASSERT_TRUE(log.append({entry(kEarlyOn18th, "a")}));
  EXPECT_EQ(content(), damaged + "\r\n" + contactLogRecord(entry(kEarlyOn18th, "a")));
  EXPECT_EQ(log.contactsOn(kEarlyOn18th, "a", true), 1);
}

}  // namespace
}  // namespace quorvane
