#pragma once
// Generated shop-search answers in local text (GBK), shaped like the real
// service's single-line page: a large navigation block, the pager, 20 shop
// entries (Chinese names, escaped category text with real backslashes) and
// a large trailer. For benchmarks and tests that need realistic page text.
#include <string>
#include <vector>

namespace quorvane::fixtures {

struct PageShop {
  std::string name;
  std::string nick;
  std::string itemCount;
  std::string monthlySales;
  std::string rank;
  std::string category;  // may be empty, as on the real pages
};

// Some of the texts hold GBK characters whose second byte is "\" or an ASCII
// letter (\xE5\x5C, \xC8\x41), which byte-wise matching would misread.
inline const std::vector<std::string>& sampleShopNames() {
  static const std::vector<std::string> names = {
      "\xE5\x5C\xC8\x41\xC5\xAE\xD1\x62\xF0\x5E",              // 錦華女裝館
      "\xBD\xAD\xC4\xCF\xB2\xE8\xD2\xB6\xC6\xCC",              // 江南茶叶铺
      "\xB0\xA2\xBB\xA8\xB5\xC4\xCA\xD6\xB9\xA4\xB7\xBB",      // 阿花的手工坊
      "\xC0\xCF\xCD\xF5\xCA\xFD\xC2\xEB\xC5\xE4\xBC\xFE",      // 老王数码配件
      "\xD0\xA1\xCC\xAB\xD1\xF4\xC4\xB8\xD3\xA4\xB5\xEA",      // 小太阳母婴店
      "\xC9\xBD\xC0\xEF\xC8\xCB\xBC\xD2\xCD\xC1\xCC\xD8\xB2\xFA",  // 山里人家土特产
      "\xB3\xCF\xD0\xC5\xCE\xE5\xBD\xF0\xC9\xCC\xD0\xD0",      // 诚信五金商行
      "\xC0\xB6\xDD\xAE\xBC\xD2\xBE\xD3\xC8\xD5\xD3\xC3",      // 蓝莓家居日用
      "\xB1\xB1\xB7\xBD\xBB\xA7\xCD\xE2\xD4\xCB\xB6\xAF",      // 北方户外运动
      "\xC7\xE0\xC7\xE0\xB2\xDD\xB3\xE8\xCE\xEF\xD3\xC3\xC6\xB7",  // 青青草宠物用品
  };
  return names;
}

inline const std::vector<std::string>& sampleNicks() {
  static const std::vector<std::string> nicks = {
      "\xE5\x5C\xC8\x41\xC5\xAE\xD1\x62",  // 錦華女裝
      "\xB2\xE8\xCF\xE3\xBD\xAD\xC4\xCF",  // 茶香江南
      "\xB0\xA2\xBB\xA8\xCA\xD6\xD7\xF7" "2018",  // 阿花手作2018
      "wang_digital",
      "\xD0\xA1\xCC\xAB\xD1\xF4\xC2\xE8\xC2\xE8",  // 小太阳妈妈
      "\xC9\xBD\xC0\xEF\xC8\xCB\xBC\xD2",  // 山里人家
      "\xB3\xCF\xD0\xC5\xCE\xE5\xBD\xF0" "88",  // 诚信五金88
      "\xC0\xB6\xDD\xAE\xBC\xD2\xBE\xD3",  // 蓝莓家居
      "north-outdoor",
      "\xC7\xE0\xC7\xE0\xB2\xDD",  // 青青草
  };
  return nicks;
}

inline const std::vector<std::string>& sampleCategories() {
  static const std::vector<std::string> categories = {
      "\xC5\xAE\xD7\xB0/\xC5\xAE\xCA\xBF\xBE\xAB\xC6\xB7",      // 女装/女士精品
      "\xB2\xE8/\xBF\xA7\xB7\xC8/\xB3\xE5\xD2\xFB",            // 茶/咖啡/冲饮
      "\xCA\xD6\xB9\xA4\xD2\xD5\xC6\xB7",                      // 手工艺品
      "3C\xCA\xFD\xC2\xEB\xC5\xE4\xBC\xFE",                    // 3C数码配件
      "\xC4\xB8\xD3\xA4\xD3\xC3\xC6\xB7",                      // 母婴用品
      "",
      "\xCE\xE5\xBD\xF0/\xB9\xA4\xBE\xDF",                     // 五金/工具
      "\xBE\xD3\xBC\xD2\xC8\xD5\xD3\xC3",                      // 居家日用
      "\xBB\xA7\xCD\xE2/\xB5\xC7\xC9\xBD/\xD2\xB0\xD3\xAA",    // 户外/登山/野营
      "\xE5\x5C\xF5\x8E/\xCB\xAE\xD7\xE5",                     // 錦鯉/水族
  };
  return categories;
}

// `count` shops with ranks rising slowly from 0, as a search sorted by
// credit returns them.
inline std::vector<PageShop> sampleShops(int count) {
  std::vector<PageShop> shops;
  for (int i = 0; i < count; ++i) {
    size_t pick = static_cast<size_t>(i) % sampleShopNames().size();
    shops.push_back({sampleShopNames()[pick] + (i >= 10 ? std::to_string(i) : ""), sampleNicks()[pick] + (i >= 10 ? std::to_string(i) : ""),
                     std::to_string(12 + 37 * i), std::to_string((i * 53) % 400), std::to_string(i / 4),
                     sampleCategories()[pick]});
  }
  return shops;
}

namespace page_detail {

inline const std::vector<std::string>& navigationWords() {
  static const std::vector<std::string> words = {
      "\xC5\xAE\xD7\xB0", "\xC4\xD0\xD7\xB0", "\xC4\xDA\xD2\xC2", "\xD0\xAC\xD1\xA5", "\xCF\xE4\xB0\xFC",
      "\xC5\xE4\xBC\xFE", "\xCD\xAF\xD7\xB0", "\xCD\xE6\xBE\xDF", "\xD4\xD0\xB2\xFA", "\xD3\xC3\xC6\xB7",
      "\xBC\xD2\xB5\xE7", "\xCA\xFD\xC2\xEB", "\xCA\xD6\xBB\xFA", "\xC3\xC0\xD7\xB1", "\xCF\xB4\xBB\xA4",
      "\xB1\xA3\xBD\xA1", "\xD6\xE9\xB1\xA6", "\xD1\xDB\xBE\xB5", "\xCA\xD6\xB1\xED", "\xD4\xCB\xB6\xAF",
      "\xBB\xA7\xCD\xE2", "\xC0\xD6\xC6\xF7", "\xD3\xCE\xCF\xB7", "\xB6\xAF\xC2\xFE", "\xD3\xB0\xCA\xD3",
      "\xC3\xC0\xCA\xB3", "\xC9\xFA\xCF\xCA", "\xC1\xE3\xCA\xB3", "\xCF\xCA\xBB\xA8", "\xB3\xE8\xCE\xEF",
      "\xC5\xA9\xD7\xCA", "\xB7\xBF\xB2\xFA", "\xD7\xB0\xD0\xDE", "\xBD\xA8\xB2\xC4", "\xBC\xD2\xBE\xDF",
      "\xBC\xD2\xCA\xCE", "\xBC\xD2\xB7\xC4", "\xC6\xFB\xB3\xB5", "\xB0\xEC\xB9\xAB", "\xCE\xC4\xBE\xDF",
      "\xB0\xD9\xBB\xF5", "\xB2\xCD\xB3\xF8", "\xD1\xA7\xCF\xB0", "\xBF\xA8\xC8\xAF", "\xB1\xBE\xB5\xD8\xB7\xFE\xCE\xF1",
  };
  return words;
}

inline const std::vector<std::string>& itemTitles() {
  static const std::vector<std::string> titles = {
      "\xCF\xC4\xBC\xBE\xD0\xC2\xBF\xEE\xC1\xAC\xD2\xC2\xC8\xB9 \xCF\xD4\xCA\xDD \xC6\xF8\xD6\xCA",  // 夏季新款连衣裙 显瘦 气质
      "\xC3\xF7\xC7\xB0\xC1\xFA\xBE\xAE \xCC\xD8\xBC\xB6 250\xBF\xCB \xC0\xF1\xBA\xD0\xD7\xB0",      // 明前龙井 特级 250克 礼盒装
      "\xCA\xD6\xB9\xA4\xB1\xE0\xD6\xAF \xB2\xDD\xB1\xE0\xB0\xFC \xB8\xB4\xB9\xC5",                  // 手工编织 草编包 复古
      "\xCA\xFD\xBE\xDD\xCF\xDF \xBF\xEC\xB3\xE4 1\xC3\xD7 \xC4\xCD\xD3\xC3",                        // 数据线 快充 1米 耐用
      "\xD3\xA4\xB6\xF9 \xB4\xBF\xC3\xDE \xC1\xAC\xCC\xE5\xD2\xC2 \xD0\xC2\xC9\xFA\xB6\xF9",          // 婴儿 纯棉 连体衣 新生儿
      "\xC5\xA9\xBC\xD2 \xCD\xC1\xB7\xE4\xC3\xDB 500\xBF\xCB",                                       // 农家 土蜂蜜 500克
      "\xB2\xBB\xD0\xE2\xB8\xD6 \xC2\xDD\xCB\xBF\xB5\xB6 \xCC\xD7\xD7\xB0",                          // 不锈钢 螺丝刀 套装
      "\xCA\xD5\xC4\xC9\xBA\xD0 \xD7\xC0\xC3\xE6 \xD5\xFB\xC0\xED \xB4\xF3\xBA\xC5",                  // 收纳盒 桌面 整理 大号
      "\xB3\xE5\xB7\xE6\xD2\xC2 \xB7\xC0\xCB\xAE \xC4\xD0\xC5\xAE\xBF\xEE",                          // 冲锋衣 防水 男女款
      "\xC3\xA8\xC1\xB8 \xB3\xC9\xC3\xA8 \xCC\xEC\xC8\xBB\xC1\xB8 2.5kg",                             // 猫粮 成猫 天然粮 2.5kg
  };
  return titles;
}

inline std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// One category entry of the navigation block, with its sub-categories.
inline std::string navigationEntry(size_t index) {
  const auto& words = navigationWords();
  std::string id = std::to_string(50000000 + index * 7919);
  std::string entry = "{\"text\":" + quoted(words[index % words.size()]) + ",\"value\":\"cat:" + id +
                      "\",\"trace\":\"navCat\",\"isExpanded\":false,\"sub\":[";
  for (size_t sub = 0; sub < 6; ++sub) {
    if (sub > 0) entry += ",";
    entry += "{\"text\":" + quoted(words[(index + sub * 5) % words.size()] + words[(index + sub) % words.size()]) +
             ",\"value\":\"cat:" + id + std::to_string(sub) + "\",\"link\":\"//s.market.example/search?cat=" + id +
             "&amp;app=shopsearch\"}";
  }
  return entry + "]}";
}

// The escaped advertising blob the real pages carry after the shop list.
inline std::string trailerEntry(size_t index) {
  const auto& titles = itemTitles();
  std::string id = std::to_string(600000000 + index * 104729);
  return "{\\\"pos\\\":\\\"" + std::to_string(index) + "\\\",\\\"title\\\":\\\"" + titles[index % titles.size()] +
         "\\\",\\\"pic\\\":\\\"//img.market.example/bao/uploaded/i" + std::to_string(index % 4) + "/" + id +
         ".jpg\\\",\\\"price\\\":\\\"" + std::to_string(10 + index % 90) + ".00\\\",\\\"clickUrl\\\":\\\"//click.market.example/ad?e=" +
         id + "AbCdEfGh&amp;u=" + std::to_string(index) + "\\\"}";
}

inline std::string auction(const PageShop& shop, size_t shopIndex, size_t item) {
  const auto& titles = itemTitles();
  std::string id = std::to_string(520000000000ULL + shopIndex * 1000 + item);
  return "{\"nid\":\"" + id + "\",\"title\":" + quoted(titles[(shopIndex + item) % titles.size()]) +
         ",\"pic\":\"//img.market.example/bao/uploaded/i2/" + id + "/O1CN01xYz.jpg\",\"price\":\"" +
         std::to_string(9 + (shopIndex * 7 + item * 13) % 300) + ".00\",\"url\":\"//item.market.example/item.htm?id=" + id +
         "\",\"sold\":\"" + shop.monthlySales + "\"}";
}

}  // namespace page_detail

// One shop entry, carrying the six fields in the forms the search reads.
inline std::string shopEntry(const PageShop& shop, size_t index) {
  using page_detail::quoted;
  std::string uid = std::to_string(1000000 + index * 31337);
  std::string entry = "{\"uid\":\"" + uid + "\",\"title\":\"<span class=H>" + shop.name.substr(0, 4) + "</span>" +
                      shop.name.substr(4) + "\",\"rawTitle\":" + quoted(shop.name) + ",\"nick\":" + quoted(shop.nick) +
                      ",\"provcity\":\"\xD5\xE3\xBD\xAD \xBA\xBC\xD6\xDD\",\"shopUrl\":\"//shop" + uid +
                      ".market.example\",\"picUrl\":\"//img.market.example/shop/" + uid +
                      ".jpg\",\"isTmall\":false,\"procnt\":" + shop.itemCount + ",\"totalsold\":" + shop.monthlySales +
                      ",\"goodratePercent\":\"99.2" + std::to_string(index % 10) + "%\",\"userRateUrl\":\"//rate.market.example/user-rate-" +
                      uid + ".htm\",\"shopIcon\":{\"iconClass\":\"rank seller-rank-" + shop.rank +
                      "\",\"title\":\"\xD0\xC5\xD3\xC3\",\"trace\":\"srpwwicon\"},\"dsrInfo\":{\"dsrStr\":\"{\\\"ind\\\":\\\"" +
                      shop.category + "\\\",\\\"mas\\\":\\\"4.8" + std::to_string(index % 10) +
                      "\\\",\\\"sas\\\":\\\"4.79\\\",\\\"cas\\\":\\\"4.81\\\",\\\"encryptedUserId\\\":\\\"UvFxYMGxbvFNT" + uid +
                      "\\\"}\"},\"auctionsInshop\":[";
  for (size_t item = 0; item < 4; ++item) {
    if (item > 0) entry += ",";
    entry += page_detail::auction(shop, index, item);
  }
  return entry + "],\"icons\":[{\"title\":\"\xCF\xFB\xB7\xD1\xD5\xDF\xB1\xA3\xD5\xCF\",\"iconClass\":\"icon-service-baozhang\"}]}";
}

// A whole result page of about `approximateBytes` bytes, on one line.
inline std::string resultPage(const std::vector<PageShop>& shops, int totalPages, size_t approximateBytes) {
  std::string shopList;
  for (size_t i = 0; i < shops.size(); ++i) {
    if (i > 0) shopList += ",";
    shopList += shopEntry(shops[i], i);
  }
  std::string pager = "\"pager\":{\"status\":\"show\",\"data\":{\"pageSize\":20,\"totalPage\":" + std::to_string(totalPages) +
                      ",\"currentPage\":1,\"totalCount\":" + std::to_string(totalPages * 20) + "}}";
  size_t bulk = approximateBytes > shopList.size() ? approximateBytes - shopList.size() : 0;
  std::string navigation;
  for (size_t i = 0; navigation.size() < bulk / 2; ++i) {
    if (i > 0) navigation += ",";
    navigation += page_detail::navigationEntry(i);
  }
  std::string trailer;
  for (size_t i = 0; trailer.size() < bulk / 2; ++i) {
    if (i > 0) trailer += ",";
    trailer += page_detail::trailerEntry(i);
  }
  return "g_page_config = {\"pageName\":\"shopsearch\",\"mainInfo\":{\"currentUrl\":\"https://s.market.example/search?app=shopsearch\","
         "\"modLinks\":{\"filter\":\"//s.market.example/search?app=shopsearch&amp;isb=0\"}},\"mods\":{\"nav\":{\"status\":\"show\","
         "\"data\":{\"common\":[" +
         navigation + "]}}," + pager + ",\"shoplist\":{\"status\":\"show\",\"data\":{\"shopItems\":[" + shopList +
         "]}},\"p4p\":{\"status\":\"show\",\"data\":{\"p4pdata\":\"[" + trailer +
         "]\"}}},\"feature\":{\"webpOff\":false,\"retinaOff\":false}};";
}

// One line of about `bytes` bytes where each of the seven field patterns
// finds its opening but never its end: every match attempt runs to the end
// of the text. Each terminator occurs once near the start, before the
// openings, so only a scan of all the rest can rule a match out.
inline std::string unterminatedCapturePage(size_t bytes) {
  std::string text = "{\"status\":\"ok\",\"provcity\":\"\\u0000\",\"openings\":,\"totalsold\":\"totalPage\":\"rawTitle\":\""
                     "\"nick\":\"\"procnt\":rank seller-rank-ind\\\":\\\"";
  // Chinese text (one character with a backslash-like second byte), ASCII,
  // quotes and colons, but no "," next to a quote and no backslash.
  const std::string filler = "\xD6\xD0\xCE\xC4\xB5\xEA\xC6\xCC \xE5\x5C\xC8\x41 abc:123 {x} \"q\" 4.85% ";
  while (text.size() < bytes) text += filler;
  return text;
}

// The same line, then a line feed and every terminator: the ends exist, so
// only running the capture across the whole first line shows that none of
// them can be reached ("." stops at a line feed).
inline std::string captureCutByLineBreakPage(size_t bytes) {
  return unterminatedCapturePage(bytes) + "\n\",\\\",\"provcity\"";
}

}  // namespace quorvane::fixtures
