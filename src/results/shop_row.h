#pragma once
// One row of the result grid: the tick and the eight text columns of a shop,
// by name. Column numbers exist only here; everything else names a column.
#include <array>

#include "text/text.h"

namespace quorvane {

enum class Column {
  Tick,          // 选择
  ShopName,      // 店铺名称
  SellerId,      // 旺旺ID
  ItemCount,     // 宝贝数量
  MonthlySales,  // 月销量
  Credit,        // 卖家信誉
  Category,      // 主营类目
  Presence,      // 在线状态
  ContactState,  // 联系状态
};

inline constexpr int kColumnCount = 9;
constexpr int columnIndex(Column c) { return static_cast<int>(c); }
constexpr Column columnAt(int index) { return static_cast<Column>(index); }

// The columns that hold text, in grid order: every column but the tick.
inline constexpr std::array<Column, 8> kTextColumns = {
    Column::ShopName, Column::SellerId, Column::ItemCount, Column::MonthlySales,
    Column::Credit,   Column::Category, Column::Presence,  Column::ContactState};

// The title of each column (the grid's row 0), in local text.
LocalText columnTitle(Column c);

struct ShopRow {
  LocalText shopName;
  LocalText sellerId;
  LocalText itemCount;
  LocalText monthlySales;
  LocalText credit;
  LocalText category;
  LocalText presence;
  LocalText contactState;

  // The text of a column; the tick column has none ("").
  const LocalText& text(Column c) const;

  bool operator==(const ShopRow&) const = default;
};

// Online and not yet contacted, by the texts the row shows: the sellers the
// tick filter admits and the view "只显示在线且未联系" keeps.
bool worthContacting(const ShopRow& shop);

}  // namespace quorvane
