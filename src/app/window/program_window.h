#pragma once
// What every top-level window of the program has in common: one kind of
// window class, the binding of the window's handle to its object, and the
// answer to a change of DPI. A window derives from it and keeps only what is
// its own: its messages, what it renews at a new scale and its layout.
#include <windows.h>

#include <string_view>

#include "app/dpi_scale.h"
#include "app/window/program_icon.h"

namespace quorvane {

class ProgramWindow {
 public:
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

 protected:
  ProgramWindow() = default;
  virtual ~ProgramWindow() = default;

  // The program's icon, the dialog colour, and a full repaint on every
  // change of size (controls anchored to the bottom move and leave behind
  // what must be painted afresh).
  static void registerClass(HINSTANCE instance, const wchar_t* className);
  // Creates a window of `className` with the local-text caption, bound to
  // this object; its creation messages already reach handleMessage. Null
  // when it could not be made.
  HWND createWindow(HINSTANCE instance, const wchar_t* className, std::string_view caption, DWORD style,
                    const RECT& box);

  // Every message but the first and the last of the window's life.
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // At a new scale_: fonts and images drawn for the old one are made again.
  virtual void renewForScale() = 0;
  // Places the controls in the client area at scale_.
  virtual void layOut() = 0;

  // WM_DPICHANGED: the system suggests the window's new place and size; what
  // the window draws follows the new DPI.
  void onDpiChanged(UINT dpi, const RECT& suggested);

  HWND window_ = nullptr;  // null before creation and once destroyed
  DpiScale scale_;
  WindowIcons icons_;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace quorvane
