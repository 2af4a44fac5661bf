#pragma once
// The region panel 图片框1: 30 province check boxes in eight rows, a group
// check box per row, a second search button and an image button. It lies
// just outside the window's right edge and slides in over the grid. Parked,
// it is also hidden, so that Tab never walks into it; slid in, it takes the
// focus (its first province), and slid out it hands the focus back.
#include <windows.h>

#include <functional>

#include "app/dpi_scale.h"
#include "app/window/main_window.h"
#include "app/window/main_window_layout.h"

namespace quorvane {

class RegionPanel {
 public:
  // A slide is 12 steps (of about 30 pixels at 96 DPI) with a pause after each.
  static constexpr int kSlideSteps = 12;
  static constexpr DWORD kSlidePauseMs = 1;

  using ControlLookup = std::function<HWND(Control)>;

  static void registerWindowClass(HINSTANCE instance);

  void attach(HWND panel, ControlLookup lookup);
  // Where the panel stands hidden (`hidden`, its size included) and, shown,
  // at `shownLeft`. A panel that was shown stays shown, anything else goes
  // to the hidden place, at once.
  void place(const ControlBox& hidden, int shownLeft);
  int left() const;
  bool shown() const { return left() == shownLeft_; }
  void park();  // to the hidden position, at once, hidden
  void toggle();
  void slideOut();
  // A group check box was clicked: its row follows the box's own tick.
  void applyProvinceGroup(Control groupBox);
  static bool isGroupBox(Control c);

  // The image button 图形按钮1, drawn as a tab with a chevron pointing out.
  static void drawImageButton(const DRAWITEMSTRUCT& item, DpiScale scale);

 private:
  void slideTo(int target);
  void moveTo(int left);
  void slideIn();
  void slideAway();

  HWND panel_ = nullptr;
  ControlLookup lookup_;
  int shownLeft_ = 0;
  int hiddenLeft_ = 0;
  HWND focusBefore_ = nullptr;  // where the focus was before the panel took it
};

}  // namespace quorvane
