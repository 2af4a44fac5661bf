#pragma once
// A toolbar button record (TBBUTTON) as another process's toolbar writes it.
// Its size follows the bitness of the process that owns the toolbar.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

enum class ToolbarButtonLayout {
  Bits32,  // 20 bytes: two reserved bytes, 4-byte dwData and iString
  Bits64,  // 32 bytes: six reserved bytes, 8-byte dwData and iString
};

struct ToolbarButton {
  std::int32_t iBitmap = 0;
  std::int32_t idCommand = 0;
  std::uint8_t fsState = 0;
  std::uint8_t fsStyle = 0;
  std::uint64_t dwData = 0;
  std::int64_t iString = 0;
};

constexpr std::size_t toolbarButtonSize(ToolbarButtonLayout layout) {
  return layout == ToolbarButtonLayout::Bits32 ? 20 : 32;
}

// Nothing when `bytes` is shorter than the layout's record.
std::optional<ToolbarButton> decodeToolbarButton(std::string_view bytes, ToolbarButtonLayout layout);

}  // namespace quorvane
