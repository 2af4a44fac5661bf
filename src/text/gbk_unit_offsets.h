#pragma once
// Where each UTF-16 unit of a converted local text came from: code page 936
// turns a lead byte and the byte after it into one unit and every other byte
// into one unit. Lets matches found on the wide form be cut out of the local
// text byte for byte, without converting back.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quorvane {

class GbkUnitOffsets {
 public:
  GbkUnitOffsets() = default;
  // Fails (nullopt) when the text does not give exactly `unitCount` units
  // by that rule, so a caller can fall back to converting.
  static std::optional<GbkUnitOffsets> of(std::string_view local, size_t unitCount);

  // The byte offset in `local` (the text it was made of) where unit `unit`
  // begins; the text's length for the end.
  size_t byteOffset(std::string_view local, size_t unit) const;

 private:
  static constexpr size_t kStride = 64;  // one checkpoint every 64 units

  std::vector<std::uint32_t> checkpoints_;
};

}  // namespace quorvane
