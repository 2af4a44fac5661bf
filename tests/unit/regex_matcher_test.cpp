#include "text/regex_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../bench/search_result_page.h"
#include "search/shop_page_patterns.h"

namespace quorvane {
namespace {

// The patterns the search worker runs.
std::string patternOf(ShopField field) { return std::string(kShopFieldPatterns[static_cast<size_t>(field)].text); }
const std::string kTotalPages = patternOf(ShopField::TotalPages);
const std::string kShopName = patternOf(ShopField::Name);
const std::string kSellerId = patternOf(ShopField::SellerId);
const std::string kItemCount = patternOf(ShopField::ItemCount);
const std::string kMonthlySales = patternOf(ShopField::MonthlySales);
const std::string kSellerRank = patternOf(ShopField::Rank);
const std::string kMainCategory = patternOf(ShopField::Category);

const std::string kZhong = "\xD6\xD0";       // 中
const std::string kWen = "\xCE\xC4";         // 文
const std::string kJin = "\xE5\x5C";         // 錦: its second byte is a backslash
const std::string kHua = "\xC8\x41";         // 華: its second byte is "A"

std::vector<std::string> groupOneOfEveryMatch(const std::string& pattern, const std::string& page) {
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.execute(pattern, page, false));
  std::vector<std::string> captures;
  for (int i = 1; i <= matcher.matchCount(); ++i) captures.push_back(matcher.subMatchText(i, 1));
  return captures;
}

TEST(RegexMatcher, ReadsEveryMatchAndItsGroupsByOneBasedNumbers) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("n=(\\d+)", "n=1\nn=22"));
  EXPECT_EQ(matcher.matchCount(), 2);
  EXPECT_EQ(matcher.subMatchText(2, 1), "22");
  EXPECT_EQ(matcher.matchText(1), "n=1");
  EXPECT_EQ(matcher.subMatchCount(), 1);
}

TEST(RegexMatcher, DotNeverCrossesALineFeed) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("(.*?)x", "ab\nx"));
  ASSERT_EQ(matcher.matchCount(), 1);
  EXPECT_EQ(matcher.matchText(1), "x");
  EXPECT_EQ(matcher.subMatchText(1, 1), "");
}

TEST(RegexMatcher, APatternWithoutMatchRunsAndFindsNothing) {
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.execute("zzz", "abc"));
  EXPECT_EQ(matcher.matchCount(), 0);
  EXPECT_EQ(matcher.subMatchCount(), 0);
  EXPECT_EQ(matcher.matchText(1), "");
}

TEST(RegexMatcher, IgnoresLetterCaseUnlessAskedNotTo) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("\"RAWTITLE\":\"(.*?)\",", "{\"rawTitle\":\"shop\","));
  EXPECT_EQ(matcher.subMatchText(1, 1), "shop");
  ASSERT_TRUE(matcher.execute("\"RAWTITLE\":\"(.*?)\",", "{\"rawTitle\":\"shop\",", true));
  EXPECT_EQ(matcher.matchCount(), 0);
}

TEST(RegexMatcher, LinesCountForAnchorsOnlyWithMultiline) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("^b", "a\nb"));
  EXPECT_EQ(matcher.matchCount(), 1);
  ASSERT_TRUE(matcher.execute("^b", "a\nb", false, false));
  EXPECT_EQ(matcher.matchCount(), 0);
}

TEST(RegexMatcher, WithoutGlobalKeepsOnlyTheFirstMatch) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("\\d", "1 2 3", false, true, false));
  EXPECT_EQ(matcher.matchCount(), 1);
  EXPECT_EQ(matcher.replace("#"), "# 2 3");
}

TEST(RegexMatcher, MatchesChineseTextOnItsCharactersNotItsBytes) {
  RegexMatcher matcher;
  // A backslash or letter inside a double-byte character is no backslash or letter.
  ASSERT_TRUE(matcher.execute("\\\\", kJin + "x"));
  EXPECT_EQ(matcher.matchCount(), 0);
  ASSERT_TRUE(matcher.execute("a", kHua));
  EXPECT_EQ(matcher.matchCount(), 0);
  ASSERT_TRUE(matcher.execute("(" + kZhong + ".)", "x" + kZhong + kWen + "y"));
  EXPECT_EQ(matcher.subMatchText(1, 1), kZhong + kWen);
  ASSERT_TRUE(matcher.execute("[" + kZhong + kWen + "]+", "ab" + kWen + kZhong + "c"));
  EXPECT_EQ(matcher.matchText(1), kWen + kZhong);
}

TEST(RegexMatcher, PositionsAreByteOffsetsIntoTheLocalText) {
  RegexMatcher matcher;
  std::string subject = kZhong + kWen + "n=7;" + kZhong + "n=8";
  ASSERT_TRUE(matcher.execute("n=(\\d)", subject));
  int position = -99;
  EXPECT_EQ(matcher.matchText(1, &position), "n=7");
  EXPECT_EQ(position, 4);
  EXPECT_EQ(matcher.matchText(2, &position), "n=8");
  EXPECT_EQ(position, 10);
  EXPECT_EQ(matcher.subMatchText(2, 1, &position), "8");
  EXPECT_EQ(position, 12);
}

TEST(RegexMatcher, PositionsPointAtTheMatchEvenWhenItsTextOccursEarlier) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("a", "aaa"));
  int position = -99;
  matcher.matchText(3, &position);
  EXPECT_EQ(position, 2);
  ASSERT_TRUE(matcher.execute("a(a)", "aa"));
  matcher.subMatchText(1, 1, &position);
  EXPECT_EQ(position, 1);
}

TEST(RegexMatcher, NumbersOutsideTheMatchesGiveEmptyTextAndNoPosition) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("(a)|(b)", "b"));
  int position = -99;
  EXPECT_EQ(matcher.subMatchText(1, 1, &position), "");  // took no part
  EXPECT_EQ(position, -1);
  EXPECT_EQ(matcher.subMatchText(1, 2), "b");
  for (auto [match, group] : {std::pair{0, 1}, {2, 1}, {-1, 1}, {1, 0}, {1, 3}, {1, -5}}) {
    position = -99;
    EXPECT_EQ(matcher.subMatchText(match, group, &position), "");
    EXPECT_EQ(position, -1);
  }
  EXPECT_EQ(matcher.matchText(0, &position), "");
  EXPECT_EQ(matcher.matchText(2), "");
  EXPECT_EQ(matcher.subMatchCount(), 2);
}

TEST(RegexMatcher, AFreshMatcherHoldsNothing) {
  RegexMatcher matcher;
  EXPECT_EQ(matcher.pattern(), "");
  EXPECT_EQ(matcher.matchCount(), 0);
  EXPECT_EQ(matcher.subMatchCount(), 0);
  EXPECT_EQ(matcher.matchText(1), "");
  EXPECT_EQ(matcher.replace("x"), "");
}

TEST(RegexMatcher, ARefusedPatternRunsNothingButKeepsItsText) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("a", "a"));
  for (const char* refused : {"(a", "(a)\\1", "(?=a)", "a{1001}", "a**"}) {
    EXPECT_FALSE(matcher.execute(refused, "aaa")) << refused;
    EXPECT_EQ(matcher.matchCount(), 0);
    EXPECT_EQ(matcher.pattern(), refused);
    EXPECT_EQ(matcher.replace("x"), "");
  }
}

TEST(RegexMatcher, ReplaceFollowsTheJavaScriptTemplate) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("(\\w+)=(\\w+)", "a=1;" + kZhong + ";b=2"));
  EXPECT_EQ(matcher.replace("$2=$1"), "1=a;" + kZhong + ";2=b");
  EXPECT_EQ(matcher.replace("[$&]$$"), "[a=1]$;" + kZhong + ";[b=2]$");
  ASSERT_TRUE(matcher.execute(kZhong, "x" + kZhong + "y"));
  EXPECT_EQ(matcher.replace("<$`|$'>"), "x<x|y>y");
  EXPECT_EQ(matcher.replace(kWen), "x" + kWen + "y");
}

TEST(RegexMatcher, CopiesShareResultsUntilEitherRunsAgain) {
  RegexMatcher original;
  ASSERT_TRUE(original.execute("(\\d)", "1 2"));
  RegexMatcher copy(original);
  ASSERT_TRUE(original.execute("x", "x"));
  EXPECT_EQ(copy.matchCount(), 2);
  EXPECT_EQ(copy.subMatchText(2, 1), "2");
  EXPECT_EQ(copy.pattern(), "(\\d)");
  EXPECT_EQ(original.matchText(1), "x");
  copy = original;
  EXPECT_EQ(copy.matchText(1), "x");
}

TEST(RegexMatcherFields, CutEveryFieldOfEveryShopOutOfAResultPage) {
  std::vector<fixtures::PageShop> shops = fixtures::sampleShops(20);
  std::string page = fixtures::resultPage(shops, 37, 300 * 1024);
  ASSERT_EQ(page.find('\n'), std::string::npos);

  RegexMatcher pages;
  ASSERT_TRUE(pages.execute(kTotalPages, page, false));
  EXPECT_EQ(pages.subMatchText(1, 1), "37");

  std::vector<std::string> names = groupOneOfEveryMatch(kShopName, page);
  std::vector<std::string> ids = groupOneOfEveryMatch(kSellerId, page);
  std::vector<std::string> counts = groupOneOfEveryMatch(kItemCount, page);
  std::vector<std::string> sales = groupOneOfEveryMatch(kMonthlySales, page);
  std::vector<std::string> ranks = groupOneOfEveryMatch(kSellerRank, page);
  std::vector<std::string> categories = groupOneOfEveryMatch(kMainCategory, page);
  ASSERT_EQ(names.size(), 20u);
  ASSERT_EQ(ids.size(), 20u);
  ASSERT_EQ(counts.size(), 20u);
  ASSERT_EQ(sales.size(), 20u);
  ASSERT_EQ(ranks.size(), 20u);
  ASSERT_EQ(categories.size(), 20u);
  for (size_t i = 0; i < shops.size(); ++i) {
    SCOPED_TRACE("shop " + std::to_string(i));
    EXPECT_EQ(names[i], shops[i].name);
    EXPECT_EQ(ids[i], shops[i].nick);
    EXPECT_EQ(counts[i], shops[i].itemCount);
    EXPECT_EQ(sales[i], shops[i].monthlySales);
    EXPECT_EQ(ranks[i], shops[i].rank);
    EXPECT_EQ(categories[i], shops[i].category);
  }
}

TEST(RegexMatcherFields, ReadTheEscapedCategoryUpToItsRealBackslash) {
  std::string page = "\"dsrStr\":\"{\\\"ind\\\":\\\"" + kJin + "/" + kZhong +
                     "\\\",\\\"mas\\\":\\\"4.8\\\"}\",\"dsrStr\":\"{\\\"ind\\\":\\\"\\\",\\\"mas\\\":\\\"4.7\\\"}\"";
  EXPECT_EQ(groupOneOfEveryMatch(kMainCategory, page), (std::vector<std::string>{kJin + "/" + kZhong, ""}));
}

TEST(RegexMatcherFields, ReadAHandWrittenShopEntry) {
  std::string page = "{\"rawTitle\":\"" + kZhong + kWen + "\\u5c0f\\\"x\",\"nick\":\"" + kHua +
                     "_1\",\"provcity\":\"\",\"procnt\":0,\"totalsold\":12,\"x\":\"rank seller-rank-3\",\"y\":1}";
  EXPECT_EQ(groupOneOfEveryMatch(kShopName, page), (std::vector<std::string>{kZhong + kWen + "\\u5c0f\\\"x"}));
  EXPECT_EQ(groupOneOfEveryMatch(kSellerId, page), (std::vector<std::string>{kHua + "_1"}));
  EXPECT_EQ(groupOneOfEveryMatch(kItemCount, page), (std::vector<std::string>{"0"}));
  EXPECT_EQ(groupOneOfEveryMatch(kMonthlySales, page), (std::vector<std::string>{"12"}));
  EXPECT_EQ(groupOneOfEveryMatch(kSellerRank, page), (std::vector<std::string>{"3"}));
}

TEST(RegexMatcherHostile, UnterminatedCapturesOverTenMegabytesFindNothing) {
  std::string page = fixtures::unterminatedCapturePage(10 << 20);
  RegexMatcher matcher;
  for (const std::string& pattern :
       {kTotalPages, kShopName, kSellerId, kItemCount, kMonthlySales, kSellerRank, kMainCategory}) {
    EXPECT_TRUE(matcher.execute(pattern, page, false)) << pattern;
    EXPECT_EQ(matcher.matchCount(), 0) << pattern;
  }
}

TEST(RegexMatcherHostile, CapturesCutByALineFeedAfterTenMegabytesFindNothing) {
  std::string page = fixtures::captureCutByLineBreakPage(10 << 20);
  RegexMatcher matcher;
  for (const std::string& pattern :
       {kTotalPages, kShopName, kSellerId, kItemCount, kMonthlySales, kSellerRank, kMainCategory}) {
    EXPECT_TRUE(matcher.execute(pattern, page, false)) << pattern;
    EXPECT_EQ(matcher.matchCount(), 0) << pattern;
  }
}

TEST(RegexMatcherHostile, AMillionOpeningsWithoutAnEndFindNothing) {
  std::string page = "\",";
  while (page.size() < (12 << 20)) page += "\"rawTitle\":\"";
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.execute(kShopName, page, false));
  EXPECT_EQ(matcher.matchCount(), 0);
}

TEST(RegexMatcherHostile, ManyEmptyMatchesOverALongLine) {
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.execute("x*", std::string(1 << 20, 'a')));
  EXPECT_EQ(matcher.matchCount(), (1 << 20) + 1);
}

TEST(RegexMatcherHostile, DeepNestingAndHugeRepetitionsAreBoundedNotFatal) {
  RegexMatcher matcher;
  std::string nested = std::string(100, '(') + "a" + std::string(100, ')');
  EXPECT_TRUE(matcher.execute(nested, "xa"));
  EXPECT_EQ(matcher.subMatchText(1, 100), "a");
  EXPECT_FALSE(matcher.execute(std::string(100000, '(') + std::string(100000, ')'), "a"));
  EXPECT_FALSE(matcher.execute(std::string(100000, '['), "a"));
  EXPECT_FALSE(matcher.execute("(?:(?:a{1000}){1000}){1000}", "a"));
  EXPECT_TRUE(matcher.execute("(?:a|b){1000}c", std::string(100000, 'a')));
  EXPECT_EQ(matcher.matchCount(), 0);
}

}  // namespace
}  // namespace quorvane
