#pragma once
// The GBK texts the search suites type, pick and expect: the keyword and
// provinces of tests/wine/search/shops.tsv and the search button's captions.
// The grid's status texts are the program's own (results/row_look.h).
#include "results/row_look.h"
#include "text/text.h"

namespace quorvane::testing {

inline const LocalText kKeyword = "\xCD\xAF\xD0\xAC";    // 童鞋
inline const LocalText kAnhui = "\xB0\xB2\xBB\xD5";      // 安徽
inline const LocalText kZhejiang = "\xD5\xE3\xBD\xAD";   // 浙江
inline const LocalText kTibet = "\xCE\xF7\xB2\xD8";      // 西藏
inline const LocalText kFujian = "\xB8\xA3\xBD\xA8";     // 福建
inline const LocalText kContacted = kContactedText;
inline const LocalText kNotContacted = kNotContactedText;
inline const LocalText kSearchCaption = "\xCB\xD1\xCB\xF7";                // 搜索
inline const LocalText kStopCaption = "\xCD\xA3\xD6\xB9\xCB\xD1\xCB\xF7";  // 停止搜索

}  // namespace quorvane::testing
