#include "app/window/batch_id_window.h"

#include <algorithm>
#include <iterator>

#include "app/window/control_factory.h"
#include "app/window/program_icon.h"
#include "app/window/window_dpi.h"
#include "app/window/window_placement.h"
#include "app/window/window_text.h"
#include "contact/dialog_automation.h"
#include "platform/im_client_windows.h"

namespace quorvane {
namespace {

constexpr char kCaption[] = "\xC5\xFA\xC1\xBF\xCD\xFA\xCD\xFAID";  // "批量旺旺ID"
// Figures at 96 DPI, multiplied by the window's DPI / 96.
constexpr int kLeft = 50, kTop = 50, kWidth = 392, kHeight = 427;
constexpr int kMinimumListHeight = 100;
// The system's sizing frame, as the main window's: resized from every edge
// and corner, snapped and maximised by the system.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

constexpr UINT_PTR kChooserTimer = 1;    // 时钟1
constexpr UINT_PTR kAddFriendTimer = 2;  // 时钟2
constexpr UINT kTimerInterval = 200;

constexpr int kFirstControlId = 100;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

struct BatchControlLayout {
  BatchIdWindow::Control name;
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;
  const char* caption;
};

using C = BatchIdWindow::Control;
constexpr BatchControlLayout kLayout[] = {
    {C::编辑框1, L"EDIT", kChild | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE,
     0, 0, 387, 352, ""},
    {C::按钮1, L"BUTTON", kChild | BS_PUSHBUTTON, 0, 12, 361, 97, 29, "\xC1\xAA\xCF\xB5"},  // "联系"
    {C::清除, L"BUTTON", kChild | BS_PUSHBUTTON, 0, 139, 361, 97, 29, "\xC7\xE5\xB3\xFD"},  // "清除"
    {C::选择框1, L"BUTTON", kChild | BS_AUTOCHECKBOX, 0, 256, 368, 120, 16,
     "\xD7\xD4\xB6\xAF\xB9\xD8\xB1\xD5\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1"},  // "自动关闭添加好友"
};

int controlId(C c) { return kFirstControlId + static_cast<int>(c); }

ControlBox scaledBox(const BatchControlLayout& c, DpiScale scale) {
  return {scale(c.left), scale(c.top), scale(c.width), scale(c.height)};
}

HFONT createUiFont(DpiScale scale) {
  // 9-point SimSun, as the main window.
  return CreateFontW(-scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"SimSun");
}

}  // namespace

void BatchIdWindow::registerWindowClass(HINSTANCE instance) { registerClass(instance, kWindowClass); }

BatchIdWindow::BatchIdWindow(WindowWaits& waits, BatchIdWindowServices services)
    : waits_(waits), services_(std::move(services)) {}

BatchIdWindow::~BatchIdWindow() { close(); }

void BatchIdWindow::open(HINSTANCE instance) {
  if (window_) {
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    return;
  }
  // It first appears on the primary monitor, whose DPI is the system's.
  const DpiScale scale(static_cast<int>(systemDpi()));
  const POINT at{scale(kLeft), scale(kTop)};
  const RECT box = keptInside({at.x, at.y, at.x + scale(kWidth), at.y + scale(kHeight)}, workAreaAt(at));
  // No owner: the window stands beside the main window, not above it.
  createWindow(instance, kWindowClass, kCaption, kWindowStyle, box);
}

void BatchIdWindow::close() {
  if (window_) onCloseRequested();
}

void BatchIdWindow::setWaiting(bool waiting) {
  if (window_) EnableWindow(control(C::按钮1), !waiting || roundStop_);
}

void BatchIdWindow::offerRoundStop(std::function<void()> stop) {
  roundStop_ = std::move(stop);
  if (!window_) return;
  setWindowText(control(C::按钮1), roundStop_ ? "\xCD\xA3\xD6\xB9" : "\xC1\xAA\xCF\xB5");  // "停止", "联系"
  setWaiting(waits_.waiting());
}

LRESULT BatchIdWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreated();
      return 0;
    case WM_CLOSE:
      onCloseRequested();
      return 0;
    case WM_DESTROY:
      onDestroyed();
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kChooserTimer) onChooserTimer();
      if (wParam == kAddFriendTimer) onAddFriendTimer();
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) layOut();
      return 0;
    case WM_GETMINMAXINFO:
      onMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void BatchIdWindow::onCreated() {
  scale_ = dpiScaleOf(window_);
  createControls();
  // A pasted list may be long: lift the edit box's default limit.
  SendMessageW(control(C::编辑框1), EM_SETLIMITTEXT, 0, 0);
  SendMessageW(control(C::选择框1), BM_SETCHECK, BST_CHECKED, 0);
  setWaiting(waits_.waiting());
  SetTimer(window_, kChooserTimer, kTimerInterval, nullptr);
  SetTimer(window_, kAddFriendTimer, kTimerInterval, nullptr);
  fitToWorkArea();
  layOut();
  icons_.apply(window_, scale_.dpi());
  ShowWindow(window_, SW_SHOW);
}

void BatchIdWindow::createControls() {
  font_ = createUiFont(scale_);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  for (const BatchControlLayout& c : kLayout) {
    const ControlBox box = scaledBox(c, scale_);
    HWND handle = CreateWindowExW(c.exStyle, c.className, toWide(c.caption).c_str(), c.style, box.left, box.top,
                                  box.width, box.height, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c.name))), instance, nullptr);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    controls_[static_cast<int>(c.name)] = handle;
  }
}

// The layout's size at the window's DPI, or the work area's where the
// screen is smaller.
void BatchIdWindow::fitToWorkArea() {
  RECT box{};
  GetWindowRect(window_, &box);
  const RECT fitted =
      keptInside({box.left, box.top, box.left + scale_(kWidth), box.top + scale_(kHeight)}, workAreaOf(window_));
  SetWindowPos(window_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void BatchIdWindow::layOut() {
  if (!control(C::选择框1)) return;  // still being created
  layoutPasses_.run([this] {
    RECT client{};
    GetClientRect(window_, &client);
    const SIZE frame = frameSizeAtDpi(window_, scale_.dpi());
    const int taller = client.bottom - (scale_(kHeight) - frame.cy);
    for (const BatchControlLayout& c : kLayout) {
      ControlBox box = scaledBox(c, scale_);
      if (c.name == C::编辑框1) {
        box.width = client.right;  // the list spans the client area
        box.height += taller;
      } else {
        box.top += taller;
      }
      placeChild(control(c.name), box);
    }
  });
}

void BatchIdWindow::renewForScale() {
  HFONT old = font_;
  font_ = createUiFont(scale_);
  for (HWND handle : controls_) SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (old) DeleteObject(old);
}

// The row of buttons needs the layout's whole width; the list of ids may
// shrink to a few lines.
void BatchIdWindow::onMinMaxInfo(MINMAXINFO& limits) const {
  setMinimumTrackSize(limits, window_,
                      {scale_(kWidth), scale_(kHeight) - scale_(kLayout[0].height) + scale_(kMinimumListHeight)});
}

// A round the window runs ends with it: its wait is cancelled, and the round
// launches nothing more once the window is gone.
void BatchIdWindow::onCloseRequested() {
  waits_.cancelFor(window_);
  DestroyWindow(window_);
}

void BatchIdWindow::onDestroyed() {
  KillTimer(window_, kChooserTimer);
  KillTimer(window_, kAddFriendTimer);
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  std::fill(std::begin(controls_), std::end(controls_), nullptr);
}

void BatchIdWindow::onCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == controlId(C::按钮1))
    roundStop_ ? roundStop_() : onContactClicked();
  else if (id == controlId(C::清除))
    onClearClicked();
}

// The round waits for each presence answer and, paced, between two chats;
// the window may be closed, or the program left, meanwhile, which cancels
// the wait: then the round tells nothing. A paced round's "停止" cancels it
// too, and it tells how far it came.
void BatchIdWindow::onContactClicked() {
  const std::unique_ptr<WindowWait> wait = waits_.begin(window_);
  if (!wait) return;
  const ContactPace pace = services_.pace ? services_.pace() : ContactPace{};
  bool stopChosen = false;
  if (pace.paused()) offerRoundStop([&stopChosen, &wait] {
      stopChosen = true;
      wait->cancel();
    });
  const PresenceCheck presence = [this, &wait](const LocalText& id) { return services_.presence(id, *wait); };
  ListedIdsRound steps(windowText(control(C::编辑框1)), presence, services_.launch, *wait, services_.launched);
  std::mt19937 fallback;
  const RoundOutcome outcome =
      runContactRound(steps, pace, *wait, services_.chatsToday ? services_.chatsToday() : std::function<int()>(),
                      services_.random ? *services_.random : fallback, services_.tell);
  if (pace.paused()) offerRoundStop({});
  if ((!wait->cancelled() || stopChosen) && services_.roundEnded) services_.roundEnded(steps.launches(), outcome.end);
}

void BatchIdWindow::onClearClicked() { setWindowText(control(C::编辑框1), ""); }

void BatchIdWindow::onChooserTimer() {
  answerAccountChooser(platform::desktopWindows(), services_.selectedAccount ? services_.selectedAccount() : "");
}

void BatchIdWindow::onAddFriendTimer() {
  closeAddFriendDialogs(platform::desktopWindows(),
                        SendMessageW(control(C::选择框1), BM_GETCHECK, 0, 0) == BST_CHECKED);
}

}  // namespace quorvane
