#pragma once
// The status bar below the bottom row: what the program is doing and what
// went wrong, in words. It is split into parts that stand left to right; the
// message part, on the left, shows the latest message and takes whatever
// room the others leave. A part of fixed width is added by naming it in
// StatusPart and giving it a width in status_bar.cpp's table. The bar's
// right end is the system's size box, which resizes the window as its
// bottom-right corner does.
#include <windows.h>

#include <string>

#include "app/dpi_scale.h"
#include "text/text.h"

namespace quorvane {

enum class StatusPart {
  Message,     // the latest thing the program has to say
  View,        // what the grid shows when it does not show every row ("只显示在线且未联系 35/120")
  DailyCount,  // "今日已联系 N / 上限"
};

class StatusBar {
 public:
  StatusBar() = default;
  StatusBar(const StatusBar&) = delete;
  StatusBar& operator=(const StatusBar&) = delete;

  // A child of `window`, which must have a sizing frame.
  void create(HWND window, HINSTANCE instance, HFONT font);
  HWND handle() const { return bar_; }
  void setFont(HFONT font);
  // The bar at `left, top, width, height` of the window's client area.
  void place(int left, int top, int width, int height, DpiScale scale);

  void setText(StatusPart part, const LocalText& text);
  void setText(StatusPart part, const std::wstring& text);
  LocalText text(StatusPart part) const;

 private:
  void setParts(int width, int height, DpiScale scale);

  HWND bar_ = nullptr;
};

}  // namespace quorvane
