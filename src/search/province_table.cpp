#include "search/province_table.h"

namespace quorvane {

const std::array<std::string_view, kProvinceCount> ProvinceTable = {
    "\xB0\xB2\xBB\xD5",          // 安徽
    "\xB8\xA3\xBD\xA8",          // 福建
    "\xB8\xCA\xCB\xE0",          // 甘肃
    "\xB9\xE3\xB6\xAB",          // 广东
    "\xB9\xE3\xCE\xF7",          // 广西
    "\xB9\xF3\xD6\xDD",          // 贵州
    "\xBA\xA3\xC4\xCF",          // 海南
    "\xBA\xD3\xB1\xB1",          // 河北
    "\xBA\xD3\xC4\xCF",          // 河南
    "\xBA\xFE\xB1\xB1",          // 湖北
    "\xBA\xFE\xC4\xCF",          // 湖南
    "\xBD\xAD\xCB\xD5",          // 江苏
    "\xBD\xAD\xCE\xF7",          // 江西
    "\xBC\xAA\xC1\xD6",          // 吉林
    "\xC1\xC9\xC4\xFE",          // 辽宁
    "\xC4\xFE\xCF\xC4",          // 宁夏
    "\xC7\xE0\xBA\xA3",          // 青海
    "\xC9\xBD\xB6\xAB",          // 山东
    "\xC9\xBD\xCE\xF7",          // 山西
    "\xC9\xC2\xCE\xF7",          // 陕西
    "\xD4\xC6\xC4\xCF",          // 云南
    "\xCB\xC4\xB4\xA8",          // 四川
    "\xCE\xF7\xB2\xD8",          // 西藏
    "\xD0\xC2\xBD\xAE",          // 新疆
    "\xD5\xE3\xBD\xAD",          // 浙江
    "\xB0\xC4\xC3\xC5",          // 澳门
    "\xCF\xE3\xB8\xDB",          // 香港
    "\xCC\xA8\xCD\xE5",          // 台湾
    "\xC4\xDA\xC3\xC9\xB9\xC5",  // 内蒙古
    "\xBA\xDA\xC1\xFA\xBD\xAD",  // 黑龙江
};

}  // namespace quorvane
