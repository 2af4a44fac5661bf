// The search worker with the real web client against the substitute
// marketplace: what reaches the grid and what goes over the wire.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "app/search_results.h"
#include "contact/contact_history.h"
#include "market_texts.h"
#include "marketplace_session.h"
#include "platform/web_client.h"
#include "search/presence_lookup.h"
#include "search/search_thread.h"
#include "search/search_urls.h"
#include "search/search_worker.h"
#include "search/service_hosts.h"
#include "shop_file.h"

namespace quorvane {
namespace {

using namespace quorvane::testing;  // the marketplace session, its shops and texts

const char* kAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; Korv; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
    ".NET CLR 3.5.21022)";

// The worker's events, from whichever thread sends them, and what they make
// of a grid and its count label.
struct CollectedEvents : SearchEvents {
  std::mutex mutex;
  std::vector<SearchEvent> events;
  void send(SearchEvent event) override {
    std::lock_guard lock(mutex);
    events.push_back(std::move(event));
  }
  void clear() {
    std::lock_guard lock(mutex);
    events.clear();
  }
  void applyTo(ResultTable& table) {
    std::lock_guard lock(mutex);
    table.clearResults();
    applySearchEvents(table, events);
  }
  std::vector<LocalText> labels() {
    std::lock_guard lock(mutex);
    std::vector<LocalText> seen;
    for (const SearchEvent& event : events)
      if (auto* count = std::get_if<CountChanged>(&event)) seen.push_back(countLabel(count->rows));
    return seen;
  }
};

class SearchAgainstMarketplace : public ::testing::Test {
 protected:
  MarketplaceSession market;
  ServiceHosts hosts = serviceHostsFromEnvironment();
  std::vector<ListedShop> shops = testing::listedShops(SHOPS_FILE);
  ContactHistory history{platform::executableFolder() / "search_service_test_data.txt"};
  ResultTable table;
  CollectedEvents sent;

  void SetUp() override {
    ASSERT_TRUE(market.running()) << "run under tests/services/with-marketplace.sh";
    ASSERT_FALSE(shops.empty());
    history.remove();
  }
  void TearDown() override {
    market.releaseAnswers();
    history.remove();
  }

  void search(const LocalText& keyword, std::vector<LocalText> provinces, int limit) {
    platform::WebClient web;
    StopFlag stop;
    sent.clear();
    SearchWorker({keyword, std::move(provinces), limit}, hosts, history, web, sent, stop).run();
    sent.applyTo(table);
  }

  // Shop `i` of a province's listing in shops.tsv; the file lists them by credit.
  ListedShop shop(const LocalText& province, size_t i) {
    return testing::listing(shops, kKeyword, province).at(i);
  }

  static LocalText requestLine(const LocalText& url) {
    const size_t path = url.find('/', url.find("//") + 2);
    return "GET " + url.substr(path) + " HTTP/1.1";
  }
};

TEST_F(SearchAgainstMarketplace, TwoProvincesFillTheRowsInOrderWithTheirColumns) {
  search(kKeyword, {kAnhui, kZhejiang}, 1);
  // 安徽: the last page (shops 40-44), then the second (20-39); the first page
  // begins above the limit. Then 浙江's three shops.
  std::vector<ListedShop> expected;
  for (size_t i = 40; i < 45; ++i) expected.push_back(shop(kAnhui, i));
  for (size_t i = 20; i < 40; ++i) expected.push_back(shop(kAnhui, i));
  for (size_t i = 0; i < 3; ++i) expected.push_back(shop(kZhejiang, i));
  for (size_t r = 0; r < expected.size(); ++r) {
    const int row = static_cast<int>(r) + 1;
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(table.text(row, Column::ShopName), expected[r].name);
    EXPECT_EQ(table.text(row, Column::SellerId), expected[r].nick);
    EXPECT_EQ(table.text(row, Column::ItemCount), expected[r].items);
    EXPECT_EQ(table.text(row, Column::MonthlySales), expected[r].sales);
    EXPECT_EQ(table.text(row, Column::Credit), expected[r].rank + "\xD0\xC4");
    EXPECT_EQ(table.text(row, Column::Category), expected[r].category.empty() ? LocalText("\xBF\xD5") : expected[r].category);
  }
  EXPECT_EQ(table.text(29, Column::SellerId), "");
  EXPECT_EQ(sent.labels().back(), countLabel(28));
}

TEST_F(SearchAgainstMarketplace, PresenceAndHistoryMarkTheRows) {
  // kid_42 lies inside a longer recorded id; 童鞋43号 is recorded as it is.
  ASSERT_TRUE(history.save("", "xkid_42y\r\n\xCD\xAF\xD0\xAC" "43\xBA\xC5\r\n"));
  search(kKeyword, {kAnhui}, 1);
  // Rows 1-5 are shops 40-44: online "1", "x" (undetermined), "1", "0", "1".
  EXPECT_EQ(table.text(1, Column::Presence), kOnlineText);
  EXPECT_EQ(table.text(1, Column::ContactState), kNotContacted);
  EXPECT_EQ(table.look(1), RowLook::OnlineNotContacted);
  EXPECT_EQ(table.text(2, Column::Presence), "");
  EXPECT_EQ(table.text(2, Column::ContactState), "");
  EXPECT_EQ(table.look(2), RowLook::Cleared);
  EXPECT_EQ(table.text(3, Column::SellerId), "kid_42");
  EXPECT_EQ(table.text(3, Column::Presence), kOnlineText);
  EXPECT_EQ(table.text(3, Column::ContactState), kContacted);
  EXPECT_EQ(table.look(3), RowLook::Contacted);
  EXPECT_EQ(table.text(4, Column::Presence), kOfflineText);
  EXPECT_EQ(table.text(4, Column::ContactState), kContacted);
  EXPECT_EQ(table.look(4), RowLook::Contacted);
  // Shop 24 (row 10) answers without the status markers.
  EXPECT_EQ(table.text(10, Column::SellerId), shop(kAnhui, 24).nick);
  EXPECT_EQ(table.text(10, Column::Presence), "");
}

TEST_F(SearchAgainstMarketplace, RequestsGoOutInOrderWithTheExactBytesAndDefaultHeaders) {
  search(kKeyword, {kAnhui, kZhejiang, kTibet}, 1);
  std::vector<LocalText> expected = {requestLine(probeUrl(hosts.search, kKeyword, kAnhui)),
                                     requestLine(resultPageUrl(hosts.search, kKeyword, kAnhui, 40))};
  for (size_t i = 40; i < 45; ++i)
    expected.push_back(requestLine(presenceUrl(hosts.presence, shop(kAnhui, i).nick, IdEncoding::KeepPlain)));
  expected.push_back(requestLine(resultPageUrl(hosts.search, kKeyword, kAnhui, 20)));
  for (size_t i = 20; i < 40; ++i)
    expected.push_back(requestLine(presenceUrl(hosts.presence, shop(kAnhui, i).nick, IdEncoding::KeepPlain)));
  expected.push_back(requestLine(resultPageUrl(hosts.search, kKeyword, kAnhui, 0)));
  expected.push_back(requestLine(probeUrl(hosts.search, kKeyword, kZhejiang)));
  expected.push_back(requestLine(resultPageUrl(hosts.search, kKeyword, kZhejiang, 0)));
  for (size_t i = 0; i < 3; ++i)
    expected.push_back(requestLine(presenceUrl(hosts.presence, shop(kZhejiang, i).nick, IdEncoding::KeepPlain)));
  expected.push_back(requestLine(probeUrl(hosts.search, kKeyword, kTibet)));

  auto requests = market.requests();
  std::vector<LocalText> lines;
  for (const auto& r : requests) lines.push_back(r.line);
  EXPECT_EQ(lines, expected);

  // The probe, byte for byte, and a presence request for an id with "_" and one in Chinese.
  ASSERT_GE(requests.size(), 7u);
  EXPECT_EQ(requests[0].line,
            "GET /search?app=shopsearch&q=\xCD\xAF\xD0\xAC&sort=credit-desc&isb=0&goodrate=10000%2C10010"
            "&loc=\xB0\xB2\xBB\xD5 HTTP/1.1");
  EXPECT_EQ(requests[2].line,
            "GET /muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=%E7%AB%A5%E9%9E%8B40%E5%8F%B7 "
            "HTTP/1.1");
  EXPECT_EQ(requests[4].line,
            "GET /muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=kid%5F42 HTTP/1.1");
  for (const auto& request : requests) {
    SCOPED_TRACE(request.line);
    const bool presence = request.line.find("/muliuserstatus.aw") != LocalText::npos;
    const LocalText url = (presence ? "http://" + hosts.presence : "https://" + hosts.search) +
                          request.line.substr(4, request.line.size() - 4 - 9);
    EXPECT_EQ(request.header("Host"), presence ? hosts.presence : hosts.search);
    EXPECT_EQ(request.header("User-Agent"), kAgent);
    EXPECT_EQ(request.header("Referer"), url);
    EXPECT_EQ(request.header("Accept"), "*/*");
    EXPECT_EQ(request.header("Accept-Language"), "zh-cn");
    EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(request.header("Cookie"), "(none)");
  }
}

// The keyword goes out as typed; only the space is escaped, by the platform's
// HTTP stack, since a request line cannot carry one.
TEST_F(SearchAgainstMarketplace, AKeywordWithASpaceGoesOutAsTypedAndFindsItsShops) {
  const LocalText keyword = "\xD4\xCB\xB6\xAF \xD0\xAC";  // 运动 鞋
  search(keyword, {kFujian}, 5);
  EXPECT_EQ(table.text(1, Column::Credit), "2\xD0\xC4");
  EXPECT_EQ(table.text(2, Column::Credit), "0\xD0\xC4");
  auto requests = market.requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].line.substr(0, 55), "GET /search?app=shopsearch&q=\xD4\xCB\xB6\xAF%20\xD0\xAC&sort=credit-desc");
}

// Waits (without a time limit of the test's own: ctest's time-out ends a
// hang) until the marketplace has received `count` requests.
void waitForRequests(const MarketplaceSession& market, size_t count) {
  while (market.requests().size() < count) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

TEST_F(SearchAgainstMarketplace, AStopAbortsTheRequestInFlightAndANewSearchRunsAtOnce) {
  SearchThread thread;
  bool endedByItself = false;
  auto startSearch = [&](const LocalText& province) {
    auto web = std::make_shared<platform::WebClient>();
    return thread.start(
        [&, web, province](const StopFlag& stop) {
          SearchWorker({kKeyword, {province}, 1}, hosts, history, *web, sent, stop).run();
        },
        [web] { web->abort(); }, [&] { endedByItself = true; });
  };
  market.holdAnswers();
  ASSERT_TRUE(startSearch(kAnhui));
  waitForRequests(market, 1);
  EXPECT_TRUE(thread.stop());
  thread.join();  // returns although the marketplace still holds its answer
  EXPECT_FALSE(endedByItself);
  sent.applyTo(table);
  EXPECT_EQ(table.text(1, Column::SellerId), "");
  EXPECT_TRUE(sent.labels().empty());
  EXPECT_FALSE(thread.stop()) << "a second stop finds nothing";

  market.releaseAnswers();
  market.forgetRequests();
  ASSERT_TRUE(startSearch(kZhejiang));
  thread.join();
  EXPECT_TRUE(endedByItself);
  EXPECT_FALSE(thread.running());
  sent.applyTo(table);
  EXPECT_EQ(table.text(3, Column::SellerId), shop(kZhejiang, 2).nick);
}

}  // namespace
}  // namespace quorvane
