#pragma once
// The GBK texts the search suites type, pick and expect: the keyword and
// provinces of tests/wine/search/shops.tsv, the grid's status texts and the
// search button's captions.
#include "text/text.h"

namespace quorvane::testing {

inline const LocalText kKeyword = "\xCD\xAF\xD0\xAC";    // 童鞋
inline const LocalText kAnhui = "\xB0\xB2\xBB\xD5";      // 安徽
inline const LocalText kZhejiang = "\xD5\xE3\xBD\xAD";   // 浙江
inline const LocalText kTibet = "\xCE\xF7\xB2\xD8";      // 西藏
inline const LocalText kFujian = "\xB8\xA3\xBD\xA8";     // 福建
inline const LocalText kOnlineText = "\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF";
inline const LocalText kOfflineText = "\xCD\xFA\xCD\xFA\xC0\xEB\xCF\xDF";
inline const LocalText kContacted = "\xD2\xD1\xC1\xAA\xCF\xB5";
inline const LocalText kNotContacted = "\xCE\xB4\xC1\xAA\xCF\xB5";
inline const LocalText kSearchCaption = "\xCB\xD1\xCB\xF7";                // 搜索
inline const LocalText kStopCaption = "\xCD\xA3\xD6\xB9\xCB\xD1\xCB\xF7";  // 停止搜索

}  // namespace quorvane::testing
