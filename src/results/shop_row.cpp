#include "results/shop_row.h"

#include "results/row_look.h"

namespace quorvane {

LocalText columnTitle(Column c) {
  static const std::array<const char*, kColumnCount> kTitles = {
      "\xD1\xA1\xD4\xF1",                  // 选择
      "\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6",  // 店铺名称
      "\xCD\xFA\xCD\xFAID",                // 旺旺ID
      "\xB1\xA6\xB1\xB4\xCA\xFD\xC1\xBF",  // 宝贝数量
      "\xD4\xC2\xCF\xFA\xC1\xBF",          // 月销量
      "\xC2\xF4\xBC\xD2\xD0\xC5\xD3\xFE",  // 卖家信誉
      "\xD6\xF7\xD3\xAA\xC0\xE0\xC4\xBF",  // 主营类目
      "\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC",  // 在线状态
      "\xC1\xAA\xCF\xB5\xD7\xB4\xCC\xAC",  // 联系状态
  };
  return kTitles[static_cast<size_t>(columnIndex(c))];
}

const LocalText& ShopRow::text(Column c) const {
  static const LocalText kNone;
  switch (c) {
    case Column::Tick:
      return kNone;
    case Column::ShopName:
      return shopName;
    case Column::SellerId:
      return sellerId;
    case Column::ItemCount:
      return itemCount;
    case Column::MonthlySales:
      return monthlySales;
    case Column::Credit:
      return credit;
    case Column::Category:
      return category;
    case Column::Presence:
      return presence;
    case Column::ContactState:
      return contactState;
  }
  return kNone;
}

bool worthContacting(const ShopRow& shop) {
  return shop.presence == kOnlineText && shop.contactState == kNotContactedText;
}

}  // namespace quorvane
