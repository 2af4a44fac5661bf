#include "search/shop_page_reader.h"

#include <algorithm>

#include "search/plain_number.h"

namespace quorvane {
namespace {

constexpr std::string_view kTotalPagesPattern = R"re("totalPage":(.*?),")re";
constexpr std::string_view kNamePattern = R"re("rawTitle":"(.*?)",)re";
constexpr std::string_view kSellerIdPattern = R"re("nick":"(.*?)","provcity")re";
constexpr std::string_view kItemCountPattern = R"re("procnt":(.*?),")re";
constexpr std::string_view kMonthlySalesPattern = R"re(,"totalsold":(.*?),")re";
constexpr std::string_view kRankPattern = R"re(rank seller-rank-(.*?)",)re";
constexpr std::string_view kCategoryPattern = R"re(ind\\":\\"(.*?)\\)re";
constexpr std::string_view kNoCategory = "\xBF\xD5";  // 空

int run(RegexMatcher& matcher, std::string_view pattern, std::string_view page) {
  matcher.execute(pattern, page, false, true, true);
  return std::max(matcher.matchCount(), 0);
}

}  // namespace

std::int64_t sellerRankCount(std::string_view page) {
  constexpr std::string_view marker = "seller-rank";
  std::int64_t count = 0;
  for (size_t at = page.find(marker); at != std::string_view::npos; at = page.find(marker, at + marker.size()))
    ++count;
  return count;
}

std::int64_t ShopPageReader::totalPages(std::string_view probePage) {
  if (run(totalPages_, kTotalPagesPattern, probePage) < 1) return 0;
  return plainNumber(totalPages_.subMatchText(1, 1)).value_or(0);
}

std::vector<ShopFields> ShopPageReader::shops(std::string_view resultPage) {
  std::int64_t formed = sellerRankCount(resultPage);
  for (auto [matcher, pattern] : {std::pair{&names_, kNamePattern}, {&sellerIds_, kSellerIdPattern},
                                   {&itemCounts_, kItemCountPattern}, {&monthlySales_, kMonthlySalesPattern},
                                   {&ranks_, kRankPattern}, {&categories_, kCategoryPattern}})
    formed = std::min<std::int64_t>(formed, run(*matcher, pattern, resultPage));

  std::vector<ShopFields> shops(static_cast<size_t>(formed));
  for (int j = 1; j <= formed; ++j) {
    ShopFields& shop = shops[static_cast<size_t>(j - 1)];
    shop.name = names_.subMatchText(j, 1);
    shop.sellerId = sellerIds_.subMatchText(j, 1);
    shop.itemCount = itemCounts_.subMatchText(j, 1);
    shop.monthlySales = monthlySales_.subMatchText(j, 1);
    shop.rank = ranks_.subMatchText(j, 1);
    shop.category = categories_.subMatchText(j, 1);
    if (shop.category.empty()) shop.category = kNoCategory;
  }
  return shops;
}

}  // namespace quorvane
