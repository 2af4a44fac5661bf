#pragma once
// The region panel 图片框1: 30 province check boxes in eight rows, a group
// check box per row, a second search button and an image button. It lies
// just outside the window's right edge and slides in over the grid.
#include <windows.h>

#include <functional>

#include "app/window/main_window.h"

namespace quorvane {

class RegionPanel {
 public:
  static constexpr int kShownLeft = 861;   // its right edge meets the window's at 1221
  static constexpr int kHiddenLeft = 1221; // entirely outside the window
  static constexpr int kSlideSteps = 12;
  static constexpr int kSlideStep = 30;
  static constexpr DWORD kSlidePauseMs = 1;

  using ControlLookup = std::function<HWND(Control)>;

  static void registerWindowClass(HINSTANCE instance);

  void attach(HWND panel, ControlLookup lookup);
  int left() const;
  void park();  // to the hidden position, at once
  void toggle();
  void slideOut();
  // A group check box was clicked: its row follows the box's own tick.
  void applyProvinceGroup(Control groupBox);
  static bool isGroupBox(Control c);

  // The image button 图形按钮1, drawn as a tab with a chevron pointing out.
  static void drawImageButton(const DRAWITEMSTRUCT& item);

 private:
  void slide(int step);

  HWND panel_ = nullptr;
  ControlLookup lookup_;
};

}  // namespace quorvane
