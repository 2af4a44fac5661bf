#include "app/window/main_window_layout.h"

namespace quorvane {

namespace {

using enum Control;
using K = ControlKind;
using P = ControlParent;

constexpr int kRowTops[] = {81, 133, 185, 237, 289, 341, 393, 446};
constexpr int kColumnLefts[] = {54, 128, 202, 278};

constexpr ControlLayout province(Control name, int row, int column, const char* caption,
                                 int width = 48) {
  return {name, K::CheckBox, P::Panel, kColumnLefts[column], kRowTops[row], width, 24, caption};
}
constexpr ControlLayout groupBox(Control name, int row) {
  return {name, K::CheckBox, P::Panel, 16, kRowTops[row] + 4, 20, 16, ""};
}

// Creation order is also the tab order.
constexpr ControlLayout kLayout[] = {
    {分组框1, K::GroupBox, P::Window, -4, 1, 1300, 55, ""},
    {透明标签1, K::Label, P::Header, 30, 18, 59, 26, "\xD1\xA1\xD4\xF1\xB5\xC8\xBC\xB6\xA3\xBA"},
    {组合框1, K::DropDownList, P::Header, 92, 20, 112, 20, ""},
    {透明标签2, K::Label, P::Header, 238, 17, 44, 26, "\xCD\xFA\xCD\xFAID\xA3\xBA"},
    {旺旺输入框, K::Edit, P::Header, 288, 19, 196, 24, ""},
    {进入店铺, K::Button, P::Header, 498, 19, 63, 24, "\xBD\xF8\xC8\xEB\xB5\xEA\xC6\xCC"},
    {透明标签3, K::Label, P::Window, 597, 20, 48, 24, "\xB9\xD8\xBC\xFC\xB4\xCA\xA3\xBA"},
    {关键词输入框, K::EditableList, P::Header, 650, 19, 344, 25, ""},
    {搜索, K::Button, P::Header, 1017, 19, 63, 25, "\xCB\xD1\xCB\xF7"},
    {清空, K::Button, P::Header, 1087, 19, 63, 25, "\xC7\xE5\xBF\xD5"},
    {高级表格1, K::Grid, P::Window, 0, 53, 1215, 592, ""},
    {透明标签4, K::Label, P::Window, 30, 655, 59, 26, "\xC1\xAA\xCF\xB5\xCD\xFA\xCD\xFA\xA3\xBA"},
    {联系旺旺列表框, K::DropDownList, P::Window, 92, 658, 168, 22, ""},
    {刷新, K::Button, P::Window, 273, 657, 63, 25, "\xCB\xA2\xD0\xC2"},
    {联系选中, K::Button, P::Window, 350, 657, 63, 25, "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"},
    {搜索结果, K::Label, P::Window, 444, 660, 88, 18, "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "0\xCC\xF5"},
    {选中过滤, K::CheckBox, P::Window, 549, 658, 105, 24,
     "\xD1\xA1\xD6\xD0\xCA\xB1\xD7\xD4\xB6\xAF\xB9\xFD\xC2\xCB"},
    {已选中标签, K::Label, P::Window, 676, 657, 112, 24,
     "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "0 \xB8\xF6"},
    {停止搜索, K::Button, P::Window, 794, 657, 63, 25, "\xCD\xA3\xD6\xB9\xCB\xD1\xCB\xF7"},
    {删除缓存, K::Button, P::Window, 877, 657, 63, 25, "\xC9\xBE\xB3\xFD\xBB\xBA\xB4\xE6"},
    {批量联系, K::Button, P::Window, 960, 657, 63, 25, "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5"},
    // Its access key (Alt+R) written after it, as Chinese Windows programs
    // write theirs; the label is underlined as a whole, the letter with it.
    {选择地区, K::Label, P::Window, 1119, 659, 67, 18, "\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8(R)"},
    {图片框1, K::Panel, P::Window, 1214, 84, 360, 558, ""},
    // region panel
    province(安徽, 0, 0, "\xB0\xB2\xBB\xD5"),
    province(福建, 0, 1, "\xB8\xA3\xBD\xA8"),
    province(甘肃, 0, 2, "\xB8\xCA\xCB\xE0"),
    province(广东, 0, 3, "\xB9\xE3\xB6\xAB"),
    province(广西, 1, 0, "\xB9\xE3\xCE\xF7"),
    province(贵州, 1, 1, "\xB9\xF3\xD6\xDD"),
    province(海南, 1, 2, "\xBA\xA3\xC4\xCF"),
    province(河北, 1, 3, "\xBA\xD3\xB1\xB1"),
    province(河南, 2, 0, "\xBA\xD3\xC4\xCF"),
    province(湖北, 2, 1, "\xBA\xFE\xB1\xB1"),
    province(湖南, 2, 2, "\xBA\xFE\xC4\xCF"),
    province(江苏, 2, 3, "\xBD\xAD\xCB\xD5"),
    province(江西, 3, 0, "\xBD\xAD\xCE\xF7"),
    province(吉林, 3, 1, "\xBC\xAA\xC1\xD6"),
    province(辽宁, 3, 2, "\xC1\xC9\xC4\xFE"),
    province(宁夏, 3, 3, "\xC4\xFE\xCF\xC4"),
    province(青海, 4, 0, "\xC7\xE0\xBA\xA3"),
    province(山东, 4, 1, "\xC9\xBD\xB6\xAB"),
    province(山西, 4, 2, "\xC9\xBD\xCE\xF7"),
    province(陕西, 4, 3, "\xC9\xC2\xCE\xF7"),
    province(云南, 5, 0, "\xD4\xC6\xC4\xCF"),
    province(四川, 5, 1, "\xCB\xC4\xB4\xA8"),
    province(西藏, 5, 2, "\xCE\xF7\xB2\xD8"),
    province(新疆, 5, 3, "\xD0\xC2\xBD\xAE"),
    province(浙江, 6, 0, "\xD5\xE3\xBD\xAD"),
    province(澳门, 6, 1, "\xB0\xC4\xC3\xC5"),
    province(香港, 6, 2, "\xCF\xE3\xB8\xDB"),
    province(台湾, 6, 3, "\xCC\xA8\xCD\xE5"),
    province(内蒙古, 7, 0, "\xC4\xDA\xC3\xC9\xB9\xC5", 66),
    province(黑龙江, 7, 1, "\xBA\xDA\xC1\xFA\xBD\xAD", 56),
    groupBox(选择框1, 0),
    groupBox(选择框2, 1),
    groupBox(选择框3, 2),
    groupBox(选择框4, 3),
    groupBox(选择框8, 4),
    groupBox(选择框7, 5),
    groupBox(选择框6, 6),
    groupBox(选择框5, 7),
    {启动高级搜索, K::Button, P::Panel, 230, 445, 96, 25, "\xBF\xAA\xCA\xBC\xCB\xD1\xCB\xF7"},
    {图形按钮1, K::ImageButton, P::Panel, 333, 224, 22, 49, ""},
};
static_assert(std::size(kLayout) == kControlCount, "every control has its layout");

constexpr const char* kCreditRanges[] = {
    "0\xD0\xC4", "0-1\xD0\xC4", "0-2\xD0\xC4", "0-3\xD0\xC4", "0-4\xD0\xC4", "0-5\xD0\xC4",
};

constexpr Control kRow1[] = {安徽, 福建, 甘肃, 广东};
constexpr Control kRow2[] = {广西, 贵州, 海南, 河北};
constexpr Control kRow3[] = {河南, 湖北, 湖南, 江苏};
constexpr Control kRow4[] = {江西, 吉林, 辽宁, 宁夏};
constexpr Control kRow5[] = {青海, 山东, 山西, 陕西};
constexpr Control kRow6[] = {云南, 四川, 西藏, 新疆};
constexpr Control kRow7[] = {浙江, 澳门, 香港, 台湾};
constexpr Control kRow8[] = {内蒙古, 黑龙江};

// The lower four rows are switched by 选择框8 down to 选择框5.
constexpr ProvinceGroup kGroups[] = {
    {选择框1, kRow1}, {选择框2, kRow2}, {选择框3, kRow3}, {选择框4, kRow4},
    {选择框8, kRow5}, {选择框7, kRow6}, {选择框6, kRow7}, {选择框5, kRow8},
};

}  // namespace

std::span<const ControlLayout> mainWindowLayout() { return kLayout; }

const ControlLayout& layoutOf(Control c) {
  for (const ControlLayout& layout : kLayout)
    if (layout.name == c) return layout;
  return kLayout[0];  // unreachable: the static_assert above covers every control
}

std::span<const char* const> creditRangeItems() { return kCreditRanges; }
std::span<const ProvinceGroup> provinceGroups() { return kGroups; }

}  // namespace quorvane
