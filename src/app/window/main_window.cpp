#include "app/window/main_window_impl.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <filesystem>

#include "app/csv_export.h"
#include "app/view_status_text.h"
#include "app/window/control_factory.h"
#include "app/window/control_forwarding.h"
#include "app/window/keyword_box.h"
#include "app/window/main_window_actions.h"
#include "app/window/main_window_arrangement.h"
#include "app/window/program_icon.h"
#include "app/window/settings_dialog.h"
#include "app/window/window_dpi.h"
#include "app/window/window_placement.h"
#include "app/window/window_text.h"
#include "app/window/window_messages.h"
#include "platform/local_time.h"

namespace quorvane {

namespace {

constexpr char kTrayTip[] = "Telvaro\xCB\xD1\xCB\xF7\xD7\xA8\xD3\xC3";  // "Telvaro搜索专用"
constexpr COLORREF kLinkColour = RGB(0, 0, 0);
constexpr COLORREF kLinkHighlight = 0xFF;  // red
// The system's own frame and buttons, the sizing frame included: the system
// then resizes the window from its edges and corners, snaps it (by dragging
// it to a screen edge, by Win+arrow keys, by the layouts the maximise button
// offers on Windows 11) and maximises it, and draws and hit-tests all of that
// itself.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

RECT primaryWorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

}  // namespace

MainWindowImpl::MainWindowImpl(HINSTANCE instance) : instance_(instance) {}

MainWindowImpl::~MainWindowImpl() {
  search_.stopForExit();
  if (window_) DestroyWindow(window_);
  grid_.detach();
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(underlinedFont_)})
    if (object) DeleteObject(object);
}

void MainWindowImpl::registerWindowClass(HINSTANCE instance) {
  registerClass(instance, kWindowClass);
  RegionPanel::registerWindowClass(instance);
  BatchIdWindow::registerWindowClass(instance);
}

std::unique_ptr<MainWindowImpl> MainWindowImpl::create(HINSTANCE instance, SettingsFile* settings) {
  std::unique_ptr<MainWindowImpl> self(new MainWindowImpl(instance));
  self->settingsFile_ = settings;
  if (settings) self->settings_ = settings->load();
  using namespace window_layout;
  // The window first appears on the primary monitor, whose DPI is the system's.
  const DpiScale scale(static_cast<int>(systemDpi()));
  const RECT box = centredIn({scale(kWidth), scale(kInitialHeight)}, primaryWorkArea());
  if (!self->createWindow(instance, kWindowClass, kCaption, kWindowStyle, box)) return nullptr;
  return self;
}

LRESULT MainWindowImpl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) relayMouseToTooltip(message, wParam, lParam);
  if (uiTasks_.onMessage(message, wParam)) return 0;
  switch (message) {
    case WM_CREATE:
      createControls();
      onCreated();
      return 0;
    case WM_CLOSE:
      onCloseRequested();
      return 0;
    case WM_DESTROY:
      onDestroyed();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) onSessionEnding();
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
      return onStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      if (wParam == static_cast<WPARAM>(controlId(Control::图形按钮1)))
        RegionPanel::drawImageButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), scale_);
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) layOut();
      return 0;
    case WM_GETMINMAXINFO:
      onMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMovedOverWindow();
      return 0;
    case WM_TIMER:
      onTimer(wParam);
      return 0;
    case kTrayIconMessage:
      if (wParam == kTrayIconId) onTrayIconEvent(lParam);
      return 0;
    case kEnterPressedMessage:
      if (int index = controlIndexOfId(static_cast<int>(wParam)); index >= 0)
        onEnterPressed(static_cast<Control>(index));
      return 0;
    case kRegionLinkMessage:
      onRegionLinkMouse(static_cast<UINT>(wParam));
      return 0;
    case kGridSpaceMessage:
      onGridSpacePressed();
      return 0;
    case kGridTickMessage:
      onGridTickClicked(static_cast<int>(wParam));
      return 0;
  }
  if (message == taskbarCreatedMessage_ && message != 0) {
    onShellStarted();
    return 0;
  }
  if (message == taskbarButtonCreatedMessage_ && message != 0) {
    taskbar_.onButtonCreated();
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindowImpl::translateKeyboardMessage(MSG& message) {
  if (!window_) return false;
  const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
  if (ours && keys_ && TranslateAcceleratorW(window_, keys_, &message)) return true;
  // Tab moves between the main window's controls as in a dialog; Esc comes as IDCANCEL.
  return IsDialogMessageW(window_, &message) != FALSE;
}

HWND MainWindowImpl::parentFor(ControlParent parent) const {
  switch (parent) {
    case ControlParent::Header:
      return control(Control::分组框1);
    case ControlParent::Panel:
      return control(Control::图片框1);
    case ControlParent::Window:
      break;
  }
  return window_;
}

void MainWindowImpl::createControls() {
  scale_ = dpiScaleOf(window_);
  createFonts();
  for (const ControlLayout& layout : mainWindowLayout()) {
    HFONT font = layout.name == Control::选择地区 ? underlinedFont_ : font_;
    controls_[indexOf(layout.name)] =
        createControl(layout, scaledBox(layout, scale_), scale_, parentFor(layout.parent), instance_, font);
  }
  forwardNotifications(control(Control::分组框1), window_);
  attachKeywordBox(control(Control::关键词输入框));
  reportEnter(control(Control::旺旺输入框));
  reportLinkMouse(control(Control::选择地区));
  fillCreditRanges();
  setTicked(Control::选中过滤, true);
  panel_.attach(control(Control::图片框1), [this](Control c) { return control(c); });
  grid_.attach(control(Control::高级表格1), window_);
  grid_.setScale(scale_);
  grid_.setViewListener([this] { showViewStatus(); });
  attachGridMenu();
  statusBar_.create(window_, instance_, font_);
  selection_.setChangeListener([this] { showSelectionCount(); });
  uiTasks_.open(window_);
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  // The shell's taskbar list may be asked only once the button exists.
  taskbarButtonCreatedMessage_ = RegisterWindowMessageW(L"TaskbarButtonCreated");
  taskbar_.attach(window_);
  progress_.setScale(scale_);
  progress_.attach(control(Control::搜索结果), taskbar_, [this](const LocalText& text) { setStatusText(text); });
  ACCEL keys[] = {{FVIRTKEY, VK_F5, static_cast<WORD>(kSearchKeyCommand)},
                  {FVIRTKEY | FALT, 'R', static_cast<WORD>(kRegionKeyCommand)}};
  keys_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  setTimerInterval(window_layout::kTimer1Interval);
  SetTimer(window_, kDailyCountTimerId, kDailyCountIntervalMs, nullptr);
  layOut();
  arrangeZOrder();
}

void MainWindowImpl::fillCreditRanges() {
  for (const char* item : creditRangeItems()) addItem(Control::组合框1, item);
  setSelectedIndex(Control::组合框1, 0);
}

// The header frame lies behind everything it overlaps. The bottom row comes
// first, in its own order (which is also the tab order), then the region
// panel above the grid it slides over: a short window brings the bottom row
// up over the panel's empty lower part, and the row must stay in reach.
void MainWindowImpl::arrangeZOrder() {
  constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(control(Control::分组框1), HWND_BOTTOM, 0, 0, 0, 0, keep);
  HWND previous = HWND_TOP;
  for (const ControlLayout& layout : mainWindowLayout()) {
    if (!standsInBottomRow(layout)) continue;
    SetWindowPos(control(layout.name), previous, 0, 0, 0, 0, keep);
    previous = control(layout.name);
  }
  SetWindowPos(control(Control::图片框1), previous, 0, 0, 0, 0, keep);
}

void MainWindowImpl::onCreated() {
  SetProcessAffinityMask(GetCurrentProcess(), 1);
  SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
  if (!restorePlacement()) {
    ShowWindow(window_, SW_SHOW);
    fitToWorkArea();
  }
  icons_.apply(window_, scale_.dpi());
  trayIcon_.add(window_, kTrayTip);
  grid_.setUp();
  grid_.setColumnWidths(settings_.columnWidths);
  panel_.park();
  showRememberedCriteria();
  showDailyCount(true);
  accounts_.start(HiddenIcons::LeaveClosed);
}

void MainWindowImpl::onCloseRequested() { ShowWindow(window_, SW_HIDE); }

// Whatever waits for this window ends with it, and the batch-id window goes
// with it.
void MainWindowImpl::onDestroyed() {
  waits_.cancelAll();
  batch_.close();
  if (keys_) DestroyAcceleratorTable(keys_);
  keys_ = nullptr;
  KillTimer(window_, kTimer1Id);
  KillTimer(window_, kRereadAccountsTimerId);
  KillTimer(window_, kAccountReadingTimerId);
  KillTimer(window_, kDailyCountTimerId);
  uiTasks_.close();
  gridMenu_.detach();
  grid_.detach();
  progress_.detach();
  taskbar_.detach();
  trayIcon_.remove();
  PostQuitMessage(0);
}

void MainWindowImpl::onTimer(UINT_PTR id) {
  if (id == kTimer1Id) onMainTimerTick(*this);
  if (id == kRereadAccountsTimerId) {
    KillTimer(window_, kRereadAccountsTimerId);
    accounts_.start(HiddenIcons::LeaveClosed);
  }
  if (id == kAccountReadingTimerId) accounts_.onTimeLimit();
  if (id == kDailyCountTimerId) {
    contactLog_.flush();  // records a held log kept waiting, once it is free
    showDailyCount(false);
  }
}

// Explorer started or restarted: the icon goes back into the new notification
// area, and its icons are read anew at once and once more a little later.
void MainWindowImpl::onShellStarted() {
  trayIcon_.readd();
  accounts_.start(HiddenIcons::LeaveClosed);
  SetTimer(window_, kRereadAccountsTimerId, kRereadAccountsDelayMs, nullptr);
}

void MainWindowImpl::onTrayIconEvent(LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONUP:
      if (!IsWindowVisible(window_)) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
      } else if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
      }
      break;
    case WM_RBUTTONUP:
      switch (trayIcon_.popUpMenu()) {
        case kExitCommand:
          return onExitChosen();
        case kSettingsCommand:
          return onSettingsChosen();
      }
      break;
  }
}

// A wait running meanwhile (退出 chosen from the tray while a shop lookup or
// a presence check waits) is cancelled first: its request stops at once and
// its action launches nothing.
void MainWindowImpl::onExitChosen() {
  saveSettings();
  search_.stopForExit();
  waits_.cancelAll();
  batch_.close();
  keepContactLogForExit();
  DestroyWindow(window_);
}

// Windows ends the process soon after this returns: what the user did is
// kept as on "退出".
void MainWindowImpl::onSessionEnding() {
  saveSettings();
  keepContactLogForExit();
}

// Records of the contact log that could not be written yet (a spreadsheet
// holds the log) get one more try, and then a file of their own.
void MainWindowImpl::keepContactLogForExit() {
  if (!contactLog_.flush()) contactLog_.keepWaitingRecords(platform::localNow());
}

void MainWindowImpl::onMouseMovedOverWindow() {
  if (regionLinkColour_ == kLinkHighlight) setRegionLinkColour(kLinkColour);
}

void MainWindowImpl::onRegionLinkMouse(UINT mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) panel_.toggle();
  if (mouseMessage == WM_MOUSEMOVE && regionLinkColour_ == kLinkColour) setRegionLinkColour(kLinkHighlight);
}

void MainWindowImpl::setRegionLinkColour(COLORREF colour) {
  regionLinkColour_ = colour;
  InvalidateRect(control(Control::选择地区), nullptr, TRUE);
}

void MainWindowImpl::onCommand(int id, int code) {
  switch (id) {
    case kExitCommand:
      return onExitChosen();
    case kSettingsCommand:
      return onSettingsChosen();
    case kSearchKeyCommand:
      if (enabled(Control::搜索)) startSearch();
      return;
    case kRegionKeyCommand:
      return panel_.toggle();
    case IDCANCEL:  // Esc, from the dialog keys
      return onCancelPressed();
  }
  int index = controlIndexOfId(id);
  if (index < 0) return;
  if (code == CBN_SELCHANGE && static_cast<Control>(index) == Control::联系旺旺列表框) return showDailyCount(false);
  if (code == BN_CLICKED) onControlClicked(static_cast<Control>(index));
}

// Esc stops a running search; without one it sends the shown region panel away.
void MainWindowImpl::onCancelPressed() {
  if (!enabled(Control::搜索)) return onControlClicked(Control::停止搜索);
  panel_.slideOut();
}

// A search that passed its checks is remembered at once: its criteria are
// what the user will want back after a crash as much as after "退出".
void MainWindowImpl::startSearch() {
  const LocalText keywords = text(Control::关键词输入框);
  if (!search_.start()) return;
  settings_.recentKeywords = withRecentKeyword(settings_.recentKeywords, keywords);
  showRecentKeywords(control(Control::关键词输入框), settings_.recentKeywords);
  saveSettings();
}

void MainWindowImpl::onControlClicked(Control c) {
  switch (c) {
    case Control::搜索:
    case Control::启动高级搜索:
      return startSearch();
    case Control::清空:
      return setText(Control::关键词输入框, "");
    case Control::进入店铺:
      return onOpenShopRequested(*this);
    case Control::刷新:
      return accounts_.start(HiddenIcons::OpenIfNeeded);
    case Control::联系选中:
      if (roundStop_) return roundStop_();
      return onContactSelectedClicked(*this);
    case Control::停止搜索:
      return search_.stop();
    case Control::删除缓存:
      return onClearHistoryClicked(*this);
    case Control::批量联系:
      return batch_.open(instance_);
    case Control::图形按钮1:
      return panel_.slideOut();
    default:
      if (RegionPanel::isGroupBox(c)) panel_.applyProvinceGroup(c);
  }
}

void MainWindowImpl::onEnterPressed(Control edit) {
  if (edit == Control::关键词输入框 && enabled(Control::搜索)) startSearch();
  if (edit == Control::旺旺输入框) onOpenShopRequested(*this);
}

void MainWindowImpl::onGridSpacePressed() {
  toggleRows(table_, selection_, grid_.rowsFromFirstToLastSelected(), ticked(Control::选中过滤));
}

// A click on a row's tick box ticks that row as space would.
void MainWindowImpl::onGridTickClicked(int row) {
  toggleSelectedRows(table_, selection_, row, row, ticked(Control::选中过滤));
}

// While one wait runs, the actions that would wait are disabled (the waits
// refuse them anyway: Enter in 旺旺输入框, the grid's "打开店铺"). A button
// disabled under the focus takes it away; the focus comes back afterwards.
void MainWindowImpl::onWaitingChanged(bool waiting) {
  if (waiting) focusBeforeWait_ = GetFocus();
  for (Control c : {Control::进入店铺, Control::联系选中}) setEnabled(c, !waiting);
  batch_.setWaiting(waiting);
  if (!waiting && !GetFocus() && focusBeforeWait_ && IsWindow(focusBeforeWait_)) SetFocus(focusBeforeWait_);
}

LRESULT MainWindowImpl::onNotify(const NMHDR& header) {
  LRESULT result = 0;
  if (grid_.onNotify(header, result)) return result;
  return 0;
}

// Labels are transparent: their text stands on the window's own surface.
LRESULT MainWindowImpl::onStaticColour(HDC dc, HWND label) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, label == control(Control::选择地区) ? regionLinkColour_ : GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// 设置… from the icon menu or the grid's: one dialog at a time (the icon
// still answers while it is open).
void MainWindowImpl::onSettingsChosen() {
  if (settingsOpen_) return;
  settingsOpen_ = true;
  const std::optional<ContactPace> pace = askContactPace(window_, settings_.pace);
  settingsOpen_ = false;
  if (!pace) return;
  settings_.pace = *pace;
  saveSettings();
  showDailyCount(false);
}

void MainWindowImpl::onWorthContactingOnlyChosen(bool on) {
  grid_.setWorthContactingOnly(on);
  settings_.worthContactingOnly = on;
}

void MainWindowImpl::showViewStatus() { statusBar_.setText(StatusPart::View, viewStatusText(grid_.view(), table_)); }

void MainWindowImpl::offerRoundStop(std::function<void()> stop) {
  constexpr char kStopContacting[] = "\xCD\xA3\xD6\xB9\xC1\xAA\xCF\xB5";  // "停止联系"
  constexpr char kContactSelected[] = "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0";  // "联系选中"
  roundStop_ = std::move(stop);
  setText(Control::联系选中, roundStop_ ? kStopContacting : kContactSelected);
  setEnabled(Control::联系选中, roundStop_ || !waits_.waiting());
}

void MainWindowImpl::showDailyCount(bool reread) {
  const int today = contactLog_.contactsOn(platform::localNow(), text(Control::联系旺旺列表框), reread);
  statusBar_.setText(StatusPart::DailyCount, dailyCountText(today, settings_.pace));
}

void MainWindowImpl::attachGridMenu() {
  GridContextMenu::Actions actions;
  actions.searchedKeyword = [this] { return search_.searchedKeyword(); };
  actions.openShop = [this](const LocalText& sellerId) { onOpenShopOfRowChosen(*this, sellerId); };
  actions.canOpenShop = [this] { return !waits_.waiting(); };
  actions.exportFolder = [this] { return exportFolder_; };
  actions.exported = [this](const std::wstring& path, int rows) {
    exportFolder_ = std::filesystem::path(path).parent_path().wstring();
    // The path as it is: the user's folders may hold characters GBK lacks.
    statusBar_.setText(StatusPart::Message, toWide(exportedText(rows)) + path);
  };
  actions.tickedRows = [this] { return selection_.rows(); };
  actions.worthContactingOnlyChosen = [this](bool on) { onWorthContactingOnlyChosen(on); };
  actions.settingsChosen = [this] { onSettingsChosen(); };
  gridMenu_.attach(control(Control::高级表格1), window_, std::move(actions));
}

void MainWindowImpl::relayMouseToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG relayed{};
  relayed.hwnd = window_;
  relayed.message = message;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.time = static_cast<DWORD>(GetMessageTime());
  const DWORD at = GetMessagePos();
  relayed.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  progress_.relayMouse(relayed);
}

void MainWindowImpl::showSelectionCount() { setText(Control::已选中标签, selection_.label()); }

}  // namespace quorvane
