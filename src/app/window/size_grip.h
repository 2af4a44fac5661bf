#pragma once
// A grip in the bottom-right corner of a window with a fixed frame: dragging
// it resizes the window, never below the window's minimum tracking size
// (WM_GETMINMAXINFO). A sizing border would be thicker than the fixed frame
// and shrink the client area that the layout's figures are measured in.
#include <windows.h>

namespace quorvane {

class SizeGrip {
 public:
  static constexpr wchar_t kClassName[] = L"QuorvaneSizeGrip";
  static void registerWindowClass(HINSTANCE instance);

  SizeGrip() = default;
  SizeGrip(const SizeGrip&) = delete;
  SizeGrip& operator=(const SizeGrip&) = delete;

  // A child of `window`; the object must outlive it.
  void create(HWND window, HINSTANCE instance);
  // A square of `size` at left, top of the window's client area; hidden
  // while the window is maximised, since a maximised window is not resized.
  void place(int left, int top, int size, bool shown);

 private:
  static LRESULT CALLBACK windowProc(HWND grip, UINT message, WPARAM wParam, LPARAM lParam);
  void onPressed(POINT onScreen);
  void onDragged(POINT onScreen);

  HWND grip_ = nullptr;
  bool dragging_ = false;
  POINT dragStart_{};     // the mouse on the screen when the button went down
  SIZE sizeAtStart_{};    // the window's outer size then
};

}  // namespace quorvane
