#include "app/search_position.h"

#include <gtest/gtest.h>

#include "app/search_status_line.h"
#include "text/encodings.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using Clock = SearchPosition::Clock;

const LocalText kAnhui = "\xB0\xB2\xBB\xD5";   // 安徽
const LocalText kFujian = "\xB8\xA3\xBD\xA8";  // 福建
const LocalText kGansu = "\xB8\xCA\xCB\xE0";   // 甘肃
const LocalText kReading = "\xD5\xFD\xD4\xDA\xCB\xD1\xCB\xF7\xA3\xBA";  // 正在搜索：
constexpr std::uint64_t kSteps = SearchPosition::kStepsPerProvince;

class Progress : public ::testing::Test {
 protected:
  SearchPosition position;
  Clock::time_point start{};

  void begin(std::vector<LocalText> provinces) {
    position.begin(SearchCriteria{"\xD2\xC2\xB7\xFE", std::move(provinces), 2}, "0-2\xD0\xC4", start);  // 衣服, 0-2心
  }
  void province(int index, int count, const LocalText& name) { position.apply(ProvinceStarted{index, count, name}); }
  void page(std::int64_t p, std::int64_t pages) { position.apply(PageStarted{p, pages}); }
  ProgressFraction fraction() const { return position.fraction().value_or(ProgressFraction{99, 99}); }
};

TEST_F(Progress, NothingShowsBeforeTheFirstSearch) {
  EXPECT_EQ(position.fraction(), std::nullopt);
  EXPECT_EQ(position.description(), "");
  position.apply(PageStarted{1, 3});
  EXPECT_EQ(position.fraction(), std::nullopt);
}

TEST_F(Progress, BeforeTheProbeOnlyTheProvincesDoneCountAndNoPageIsNamed) {
  begin({kAnhui, kFujian});
  EXPECT_EQ(fraction(), (ProgressFraction{0, 2 * kSteps}));
  EXPECT_EQ(position.description(), kReading + kAnhui);
  province(1, 2, kFujian);
  EXPECT_EQ(fraction(), (ProgressFraction{kSteps, 2 * kSteps}));
  EXPECT_EQ(position.description(), kReading + kFujian);
}

TEST_F(Progress, PagesReadFillTheirProvincesShare) {
  begin({kAnhui, kFujian});
  province(0, 2, kAnhui);
  page(1, 3);
  EXPECT_EQ(fraction(), (ProgressFraction{0, 2 * kSteps}));
  page(2, 3);
  EXPECT_EQ(fraction(), (ProgressFraction{333, 2 * kSteps}));
  EXPECT_EQ(position.description(), kReading + kAnhui + " \xB5\xDA 2/3 \xD2\xB3");  // 正在搜索：安徽 第 2/3 页
  page(3, 3);
  EXPECT_EQ(fraction(), (ProgressFraction{666, 2 * kSteps}));
  province(1, 2, kFujian);
  page(1, 1);
  EXPECT_EQ(fraction(), (ProgressFraction{kSteps, 2 * kSteps}));
}

TEST_F(Progress, AProvinceWithoutPagesCountsAsDoneWhenTheNextBegins) {
  begin({kAnhui, kFujian, kGansu});
  province(0, 3, kAnhui);  // its probe names no page: no page event follows
  province(1, 3, kFujian);
  EXPECT_EQ(fraction(), (ProgressFraction{kSteps, 3 * kSteps}));
  EXPECT_EQ(position.description(), kReading + kFujian);
}

TEST_F(Progress, ACreditStopMidProvinceJumpsToTheNextProvince) {
  begin({kAnhui, kFujian});
  province(0, 2, kAnhui);
  page(1, 10);
  page(2, 10);
  EXPECT_EQ(fraction(), (ProgressFraction{100, 2 * kSteps}));
  province(1, 2, kFujian);  // a shop above the limit ended 安徽 on page 2
  EXPECT_EQ(fraction(), (ProgressFraction{kSteps, 2 * kSteps}));
  EXPECT_EQ(position.description(), kReading + kFujian);
}

TEST_F(Progress, AHugePageCountStaysWithinItsShare) {
  begin({kAnhui});
  province(0, 1, kAnhui);
  page(INT64_MAX, INT64_MAX);
  EXPECT_EQ(fraction().total, kSteps);
  EXPECT_LE(fraction().done, kSteps);
  page(INT64_MAX / 2, INT64_MAX);
  EXPECT_EQ(fraction().done, kSteps / 2);
}

TEST_F(Progress, TheEndClearsTheBarAndSaysWhatWasSearchedAndHowLong) {
  begin({kAnhui, kFujian});
  province(0, 2, kAnhui);
  page(1, 2);
  position.finish(start + 65s + 400ms);
  EXPECT_EQ(position.fraction(), std::nullopt);
  // 搜索完成：关键词“衣服”，地区 安徽、福建，信誉 0-2心，用时 1分5秒
  EXPECT_EQ(position.description(),
            "\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xBA\xB9\xD8\xBC\xFC\xB4\xCA\xA1\xB0\xD2\xC2\xB7\xFE\xA1\xB1\xA3\xAC"
            "\xB5\xD8\xC7\xF8 " + kAnhui + "\xA1\xA2" + kFujian + "\xA3\xAC\xD0\xC5\xD3\xFE 0-2\xD0\xC4\xA3\xAC"
            "\xD3\xC3\xCA\xB1 1\xB7\xD6" "5\xC3\xEB");
  position.apply(PageStarted{2, 2});  // late events of an ended search change nothing
  EXPECT_EQ(position.fraction(), std::nullopt);
}

TEST_F(Progress, AStopClearsTheBarAndSaysTheSearchWasStopped) {
  begin({kAnhui});
  province(0, 1, kAnhui);
  position.stop(start + 12s);
  EXPECT_EQ(position.fraction(), std::nullopt);
  const LocalText text = position.description();
  EXPECT_EQ(text.rfind("\xCB\xD1\xCB\xF7\xD2\xD1\xCD\xA3\xD6\xB9\xA3\xBA", 0), 0u);  // 搜索已停止：
  EXPECT_NE(text.find("\xD3\xC3\xCA\xB1 12\xC3\xEB"), LocalText::npos);                 // 用时 12秒
  position.finish(start + 20s);  // an end after the stop is not the search's own
  EXPECT_EQ(position.description(), text);
}

TEST_F(Progress, ANewSearchStartsFromItsFirstProvince) {
  begin({kAnhui, kFujian});
  province(1, 2, kFujian);
  position.finish(start + 1s);
  begin({kGansu});
  EXPECT_EQ(fraction(), (ProgressFraction{0, kSteps}));
  EXPECT_EQ(position.description(), kReading + kGansu);
}

TEST(DurationText, WholeSecondsMinutesAndHours) {
  EXPECT_EQ(durationText(300ms), "\xB2\xBB\xB5\xBD" "1\xC3\xEB");  // 不到1秒
  EXPECT_EQ(durationText(59s + 999ms), "59\xC3\xEB");
  EXPECT_EQ(durationText(60s), "1\xB7\xD6" "0\xC3\xEB");
  EXPECT_EQ(durationText(3h + 2min + 1s), "3\xD0\xA1\xCA\xB1" "2\xB7\xD6" "1\xC3\xEB");
  EXPECT_EQ(durationText(3h + 1s), "3\xD0\xA1\xCA\xB1" "0\xB7\xD6" "1\xC3\xEB");
}

// ---- the status bar's line

class StatusLine : public ::testing::Test {
 protected:
  SearchStatusLine line;
  // The line in UTF-8, readable here; `where` is what the position would say.
  std::string text(const LocalText& where = kReading + kAnhui) const { return localToUtf8(line.text(where)); }
  void apply(std::initializer_list<SearchEvent> events) {
    for (const SearchEvent& event : events) line.apply(event);
  }
};

TEST_F(StatusLine, SaysWhereTheSearchIsThenHowMuchItFound) {
  EXPECT_EQ(text(), "");
  line.begin("h:1", 1);
  apply({ProvinceStarted{0, 1, kAnhui}, PageStarted{1, 2}, CountChanged{20}});
  EXPECT_EQ(text(), "正在搜索：安徽");
  line.finish();
  EXPECT_EQ(text(), "搜索完成：20 条");
  line.begin("h:1", 1);
  line.stop();
  EXPECT_EQ(text(), "搜索已停止");
}

// Two keywords through one province: each pass names its keyword, and the
// sellers found again are told.
TEST_F(StatusLine, NamesEachKeywordsPassAndCountsTheSellersMerged) {
  line.begin("h", 2);
  apply({ProvinceStarted{0, 2, kAnhui, "k"}, ProbeFailed{0}, ProvinceStarted{1, 2, kAnhui, "m"}, CountChanged{3},
         SellersMerged{1}, SellersMerged{2}});
  line.finish();
  EXPECT_EQ(text(), "搜索完成：3 条，无法连接搜索服务：h（k 安徽），合并重复卖家 2 个");
  SearchPosition position;
  position.begin(SearchCriteria{"k\r\nm", {kAnhui}, 2}, "", Clock::time_point{});
  EXPECT_EQ(localToUtf8(position.description()), "正在搜索：k 安徽");
  position.apply(ProvinceStarted{1, 2, kAnhui, "m"});
  position.apply(PageStarted{1, 2});
  EXPECT_EQ(localToUtf8(position.description()), "正在搜索：m 安徽 第 1/2 页");
  EXPECT_EQ(position.fraction(), (ProgressFraction{kSteps, 2 * kSteps}));
}

TEST_F(StatusLine, TellsEveryKindOfFailureCountedAsItHappensAndAtTheEnd) {
  line.begin("shops.example:8443", 3);
  apply({ProvinceStarted{0, 3, kAnhui}, ProbeFailed{0}, ProvinceStarted{1, 3, kFujian}});
  EXPECT_EQ(text(kReading + kFujian), "正在搜索：福建；无法连接搜索服务：shops.example:8443");
  apply({PageStarted{1, 3}, CountChanged{1}, PresenceFailed{1}, PageFailed{2}, PageFailed{3},
         ProvinceStarted{2, 3, kGansu}, PageFailed{1}});
  EXPECT_EQ(text(kReading + kGansu),
            "正在搜索：甘肃；无法连接搜索服务：shops.example:8443（安徽），福建第 2、3 页、甘肃第 1 页失败 3 页，"
            "在线状态查询失败 1 次");
  line.finish();
  EXPECT_EQ(text(), "搜索完成：1 条，无法连接搜索服务：shops.example:8443（安徽），福建第 2、3 页、甘肃第 1 页失败 3 页，"
                    "在线状态查询失败 1 次");
}

TEST_F(StatusLine, NamesNoProvinceWhereEveryOneFailedAndOnlyAFewPages) {
  line.begin("h", 2);
  apply({ProvinceStarted{0, 2, kAnhui}, ProbeFailed{0}, ProvinceStarted{1, 2, kFujian}, ProbeFailed{1}});
  line.finish();
  EXPECT_EQ(text(), "搜索完成：0 条，无法连接搜索服务：h");
  line.begin("h", 1);
  line.apply(ProvinceStarted{0, 1, kAnhui});
  for (int page = 1; page <= 40; ++page) line.apply(PageFailed{page});
  line.finish();
  EXPECT_EQ(text(), "搜索完成：0 条，第 1、2、3、4、5、6 页等失败 40 页");
}

}  // namespace
}  // namespace quorvane
