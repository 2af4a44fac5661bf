#pragma once
// The search the contact suites run before they contact anyone: "contactround"
// in 浙江 (contact_shops.tsv, three shops), started as a user starts it, and
// the row each seller lands in.
#include <string>

#include "ui_driver.h"

namespace quorvane::testing {

// Ticks 浙江 and puts the keyword in unless they are there already (a start
// may have brought them back), presses 搜索 and waits until the three rows
// have their status. False when they never did.
inline bool searchTheContactShops(HWND main, const ui::RemoteGrid& grid) {
  HWND zhejiang = ui::findControl(main, L"Button", ui::fromLocal("\xD5\xE3\xBD\xAD"));  // 浙江
  if (!ui::isChecked(zhejiang)) ui::click(zhejiang);
  HWND keyword = ui::keywordBox(main);
  if (ui::text(keyword) != L"contactround") ui::typeText(keyword, L"contactround");
  ui::click(ui::findControl(main, L"Button", ui::fromLocal("\xCB\xD1\xCB\xF7")));  // 搜索
  return ui::waitUntil([&] { return !grid.cell(3, 8).empty(); }, 30000);
}

// The row of a contact shop's seller; -1 when none of the three has it.
inline int rowOfSeller(const ui::RemoteGrid& grid, const std::wstring& id) {
  for (int row = 1; row <= 3; ++row)
    if (grid.cell(row, 2) == id) return row;
  return -1;
}

}  // namespace quorvane::testing
