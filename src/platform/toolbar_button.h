#pragma once
// A toolbar button record (TBBUTTON) as another process's toolbar writes it.
// Its size follows the bitness of the process that owns the toolbar. Plain
// byte decoding, so the native tests and the fuzzer check it too.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::platform {

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
inline std::optional<ToolbarButton> decodeToolbarButton(std::string_view bytes, ToolbarButtonLayout layout) {
  if (bytes.size() < toolbarButtonSize(layout)) return std::nullopt;
  auto littleEndian = [bytes](std::size_t offset, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
  };
  const bool wide = layout == ToolbarButtonLayout::Bits64;
  const std::size_t pointerSize = wide ? 8 : 4;
  const std::size_t dataOffset = wide ? 16 : 12;
  ToolbarButton button;
  button.iBitmap = static_cast<std::int32_t>(littleEndian(0, 4));
  button.idCommand = static_cast<std::int32_t>(littleEndian(4, 4));
  button.fsState = static_cast<std::uint8_t>(bytes[8]);
  button.fsStyle = static_cast<std::uint8_t>(bytes[9]);
  button.dwData = littleEndian(dataOffset, pointerSize);
  const std::uint64_t string = littleEndian(dataOffset + pointerSize, pointerSize);
  // iString is a signed pointer-sized value (-1 means no string).
  button.iString = wide ? static_cast<std::int64_t>(string) : static_cast<std::int32_t>(string);
  return button;
}

}  // namespace quorvane::platform
