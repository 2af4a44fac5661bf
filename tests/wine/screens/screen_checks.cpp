#include "screen_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace quorvane::ui {

namespace {

constexpr int kDesignWidth = kWindowWidth, kDesignHeight = kWindowHeight;
constexpr int kGridTop = 53, kGridHeight = 592;
constexpr int kHeaderLeft = -4, kHeaderTop = 1, kHeaderWidth = 1300, kHeaderHeight = 55;
constexpr int kPanelHiddenLeft = 1221, kPanelTop = 84, kPanelWidth = 360, kPanelHeight = 558;

RECT inParent(HWND control) { return positionInParent(control); }

std::string utf8(const std::wstring& wide) {
  std::string bytes(wide.size() * 3, '\0');
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(length > 0 ? length : 0);
  return bytes;
}

bool isRoughly(int actual, int expected) { return std::abs(actual - expected) <= kTolerance; }

void expectBox(HWND control, int left, int top, int width, int height, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_NE(control, nullptr);
  RECT box = inParent(control);
  EXPECT_PRED2(isRoughly, box.left, left);
  EXPECT_PRED2(isRoughly, box.top, top);
  EXPECT_PRED2(isRoughly, widthOf(box), width);
  EXPECT_PRED2(isRoughly, heightOf(box), height);
}

// One row of controls in the window's coordinates: ordered, apart and
// inside the client area.
void expectRowInside(const std::vector<RECT>& row, const RECT& client) {
  int end = client.left;
  for (const RECT& box : row) {
    EXPECT_GE(box.left, end) << "overlaps its left neighbour or leaves the window";
    end = box.right;
  }
  EXPECT_LE(end, client.right) << "the row runs out of the window";
}

RECT inWindow(const MainWindowParts& parts, HWND control) {
  RECT box = screenRectOf(control);
  MapWindowPoints(HWND_DESKTOP, parts.window, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

std::unique_ptr<App> theApp;

// Ends the program before the process's own end, while Wine still answers.
class RunningAppEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { theApp.reset(); }
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new RunningAppEnvironment);

}  // namespace

App& runningApp() {
  if (!theApp) theApp = App::launch();
  if (!theApp) {
    ADD_FAILURE() << "Quorvane.exe did not start";
    std::abort();
  }
  return *theApp;
}

int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int scaled(int figure) { return static_cast<int>(std::lround(figure * screenDpi() / 96.0)); }

std::wstring dpiName() { return std::to_wstring(screenDpi()) + L"-dpi"; }

RECT screenRectOf(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  return box;
}

RECT clientRectOf(HWND window) {
  RECT box{};
  GetClientRect(window, &box);
  return box;
}

RECT workAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

bool contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

MainWindowParts partsOf(HWND window) {
  MainWindowParts parts;
  parts.window = window;
  parts.panel = findControl(window, L"QuorvaneRegionPanel", L"");
  parts.grid = findControl(window, L"SysListView32", L"");
  // The header frame: the caption-less group box that is a child of the window.
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (className(child) == L"Button" && (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
      parts.header = child;
  return parts;
}

HWND parentOf(const MainWindowParts& parts, Parent parent) {
  return parent == Parent::Header ? parts.header : parent == Parent::Panel ? parts.panel : parts.window;
}

std::vector<HWND> controlsOf(const MainWindowParts& parts) {
  struct Child {
    HWND handle;
    std::wstring cls, caption;
    int left;
  };
  // One look at each parent's children: every look crosses to the program.
  auto childrenOf = [](HWND parent) {
    std::vector<Child> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      children.push_back({child, className(child), text(child), positionInParent(child).left});
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.left < b.left; });
    return children;
  };
  const std::vector<Child> ofWindow = childrenOf(parts.window), ofHeader = childrenOf(parts.header);
  std::vector<HWND> controls;
  for (const Expected& figure : kHeaderAndWindow) {
    int equalsToTheLeft = 0;
    for (const Expected& other : kHeaderAndWindow) {
      if (&other == &figure) break;
      equalsToTheLeft += other.parent == figure.parent && std::wstring_view(other.cls) == figure.cls &&
                         std::string_view(other.caption) == figure.caption;
    }
    const std::wstring caption = fromLocal(figure.caption);
    HWND found = nullptr;
    for (const Child& child : figure.parent == Parent::Header ? ofHeader : ofWindow)
      if (child.cls == figure.cls && child.caption == caption && equalsToTheLeft-- == 0) {
        found = child.handle;
        break;
      }
    controls.push_back(found);
  }
  return controls;
}

bool inBottomRow(const Expected& figure) { return figure.parent == Parent::Window && figure.top > kGridTop; }

void expectArrangedForItsSize(const MainWindowParts& parts) {
  const RECT outer = screenRectOf(parts.window), client = clientRectOf(parts.window);
  const SIZE frame = frameOf(parts.window);
  const int wider = widthOf(client) - (scaled(kDesignWidth) - frame.cx);
  const int taller = heightOf(client) - (scaled(kDesignHeight) - frame.cy);
  SCOPED_TRACE(testing::Message() << "window " << widthOf(outer) << " x " << heightOf(outer) << ", client "
                                  << widthOf(client) << " x " << heightOf(client));
  expectBox(parts.grid, 0, scaled(kGridTop), widthOf(client), scaled(kGridHeight) + taller, "grid, across the width");
  expectBox(parts.header, scaled(kHeaderLeft), scaled(kHeaderTop), scaled(kHeaderWidth) + wider,
            scaled(kHeaderHeight), "header frame");
  RECT panel = inParent(parts.panel);
  EXPECT_PRED2(isRoughly, panel.left, scaled(kPanelHiddenLeft) + wider) << "the hidden panel keeps to the right edge";
  EXPECT_PRED2(isRoughly, widthOf(panel), scaled(kPanelWidth));
  EXPECT_PRED2(isRoughly, heightOf(panel), scaled(kPanelHeight));
  EXPECT_LE(panel.top, scaled(kPanelTop) + kTolerance);

  const RECT grid = inWindow(parts, parts.grid);
  const std::vector<HWND> controls = controlsOf(parts);
  std::vector<RECT> headerRow, bottomRow;
  for (size_t i = 0; i < std::size(kHeaderAndWindow); ++i) {
    const Expected& figure = kHeaderAndWindow[i];
    if (std::wstring_view(figure.cls) == L"SysListView32") continue;
    SCOPED_TRACE(testing::Message() << "the control laid out at " << figure.left << "," << figure.top);
    HWND control = controls[i];
    ASSERT_NE(control, nullptr);
    const RECT box = inParent(control), seen = inWindow(parts, control);
    EXPECT_PRED2(isRoughly, heightOf(box), scaled(figure.height));
    if (inBottomRow(figure)) {
      EXPECT_PRED2(isRoughly, box.top, scaled(figure.top) + taller) << "keeps its distance to the bottom";
      EXPECT_GE(seen.top, grid.bottom) << "below the grid";
      EXPECT_LE(seen.bottom, client.bottom) << "inside the window";
      bottomRow.push_back(seen);
    } else {
      EXPECT_PRED2(isRoughly, box.top, scaled(figure.top));
      headerRow.push_back(seen);
    }
    if (wider >= 0) {  // room enough: nothing squeezed
      EXPECT_PRED2(isRoughly, box.left, scaled(figure.left));
      EXPECT_PRED2(isRoughly, widthOf(box), scaled(figure.width));
    }
  }
  {
    SCOPED_TRACE("header row");
    expectRowInside(headerRow, client);
  }
  {
    SCOPED_TRACE("bottom row");
    expectRowInside(bottomRow, client);
  }
  // The status bar along the whole bottom edge, below the bottom row.
  HWND bar = findControl(parts.window, L"msctls_statusbar32", L"");
  ASSERT_NE(bar, nullptr);
  const RECT status = inWindow(parts, bar);
  EXPECT_EQ(status.left, client.left);
  EXPECT_EQ(status.right, client.right);
  EXPECT_EQ(status.bottom, client.bottom);
  EXPECT_PRED2(isRoughly, heightOf(status), scaled(kStatusBarHeight));
  for (const RECT& box : bottomRow) EXPECT_LE(box.bottom, status.top) << "the status bar covers a bottom-row control";
  // Its size box, in the corner: the system's sizing of the window's own corner.
  if (!IsZoomed(parts.window)) {
    const RECT onScreen = screenRectOf(bar);
    EXPECT_EQ(SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(onScreen.right - 2, onScreen.bottom - 2)), HTBOTTOMRIGHT);
  }
}

::testing::AssertionResult inReach(HWND control) {
  const RECT box = screenRectOf(control);
  POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  RECT area = workAreaOf(control);
  if (!PtInRect(&area, middle)) return ::testing::AssertionFailure() << "its middle lies outside the work area";
  // Down from the top-level window, the child on top at each level.
  HWND found = GetAncestor(control, GA_ROOT);
  for (;;) {
    POINT at = middle;
    ScreenToClient(found, &at);
    HWND child = ChildWindowFromPointEx(found, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == found) break;
    found = child;
    if (found == control) return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << utf8(className(found)) << " \"" << utf8(text(found))
                                       << "\" lies over its middle";
}

void expectControlsInReach(const MainWindowParts& parts, bool bottomRowOnly) {
  const std::vector<HWND> controls = controlsOf(parts);
  for (size_t i = 0; i < std::size(kHeaderAndWindow); ++i) {
    const Expected& figure = kHeaderAndWindow[i];
    if (std::wstring_view(figure.cls) == L"SysListView32" || (bottomRowOnly && !inBottomRow(figure))) continue;
    EXPECT_TRUE(inReach(controls[i])) << "the control laid out at " << figure.left << "," << figure.top;
  }
}

namespace {

bool inSizingLoop(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return (info.flags & GUI_INMOVESIZE) != 0;
}

}  // namespace

SIZE frameOf(HWND window) {
  const RECT outer = screenRectOf(window), client = clientRectOf(window);
  return {widthOf(outer) - widthOf(client), heightOf(outer) - heightOf(client)};
}

POINT pointOnFrame(HWND window, int hit) {
  const RECT box = screenRectOf(window);
  const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  const bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  const bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
  const bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  const bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
  return {left ? box.left + 1 : right ? box.right - 2 : middle.x, top ? box.top + 1 : bottom ? box.bottom - 2 : middle.y};
}

// Absolute positions run from 0 to 65536 across the screen; rounding up
// lands on the very pixel, as the system rounds down.
void sendMouse(POINT at, DWORD button) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  auto normalised = [](int pixel, int extent) {
    pixel = std::clamp(pixel, 0, extent - 1);
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
  };
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = normalised(at.x, width);
  input.mi.dy = normalised(at.y, height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  SendInput(1, &input, sizeof(input));
}

// Through the mouse itself, as a user drags: the press on the frame (or the
// status bar's size box) starts the system's sizing loop, which follows the mouse until the button goes
// up. Every step names its position: under Wine a move of the cursor comes
// back late through the X server and may set the cursor back to an earlier
// step before the button goes up.
void dragFrom(HWND window, POINT from, int dx, int dy) {
  POINT before{};
  GetCursorPos(&before);
  sendMouse(from, 0);
  settle(window);
  sendMouse(from, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(waitUntil([&] { return inSizingLoop(window); })) << "the press on the frame started no sizing";
  constexpr int kSteps = 4;
  for (int step = 1; step < kSteps; ++step) {
    sendMouse({from.x + dx * step / kSteps, from.y + dy * step / kSteps}, 0);
    settle(window);
  }
  sendMouse({from.x + dx, from.y + dy}, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(waitUntil([&] { return !inSizingLoop(window); })) << "the sizing did not end with the release";
  sendMouse(before, 0);
  settle(window);
}

void dragFrame(HWND window, int hit, int dx, int dy) {
  const POINT from = pointOnFrame(window, hit);
  ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)), hit)
      << "the frame at " << from.x << "," << from.y;
  dragFrom(window, from, dx, dy);
}

void pressRegionLink(const MainWindowParts& parts) {
  HWND link = findControl(parts.window, L"Static", fromLocal("\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8(R)"));
  ASSERT_NE(link, nullptr);
  PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  settle(link);
}

}  // namespace quorvane::ui
