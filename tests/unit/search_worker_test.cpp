#include "search/search_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/search_results.h"
#include "fake_marketplace.h"
#include "search/presence_lookup.h"
#include "search/search_urls.h"
#include "scratch_file.h"

namespace quorvane {
namespace {

using testing::FakeFetcher;
using testing::FakeShop;
using testing::presenceAnswer;
using testing::probePage;
using testing::resultPage;

const LocalText kAnhui = "\xB0\xB2\xBB\xD5";
const LocalText kFujian = "\xB8\xA3\xBD\xA8";
const LocalText kContacted = kContactedText;
const LocalText kNotContacted = kNotContactedText;
const ServiceHosts kHosts{"search.test", "presence.test"};

// The worker's events as they come, and the count labels they make.
struct RecordedEvents : SearchEvents {
  std::vector<SearchEvent> events;
  std::vector<LocalText> labels;
  std::function<void()> onCount;
  void send(SearchEvent event) override {
    if (auto* count = std::get_if<CountChanged>(&event)) {
      labels.push_back(countLabel(count->rows));
      if (onCount) onCount();
    }
    events.push_back(std::move(event));
  }
};

class SearchWorkerRun : public ::testing::Test {
 protected:
  FakeFetcher web;
  RecordedEvents sent;
  std::vector<LocalText>& labels = sent.labels;
  ResultTable table;  // the rows as the window would show them
  StopFlag stop;
  ContactHistory history{scratchFilePath("search_worker")};

  void SetUp() override { std::remove(history.file().besideExecutable().c_str()); }
  void TearDown() override { std::remove(history.file().besideExecutable().c_str()); }

  // Serves one province: the probe says `pages.size()` pages; pages[0] is
  // the first page (offset 0).
  void serve(const LocalText& keyword, const LocalText& province, const std::vector<std::vector<FakeShop>>& pages) {
    web.answers[probeUrl(kHosts.search, keyword, province)] = probePage(std::to_string(pages.size()));
    for (size_t i = 0; i < pages.size(); ++i)
      web.answers[resultPageUrl(kHosts.search, keyword, province, static_cast<std::int64_t>(i) * 20)] =
          resultPage(pages[i]);
  }
  void presence(const LocalText& id, const std::string& status) {
    web.answers[presenceUrl(kHosts.presence, id, IdEncoding::KeepPlain)] = presenceAnswer(status);
  }
  void search(const LocalText& keyword, std::vector<LocalText> provinces, int limit) {
    sent.events.clear();
    sent.labels.clear();
    table.clearResults();
    SearchWorker(SearchCriteria{keyword, std::move(provinces), limit}, kHosts, history, web, sent, stop).run();
    applySearchEvents(table, sent.events);
  }
};

TEST_F(SearchWorkerRun, ProbesThenFetchesPagesLastToFirstAndAsksPresencePerShop) {
  serve("k", kAnhui, {{{"A1", "a1", "1", "2", "0"}}, {{"A2", "a2", "1", "2", "0"}}, {{"A3", "a3", "1", "2", "0"}}});
  search("k", {kAnhui}, 5);
  EXPECT_EQ(web.requested,
            (std::vector<std::string>{probeUrl("search.test", "k", kAnhui), resultPageUrl("search.test", "k", kAnhui, 40),
                                      presenceUrl("presence.test", "a3", IdEncoding::KeepPlain),
                                      resultPageUrl("search.test", "k", kAnhui, 20),
                                      presenceUrl("presence.test", "a2", IdEncoding::KeepPlain),
                                      resultPageUrl("search.test", "k", kAnhui, 0),
                                      presenceUrl("presence.test", "a1", IdEncoding::KeepPlain)}));
  EXPECT_EQ(table.text(1, Column::SellerId), "a3");
  EXPECT_EQ(table.text(3, Column::SellerId), "a1");
}

TEST_F(SearchWorkerRun, WritesColumnsOneToSixAndNumbersRowsAcrossProvinces) {
  serve("k", kAnhui, {{{"\xB5\xEA", "a1", "12", "34", "2", "Toys"}, {"A2", "a2", "5", "6", "1", ""}}});
  serve("k", kFujian, {{{"F1", "f1", "7", "8", "0", "Food"}}});
  search("k", {kAnhui, kFujian}, 5);
  EXPECT_EQ(table.text(1, Column::Tick), "");
  EXPECT_EQ(table.text(1, Column::ShopName), "\xB5\xEA");
  EXPECT_EQ(table.text(1, Column::SellerId), "a1");
  EXPECT_EQ(table.text(1, Column::ItemCount), "12");
  EXPECT_EQ(table.text(1, Column::MonthlySales), "34");
  EXPECT_EQ(table.text(1, Column::Credit), "2\xD0\xC4");  // 2心
  EXPECT_EQ(table.text(1, Column::Category), "Toys");
  EXPECT_EQ(table.text(2, Column::Category), "\xBF\xD5");  // 空
  EXPECT_EQ(table.text(3, Column::SellerId), "f1");
  EXPECT_EQ(table.text(4, Column::SellerId), "");
  EXPECT_EQ(labels, (std::vector<LocalText>{countLabel(1), countLabel(2), countLabel(3)}));
  EXPECT_EQ(countLabel(3), "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "3/\xCC\xF5");
}

// Each row goes out whole, its count right after it (before its presence is
// asked), and its status last; the end is not the worker's to announce.
TEST_F(SearchWorkerRun, SendsEachRowThenItsCountThenItsStatus) {
  serve("k", kAnhui, {{{"A", "a", "1", "2", "0"}, {"B", "b", "3", "4", "1"}}});
  presence("a", "1");
  presence("b", "0");
  search("k", {kAnhui}, 5);
  ShopRow a{"A", "a", "1", "2", "0\xD0\xC4", "cat"};
  ShopRow b{"B", "b", "3", "4", "1\xD0\xC4", "cat"};
  EXPECT_EQ(sent.events,
            (std::vector<SearchEvent>{ProvinceStarted{0, 1, kAnhui}, PageStarted{1, 1}, ShopFound{1, a}, CountChanged{1},
                                      StatusKnown{1, {kOnlineText, kNotContacted, RowLook::OnlineNotContacted}},
                                      ShopFound{2, b}, CountChanged{2},
                                      StatusKnown{2, {kOfflineText, kNotContacted, std::nullopt}}}));
}

TEST_F(SearchWorkerRun, TheFirstShopAboveTheLimitEndsItsProvince) {
  // Page 2 (fetched first) holds the low ranks; page 1 starts above the limit.
  serve("k", kAnhui, {{{"hi", "hi", "1", "1", "2"}, {"low", "low", "1", "1", "0"}},
                      {{"a", "a", "1", "1", "1"}, {"b", "b", "1", "1", "3"}, {"c", "c", "1", "1", "0"}}});
  serve("k", kFujian, {{{"f", "f", "1", "1", "1"}}});
  search("k", {kAnhui, kFujian}, 1);
  EXPECT_EQ(table.text(1, Column::SellerId), "a");
  EXPECT_EQ(table.text(2, Column::SellerId), "f") << "the rest of the page and the first page are skipped";
  EXPECT_EQ(table.text(3, Column::SellerId), "");
  for (const std::string& url : web.requested) EXPECT_NE(url, resultPageUrl("search.test", "k", kAnhui, 0));
}

TEST_F(SearchWorkerRun, CreditZeroAcceptsRankZeroOnly) {
  serve("k", kAnhui, {{{"b", "b", "1", "1", "1"}, {"a", "a", "1", "1", "0"}}});
  search("k", {kAnhui}, 0);
  EXPECT_EQ(table.text(1, Column::SellerId), "");
  serve("k", kFujian, {{{"a", "a", "1", "1", "0"}, {"b", "b", "1", "1", "1"}}});
  search("k", {kFujian}, 0);
  EXPECT_EQ(table.text(1, Column::SellerId), "a");
  EXPECT_EQ(table.text(2, Column::SellerId), "");
}

TEST_F(SearchWorkerRun, NoSelectedLimitWritesNoRowAndEndsEveryProvinceAtItsFirstShop) {
  serve("k", kAnhui, {{{"a", "a"}}, {{"b", "b"}}});
  serve("k", kFujian, {{{"f", "f"}}});
  search("k", {kAnhui, kFujian}, -1);
  EXPECT_EQ(table.text(1, Column::SellerId), "");
  EXPECT_EQ(web.requested.size(), 4u) << "probe and last page of each province";
  EXPECT_TRUE(labels.empty());
}

TEST_F(SearchWorkerRun, APresenceAndTheHistoryDecideTheStatusColumnsAndColours) {
  ASSERT_TRUE(history.save("", "xxon-and-known\r\noff-known\r\n"));
  serve("k", kAnhui, {{{"", "on-and-known"}, {"", "on-new"}, {"", "off-known"}, {"", "off-new"}, {"", "unknown"}}});
  presence("on-and-known", "1");
  presence("on-new", "1");
  presence("off-known", "0");
  presence("off-new", "0");
  presence("unknown", "");
  search("k", {kAnhui}, 5);
  EXPECT_EQ(table.text(1, Column::Presence), kOnlineText);
  EXPECT_EQ(table.text(1, Column::ContactState), kContacted);
  EXPECT_EQ(table.look(1), RowLook::Contacted);
  EXPECT_EQ(table.text(2, Column::ContactState), kNotContacted);
  EXPECT_EQ(table.look(2), RowLook::OnlineNotContacted);
  EXPECT_EQ(table.text(3, Column::Presence), kOfflineText);
  EXPECT_EQ(table.text(3, Column::ContactState), kContacted);
  EXPECT_EQ(table.text(4, Column::ContactState), kNotContacted);
  EXPECT_EQ(table.look(4), RowLook::Cleared);
  EXPECT_EQ(table.text(5, Column::Presence), "");
  EXPECT_EQ(table.text(5, Column::ContactState), "");
}

TEST_F(SearchWorkerRun, ReadsTheHistoryOnceAtTheStart) {
  serve("k", kAnhui, {{{"", "a"}, {"", "b"}}});
  presence("a", "0");
  presence("b", "0");
  sent.onCount = [&] { history.save("", "b\r\n"); };
  search("k", {kAnhui}, 5);
  EXPECT_EQ(table.text(2, Column::ContactState), kNotContacted);
}

TEST_F(SearchWorkerRun, AProvinceWithoutAPageCountIsSkipped) {
  web.answers[probeUrl("search.test", "k", kAnhui)] = probePage("x");
  serve("k", kFujian, {{{"f", "f"}}});
  search("k", {kAnhui, kFujian}, 5);
  EXPECT_EQ(table.text(1, Column::SellerId), "f");
  EXPECT_EQ(web.requested.size(), 4u);
}

// A seller found again, under another province, on another page or for
// another keyword, keeps the one row it has: no second presence request, no
// second row to tick and contact twice. Shops without an id are no seller.
TEST_F(SearchWorkerRun, SellersFoundAgainKeepTheirRowAndAreCountedAsMerged) {
  serve("k", kAnhui, {{{"s", "same"}, {"n1", ""}, {"a", "a"}}});
  serve("k", kFujian, {{{"s2", "same"}, {"n2", ""}, {"f", "f"}}});
  serve("m", kAnhui, {{{"a", "a"}, {"m", "m"}}});
  serve("m", kFujian, {{{"f", "f"}}});
  search("k\r\nm", {kAnhui, kFujian}, 5);
  std::vector<LocalText> ids;
  for (int row = 1; !table.text(row, Column::ShopName).empty(); ++row) ids.push_back(table.text(row, Column::SellerId));
  EXPECT_EQ(ids, (std::vector<LocalText>{"same", "", "a", "", "f", "m"}));
  EXPECT_EQ(table.text(1, Column::ShopName), "s") << "the row keeps the shop found first";
  EXPECT_EQ(std::count(web.requested.begin(), web.requested.end(), presenceUrl("presence.test", "same", IdEncoding::KeepPlain)), 1);
  std::vector<SearchEvent> merges;
  std::copy_if(sent.events.begin(), sent.events.end(), std::back_inserter(merges),
               [](const SearchEvent& e) { return std::holds_alternative<SellersMerged>(e); });
  EXPECT_EQ(merges, (std::vector<SearchEvent>{SellersMerged{1}, SellersMerged{2}, SellersMerged{3}}));
}

// "k；m" searches k through both provinces, then m through both, one row
// numbering and one row limit for the whole run; each row is tagged with
// the keyword and the province it was found under.
TEST_F(SearchWorkerRun, SeveralKeywordsRunOneAfterAnotherThroughTheSameProvinces) {
  serve("k", kAnhui, {{{"ka", "ka"}}});
  serve("k", kFujian, {{{"kf", "kf"}}});
  serve("m", kAnhui, {{{"ma", "ma"}}});
  serve("m", kFujian, {{{"mf", "mf"}}});
  table.clearResults(SearchRun{{"k", "m"}, {kAnhui, kFujian}, ""});
  sent.events.clear();
  SearchWorker(SearchCriteria{"k\xA3\xBB m", {kAnhui, kFujian}, 5}, kHosts, history, web, sent, stop).run();
  applySearchEvents(table, sent.events);
  std::vector<std::string> probes;
  std::copy_if(web.requested.begin(), web.requested.end(), std::back_inserter(probes),
               [](const std::string& url) { return url.find("&s=") == std::string::npos && url.find("/search") != std::string::npos; });
  EXPECT_EQ(probes, (std::vector<std::string>{probeUrl("search.test", "k", kAnhui), probeUrl("search.test", "k", kFujian),
                                              probeUrl("search.test", "m", kAnhui), probeUrl("search.test", "m", kFujian)}));
  const std::vector<std::pair<LocalText, LocalText>> origins = {{"k", kAnhui}, {"k", kFujian}, {"m", kAnhui}, {"m", kFujian}};
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(table.text(row, Column::SellerId), std::vector<LocalText>({"ka", "kf", "ma", "mf"})[row - 1]);
    EXPECT_EQ(std::make_pair(table.keywordOf(row), table.provinceOf(row)), origins[static_cast<size_t>(row - 1)]);
  }
  EXPECT_NE(std::find(sent.events.begin(), sent.events.end(), SearchEvent(ProvinceStarted{3, 4, kFujian, "m"})),
            sent.events.end());
}

TEST_F(SearchWorkerRun, EndsOnceTheGridsLastRowIsFilled) {
  std::vector<std::vector<FakeShop>> pages(501, std::vector<FakeShop>(20));
  for (size_t page = 0; page < pages.size(); ++page)
    for (size_t i = 0; i < 20; ++i) pages[page][i] = FakeShop{"s", "id" + std::to_string(page * 20 + i)};
  serve("k", kAnhui, pages);
  serve("k", kFujian, {{{"f", "f"}}});
  search("k", {kAnhui, kFujian}, 5);
  EXPECT_EQ(table.text(10000, Column::SellerId), "id39");  // pages are read from the last: row 10000 is page 2's last shop
  EXPECT_EQ(labels.back(), countLabel(10000));
  EXPECT_EQ(labels.size(), 10000u);
  for (const std::string& url : web.requested) EXPECT_EQ(url.find(kFujian), std::string::npos);
}

// Where the search is, for its progress: each province before its probe,
// each page before it is fetched; a province whose probe names no page and
// one that a shop above the limit ends are followed by the next at once.
TEST_F(SearchWorkerRun, TellsWhichProvinceAndPageItReads) {
  const LocalText gansu = "\xB8\xCA\xCB\xE0";
  web.answers[probeUrl("search.test", "k", kAnhui)] = probePage("0");
  serve("k", kFujian, {{{"low", "low", "1", "1", "0"}}, {{"hi", "hi", "1", "1", "9"}}, {{"x", "x", "1", "1", "0"}}});
  serve("k", gansu, {{{"g", "g", "1", "1", "0"}}});
  search("k", {kAnhui, kFujian, gansu}, 1);
  std::vector<SearchEvent> progress;
  std::copy_if(sent.events.begin(), sent.events.end(), std::back_inserter(progress), [](const SearchEvent& e) {
    return std::holds_alternative<ProvinceStarted>(e) || std::holds_alternative<PageStarted>(e);
  });
  EXPECT_EQ(progress, (std::vector<SearchEvent>{ProvinceStarted{0, 3, kAnhui}, ProvinceStarted{1, 3, kFujian},
                                                PageStarted{1, 3}, PageStarted{2, 3}, ProvinceStarted{2, 3, gansu},
                                                PageStarted{1, 1}}));
  EXPECT_EQ(table.text(1, Column::SellerId), "x");
  EXPECT_EQ(table.text(2, Column::SellerId), "g");
}

// Failed requests are told as they happen and change nothing else: failing
// requests whose answers read as before give the same requests in the same
// order and the same rows. A request a stop cuts short did not fail.
TEST_F(SearchWorkerRun, TellsEveryFailedRequestAndAsksAndWritesAsWithout) {
  serve("k", kFujian, {{{"f1", "f1"}}, {{"f2", "f2"}}});
  presence("f1", "1");
  presence("f2", "1");
  search("k", {kAnhui, kFujian}, 5);
  const std::vector<std::string> requests = web.requested;
  std::vector<LocalText> rows;
  for (int row = 1; row <= 3; ++row)
    for (int column = 0; column < kColumnCount; ++column) rows.push_back(table.text(row, columnAt(column)));

  web.requested.clear();
  web.failing = {probeUrl("search.test", "k", kAnhui), resultPageUrl("search.test", "k", kFujian, 0),
                 presenceUrl("presence.test", "f2", IdEncoding::KeepPlain)};
  search("k", {kAnhui, kFujian}, 5);
  EXPECT_EQ(web.requested, requests);
  for (int row = 1, i = 0; row <= 3; ++row)
    for (int column = 0; column < kColumnCount; ++column, ++i) EXPECT_EQ(table.text(row, columnAt(column)), rows[i]);
  std::vector<SearchEvent> failures;
  std::copy_if(sent.events.begin(), sent.events.end(), std::back_inserter(failures), [](const SearchEvent& e) {
    return std::holds_alternative<ProbeFailed>(e) || std::holds_alternative<PageFailed>(e) ||
           std::holds_alternative<PresenceFailed>(e);
  });
  EXPECT_EQ(failures, (std::vector<SearchEvent>{ProbeFailed{0}, PresenceFailed{1}, PageFailed{2}}));

  web.failing = {probeUrl("search.test", "k", kAnhui)};
  web.onRequest = [&](const std::string&) { stop.request(); };
  search("k", {kAnhui}, 5);
  EXPECT_EQ(sent.events, (std::vector<SearchEvent>{ProvinceStarted{0, 1, kAnhui}}));
}

TEST_F(SearchWorkerRun, AStopBeforeTheFirstRequestAsksNothing) {
  serve("k", kAnhui, {{{"a", "a"}}});
  stop.request();
  search("k", {kAnhui}, 5);
  EXPECT_TRUE(web.requested.empty());
}

TEST_F(SearchWorkerRun, AStopDuringARequestEndsTheSearchBeforeTheNextOne) {
  serve("k", kAnhui, {{{"a", "a"}, {"b", "b"}}, {{"c", "c"}}});
  web.onRequest = [&](const std::string& url) {
    if (url == resultPageUrl("search.test", "k", kAnhui, 20)) stop.request();
  };
  search("k", {kAnhui}, 5);
  EXPECT_EQ(web.requested.size(), 2u);
  EXPECT_EQ(table.text(1, Column::SellerId), "");
}

TEST_F(SearchWorkerRun, AStopDuringAPresenceRequestLeavesTheStatusColumnsEmpty) {
  serve("k", kAnhui, {{{"a", "a"}, {"b", "b"}}});
  presence("a", "1");
  web.onRequest = [&](const std::string& url) {
    if (url.find("uids=a") != std::string::npos) stop.request();
  };
  search("k", {kAnhui}, 5);
  EXPECT_EQ(table.text(1, Column::SellerId), "a");
  EXPECT_EQ(table.text(1, Column::Presence), "");
  EXPECT_EQ(table.text(2, Column::SellerId), "");
}

TEST_F(SearchWorkerRun, AHugePageCountIsPagedUntilStopped) {
  web.answers[probeUrl("search.test", "k", kAnhui)] = probePage("1000000000");
  web.onRequest = [&](const std::string&) {
    if (web.requested.size() == 50) stop.request();
  };
  search("k", {kAnhui}, 5);
  EXPECT_EQ(web.requested.size(), 50u);
  EXPECT_EQ(web.requested[1], resultPageUrl("search.test", "k", kAnhui, 19'999'999'980));
}

}  // namespace
}  // namespace quorvane
