#pragma once
// An in-memory marketplace for the search tests: answers each URL from a
// table, records every URL asked for, and writes result pages in the forms
// the shop-search service uses.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "web/page_fetcher.h"

namespace quorvane::testing {

struct FakeShop {
  std::string name, id, items = "1", sales = "0", rank = "0", category = "cat";
};

// One single-line result page holding `shops` in the service's forms.
inline std::string resultPage(const std::vector<FakeShop>& shops) {
  std::string page = R"({"mods":{"shoplist":{"data":{"shopItems":[)";
  for (const FakeShop& s : shops) {
    page += R"({"rawTitle":")" + s.name + R"(","nick":")" + s.id + R"(","provcity":"x","procnt":)" + s.items +
            R"(,"totalsold":)" + s.sales + R"(,"userRankClass":"rank seller-rank-)" + s.rank +
            R"(","dsr":"{\"ind\":\")" + s.category + R"(\",\"x\":1}"},)";
  }
  return page + "]}}}}";
}

inline std::string probePage(const std::string& totalPages) {
  return R"({"pager":{"currentPage":1,"totalPage":)" + totalPages + R"(,"pageSize":20}})";
}

inline std::string presenceAnswer(const std::string& status) { return "arrStatus[0]=" + status + ";"; }

class FakeFetcher : public PageFetcher {
 public:
  std::map<std::string, std::string> answers;
  std::set<std::string> failing;  // URLs whose request fails (their answer, if any, still read)
  std::vector<std::string> requested;
  std::function<void(const std::string& url)> onRequest;  // runs before the answer is looked up

  bool fetchPageTextInto(const LocalText& url, LocalText& page) override {
    requested.push_back(url);
    if (onRequest) onRequest(url);
    auto found = answers.find(url);
    page = found == answers.end() ? std::string() : found->second;
    return failing.count(url) == 0;
  }
};

}  // namespace quorvane::testing
