#pragma once
// The thirty provinces a search can cover, in the order they are searched.
#include <array>
#include <string_view>

namespace quorvane {

constexpr int kProvinceCount = 30;

// Each name is the province's own check box caption and its "loc" value.
extern const std::array<std::string_view, kProvinceCount> ProvinceTable;

}  // namespace quorvane
