#pragma once
// The main window's definition: its size and caption, and every control with
// its kind, parent, position (relative to the parent's client area) and
// caption, in creation order. Captions are local (GBK) text.
#include <array>
#include <span>

#include "app/window/main_window.h"
#include "app/window/program_version.h"

namespace quorvane {

enum class ControlKind { GroupBox, Label, DropDownList, Edit, Button, CheckBox, Grid, Panel, ImageButton };
enum class ControlParent { Window, Header, Panel };

struct ControlLayout {
  Control name;
  ControlKind kind;
  ControlParent parent;
  int left, top, width, height;
  const char* caption;
};

constexpr int kControlCount = static_cast<int>(Control::黑龙江) + 1;
constexpr int indexOf(Control c) { return static_cast<int>(c); }

namespace window_layout {
inline constexpr const char* kCaption = "QuorvaneV" QUORVANE_CAPTION_VERSION;
inline constexpr int kWidth = 1221;
inline constexpr int kInitialHeight = 743;
inline constexpr int kHeight = 721;  // set by the creation handler
inline constexpr unsigned kTimer1Interval = 200;
}  // namespace window_layout

std::span<const ControlLayout> mainWindowLayout();
const ControlLayout& layoutOf(Control c);

// The items of 组合框1, in order; the first is selected as created.
std::span<const char* const> creditRangeItems();

// One row of provinces on the region panel and the group box that switches it.
struct ProvinceGroup {
  Control groupBox;
  std::span<const Control> provinces;  // left to right
};
std::span<const ProvinceGroup> provinceGroups();  // top to bottom

}  // namespace quorvane
