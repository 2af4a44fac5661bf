#pragma once
// What the suites on other screens share: the DPI they run at, the layout's
// 96-DPI figures at that DPI, and the rule every size of the main window
// follows. Its own client area is the layout's outer size times the DPI's
// scale less the frame the system draws; there every figure stands at its
// place times the scale and the grid spans the width. A client area of
// another size gives the grid the difference, the bottom row keeps its
// distance to the bottom and the region panel its distance to the right
// edge, and a row too long for the window is squeezed into it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout_figures.h"
#include "ui_driver.h"

namespace quorvane::ui {

// Off by rounding, twice at most: the figure's own and its parent's.
constexpr int kTolerance = 2;

// One Quorvane.exe for the whole run, started on first use: starting one
// costs seconds under Wine. Each test leaves it as it found it.
App& runningApp();

// The DPI the suite runs at: the system's, as scripts/with-screen.sh set it.
int screenDpi();
// A 96-DPI figure at that DPI, rounded.
int scaled(int figure);
// "144-dpi", for screenshot names.
std::wstring dpiName();

RECT screenRectOf(HWND window);
RECT clientRectOf(HWND window);
RECT workAreaOf(HWND window);
inline int widthOf(const RECT& r) { return r.right - r.left; }
inline int heightOf(const RECT& r) { return r.bottom - r.top; }
bool contains(const RECT& outer, const RECT& inner);

// The main window's parts as a user finds them.
struct MainWindowParts {
  HWND window = nullptr, header = nullptr, panel = nullptr, grid = nullptr;
};
MainWindowParts partsOf(HWND window);
HWND parentOf(const MainWindowParts& parts, Parent parent);
// The control of each figure of kHeaderAndWindow, in the same order, wherever
// it stands: the child of its parent with its class and caption (among
// equals, the one in the same place from the left).
std::vector<HWND> controlsOf(const MainWindowParts& parts);
bool inBottomRow(const Expected& figure);

// Every control where the rule puts it for the window's present size, the
// region panel hidden.
void expectArrangedForItsSize(const MainWindowParts& parts);

// Nothing covers the control's middle and that middle lies in the work area.
::testing::AssertionResult inReach(HWND control);
// inReach for every control of the header and the bottom row, or of the
// bottom row only.
void expectControlsInReach(const MainWindowParts& parts, bool bottomRowOnly = false);

// The mouse to a point of the primary screen, with a button change if any
// (MOUSEEVENTF_LEFTDOWN, ...), through the system's input.
void sendMouse(POINT at, DWORD button = 0);

// What the window's frame and caption take: its outer size less its client size.
SIZE frameOf(HWND window);

// A point of the window's frame where the system's hit test answers `hit`
// (HTLEFT, HTBOTTOMRIGHT, ...): on the edge's or corner's middle, one pixel
// in from the outer edge.
POINT pointOnFrame(HWND window, int hit);
// Drags with the mouse from `from` (on the screen) by dx, dy in a few steps,
// through the system's input as a user would, where a press starts the
// system's own sizing loop for `window`.
void dragFrom(HWND window, POINT from, int dx, int dy);
// dragFrom the window's frame where the hit test answers `hit`.
void dragFrame(HWND window, int hit, int dx, int dy);

// Presses 选择地区 and waits for the slide to end.
void pressRegionLink(const MainWindowParts& parts);

}  // namespace quorvane::ui
