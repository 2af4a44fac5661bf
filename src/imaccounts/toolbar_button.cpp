#include "imaccounts/toolbar_button.h"

namespace quorvane {
namespace {

std::uint64_t littleEndian(std::string_view bytes, std::size_t offset, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

}  // namespace

std::optional<ToolbarButton> decodeToolbarButton(std::string_view bytes, ToolbarButtonLayout layout) {
  if (bytes.size() < toolbarButtonSize(layout)) return std::nullopt;
  bool wide = layout == ToolbarButtonLayout::Bits64;
  std::size_t pointerSize = wide ? 8 : 4;
  std::size_t dataOffset = wide ? 16 : 12;
  ToolbarButton button;
  button.iBitmap = static_cast<std::int32_t>(littleEndian(bytes, 0, 4));
  button.idCommand = static_cast<std::int32_t>(littleEndian(bytes, 4, 4));
  button.fsState = static_cast<std::uint8_t>(bytes[8]);
  button.fsStyle = static_cast<std::uint8_t>(bytes[9]);
  button.dwData = littleEndian(bytes, dataOffset, pointerSize);
  std::uint64_t string = littleEndian(bytes, dataOffset + pointerSize, pointerSize);
  // iString is a signed pointer-sized value (-1 means no string).
  button.iString = wide ? static_cast<std::int64_t>(string) : static_cast<std::int32_t>(string);
  return button;
}

}  // namespace quorvane
