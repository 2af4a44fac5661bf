#include "app/restored_placement.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {
namespace {

std::int64_t overlap(const ScreenBox& a, const ScreenBox& b) {
  const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

int scaled(int pixels, int to, int from) {
  return static_cast<int>((static_cast<std::int64_t>(pixels) * to + from / 2) / from);
}

}  // namespace

std::optional<ScreenBox> restoredWindowBox(const SavedPlacement& saved, int dpi, int minimumWidth, int minimumHeight,
                                           std::span<const ScreenBox> workAreas) {
  if (saved.dpi <= 0 || dpi <= 0) return std::nullopt;
  ScreenBox box{saved.left, saved.top, 0, 0};
  box.right = box.left + scaled(saved.right - saved.left, dpi, saved.dpi);
  box.bottom = box.top + scaled(saved.bottom - saved.top, dpi, saved.dpi);

  const ScreenBox* area = nullptr;
  std::int64_t most = 0;
  for (const ScreenBox& candidate : workAreas)
    if (const std::int64_t shared = overlap(box, candidate); shared > most) {
      most = shared;
      area = &candidate;
    }
  if (!area) return std::nullopt;

  const int width = std::min(std::max(box.width(), minimumWidth), area->width());
  const int height = std::min(std::max(box.height(), minimumHeight), area->height());
  const int left = std::clamp(box.left, area->left, area->right - width);
  const int top = std::clamp(box.top, area->top, area->bottom - height);
  return ScreenBox{left, top, left + width, top + height};
}

}  // namespace quorvane
