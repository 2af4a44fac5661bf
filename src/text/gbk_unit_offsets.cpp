#include "text/gbk_unit_offsets.h"

#include <limits>

#include "text/gbk_characters.h"

namespace quorvane {
namespace {

size_t unitLength(std::string_view text, size_t at) {
  bool pair = isGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() &&
              text[at + 1] != '\0';
  return pair ? 2 : 1;
}

}  // namespace

std::optional<GbkUnitOffsets> GbkUnitOffsets::of(std::string_view local, size_t unitCount) {
  if (local.size() > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  GbkUnitOffsets offsets;
  offsets.checkpoints_.reserve(unitCount / kStride + 1);
  size_t units = 0;
  for (size_t at = 0; at < local.size(); at += unitLength(local, at), ++units) {
    if (units % kStride == 0) offsets.checkpoints_.push_back(static_cast<std::uint32_t>(at));
  }
  if (units != unitCount) return std::nullopt;
  return offsets;
}

size_t GbkUnitOffsets::byteOffset(std::string_view local, size_t unit) const {
  size_t checkpoint = unit / kStride;
  if (checkpoint >= checkpoints_.size()) return local.size();
  size_t at = checkpoints_[checkpoint];
  for (size_t walked = checkpoint * kStride; walked < unit && at < local.size(); ++walked)
    at += unitLength(local, at);
  return at;
}

}  // namespace quorvane
