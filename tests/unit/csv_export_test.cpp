#include "app/csv_export.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

#include "csv_reader.h"
#include "text/encodings.h"

namespace quorvane {
namespace {

// The export read back; an export that breaks the form fails the test.
std::vector<CsvRecord> readBack(std::string_view csv) {
  std::optional<std::vector<CsvRecord>> records = readCsv(csv);
  EXPECT_TRUE(records.has_value()) << "the export breaks RFC 4180";
  return records.value_or(std::vector<CsvRecord>{});
}

ShopRow shop(LocalText name, LocalText id, LocalText category) {
  return ShopRow{std::move(name), std::move(id), "12", "345", "3\xD0\xC4", std::move(category), "", ""};
}

const LocalText kEmptyCategory = "\xBF\xD5";  // 空

class CsvExport : public ::testing::Test {
 protected:
  ResultTable table;
  void SetUp() override {
    table.clearResults(SearchRun{{"k", "=m"}, {"\xD5\xE3\xBD\xAD"}, "2024-05-17T09:03:00+08:00"});  // 浙江
    table.setShop(1, shop("\xB5\xEA,\xC6\xCC", "a,1", kEmptyCategory));  // 店,铺
    table.applyStatus(1, {kOnlineText, kNotContactedText, RowLook::OnlineNotContacted});
    table.setShop(2, shop("\xA1\xB0\xBA\xC3\"\xB5\xEA\"", "b2", "\xC4\xD0\xD7\xB0"));  // “好"店"  男装; no status
    table.setShop(3, shop("\xB5\xDA\xD2\xBB\xD0\xD0\r\n\xB5\xDA\xB6\xFE\xD0\xD0\n", "c3", kEmptyCategory), 1, 0);  // 第一行 CR LF 第二行 LF
    table.applyStatus(3, {kOfflineText, kContactedText, RowLook::Contacted});
  }
};

TEST_F(CsvExport, WritesTheBomTheTitlesAndEveryWrittenRowQuotedWhereNeeded) {
  const ByteArray expected =
      "\xEF\xBB\xBF"
      "\xE5\xBA\x97\xE9\x93\xBA\xE5\x90\x8D\xE7\xA7\xB0,\xE6\x97\xBA\xE6\x97\xBA" "ID,"  // 店铺名称,旺旺ID,
      "\xE5\xAE\x9D\xE8\xB4\x9D\xE6\x95\xB0\xE9\x87\x8F,\xE6\x9C\x88\xE9\x94\x80\xE9\x87\x8F,"  // 宝贝数量,月销量,
      "\xE5\x8D\x96\xE5\xAE\xB6\xE4\xBF\xA1\xE8\xAA\x89,\xE4\xB8\xBB\xE8\x90\xA5\xE7\xB1\xBB\xE7\x9B\xAE,"  // 卖家信誉,主营类目,
      "\xE5\x9C\xA8\xE7\xBA\xBF\xE7\x8A\xB6\xE6\x80\x81,\xE8\x81\x94\xE7\xB3\xBB\xE7\x8A\xB6\xE6\x80\x81,"  // 在线状态,联系状态,
      "\xE5\x9C\xB0\xE5\x8C\xBA,\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D,\xE6\x90\x9C\xE7\xB4\xA2\xE6\x97\xB6\xE9\x97\xB4\r\n"  // 地区,关键词,搜索时间
      "\"\xE5\xBA\x97,\xE9\x93\xBA\",\"a,1\",12,345,3\xE5\xBF\x83,\xE7\xA9\xBA,"
      "\xE6\x97\xBA\xE6\x97\xBA\xE5\x9C\xA8\xE7\xBA\xBF,\xE6\x9C\xAA\xE8\x81\x94\xE7\xB3\xBB,"
      "\xE6\xB5\x99\xE6\xB1\x9F,k,2024-05-17T09:03:00+08:00\r\n"  // 浙江
      "\"\xE2\x80\x9C\xE5\xA5\xBD\"\"\xE5\xBA\x97\"\"\",b2,12,345,3\xE5\xBF\x83,\xE7\x94\xB7\xE8\xA3\x85,,,"
      "\xE6\xB5\x99\xE6\xB1\x9F,k,2024-05-17T09:03:00+08:00\r\n"
      "\"\xE7\xAC\xAC\xE4\xB8\x80\xE8\xA1\x8C\r\n\xE7\xAC\xAC\xE4\xBA\x8C\xE8\xA1\x8C\n\",c3,12,345,3\xE5\xBF\x83,"
      "\xE7\xA9\xBA,\xE6\x97\xBA\xE6\x97\xBA\xE7\xA6\xBB\xE7\xBA\xBF,\xE5\xB7\xB2\xE8\x81\x94\xE7\xB3\xBB,"
      "\xE6\xB5\x99\xE6\xB1\x9F,'=m,2024-05-17T09:03:00+08:00\r\n";  // a keyword is guarded like any cell
  EXPECT_EQ(resultsCsv(table), expected);
}

TEST_F(CsvExport, ReadsBackAsTheGridShowsIt) {
  const ByteArray csv = resultsCsv(table);
  ASSERT_EQ(csv.substr(0, 3), kUtf8ByteOrderMark);
  const std::vector<CsvRecord> records = readBack(std::string_view(csv).substr(3));
  ASSERT_EQ(records.size(), 4u);
  for (int row = 0; row <= 3; ++row) {
    SCOPED_TRACE(row);
    ASSERT_EQ(records[static_cast<size_t>(row)].size(), kTextColumns.size() + 3);
    for (size_t i = 0; i < kTextColumns.size(); ++i)
      EXPECT_EQ(records[static_cast<size_t>(row)][i], localToUtf8(table.text(row, kTextColumns[i])));
  }
  EXPECT_EQ(records[2][8], "\xE6\xB5\x99\xE6\xB1\x9F");  // 浙江
  EXPECT_EQ(records[3][9], "'=m");
}

// "导出选中行…" and the view: the rows given, in their order, each once,
// nothing the search has not written.
TEST_F(CsvExport, ExportsTheRowsGivenInTheirOrderEachOnce) {
  const std::vector<CsvRecord> records = readBack(std::string_view(resultsCsv(table, {3, 1, 3, 0, 9})).substr(3));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1][1], "c3");
  EXPECT_EQ(records[2][1], "a,1");
}

TEST_F(CsvExport, StopsAtTheLastWrittenRowAndAnEmptyGridGivesTheTitlesOnly) {
  table.applyStatus(9, {kOnlineText, kNotContactedText, RowLook::OnlineNotContacted});  // a status, no shop
  EXPECT_EQ(readBack(std::string_view(resultsCsv(table)).substr(3)).size(), 4u);
  table.clearResults();
  const std::vector<CsvRecord> records = readBack(std::string_view(resultsCsv(table)).substr(3));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].front(), localToUtf8(columnTitle(Column::ShopName)));
}

TEST(CsvField, QuotesOnlyWhatNeedsItAndKeepsFormulasFromRunning) {
  EXPECT_EQ(csvField("plain"), "plain");
  EXPECT_EQ(csvField(""), "");
  EXPECT_EQ(csvField("a\"b"), "\"a\"\"b\"");
  EXPECT_EQ(csvField("\""), "\"\"\"\"");
  EXPECT_EQ(csvField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
  EXPECT_EQ(csvField("@SUM(A1)"), "'@SUM(A1)");
  EXPECT_EQ(csvField("-12"), "-12");
  EXPECT_EQ(csvField("+3.5"), "+3.5");
  EXPECT_EQ(csvField("-1+2"), "'-1+2");
  EXPECT_EQ(csvField("+"), "'+");
}

// A lead byte whose second byte is missing would take the separator after
// it as its own when the file is converted, and move every later field.
TEST(CsvField, KeepsOnlyWholeCharactersSoNoSeparatorIsSwallowed) {
  EXPECT_EQ(csvField("\xB5\xEA\xD1"), "\xB5\xEA?");
  EXPECT_EQ(csvField("\xD1\""), "\"?\"\"\"");
  EXPECT_EQ(csvField(std::string_view("a\0b", 3)), "ab");
  ResultTable table;
  table.setShop(1, ShopRow{"\xD1", "\xB5", "1", "2", "3", "\xD1,", "", ""});
  const ByteArray csv = resultsCsv(table);
  const std::vector<CsvRecord> records = readBack(std::string_view(csv).substr(3));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1], (CsvRecord{"?", "?", "1", "2", "3", "?,", "", "", "", "", ""}));
}

}  // namespace
}  // namespace quorvane
