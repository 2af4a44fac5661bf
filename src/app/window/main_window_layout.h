#pragma once
// The main window's definition: its size and caption, and every control with
// its kind, parent, position (relative to the parent's client area) and
// caption, in creation order. Captions are local (GBK) text. Sizes and
// positions are 96-DPI figures (see main_window_arrangement.h).
#include <array>
#include <span>

#include "app/dpi_scale.h"
#include "app/window/main_window.h"
#include "app/window/program_version.h"

namespace quorvane {

enum class ControlKind {
  GroupBox, Label, DropDownList, Edit,
  EditableList,  // an edit box with a drop-down list (an editable combo box)
  Button, CheckBox, Grid, Panel, ImageButton,
};
enum class ControlParent { Window, Header, Panel };

struct ControlLayout {
  Control name;
  ControlKind kind;
  ControlParent parent;
  int left, top, width, height;
  const char* caption;
};

struct ControlBox {
  int left, top, width, height;
  friend bool operator==(const ControlBox&, const ControlBox&) = default;
};

constexpr ControlBox boxOf(const ControlLayout& layout) {
  return {layout.left, layout.top, layout.width, layout.height};
}

// A box of the layout at a DPI's scale.
constexpr ControlBox scaledBox(const ControlLayout& layout, DpiScale scale) {
  return {scale(layout.left), scale(layout.top), scale(layout.width), scale(layout.height)};
}

constexpr int kControlCount = static_cast<int>(Control::黑龙江) + 1;
constexpr int indexOf(Control c) { return static_cast<int>(c); }

namespace window_layout {
inline constexpr const char* kCaption = "QuorvaneV" QUORVANE_CAPTION_VERSION;
inline constexpr int kWidth = 1221;
inline constexpr int kInitialHeight = 743;
inline constexpr int kHeight = 721;  // set by the creation handler
// The status bar below the bottom row adds its height to the window's.
inline constexpr int kStatusBarHeight = 22;
// The region panel's left edge hidden (entirely outside the window). Shown,
// its right edge meets the client area's (the layout's 861 put it at the
// window's outer edge, its right end under the frame).
inline constexpr int kPanelHiddenLeft = 1221;
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
