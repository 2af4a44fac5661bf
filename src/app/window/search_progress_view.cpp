#include "app/window/search_progress_view.h"

#include <commctrl.h>

#include "app/window/window_text.h"

namespace quorvane {
namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kTooltipWidth = 420;      // at 96 DPI: wide enough for a province list, then it wraps
constexpr int kTooltipShownMs = 30000;  // long enough to read a summary

SearchPosition::Clock::time_point now() { return SearchPosition::Clock::now(); }

// The tool is the label's rectangle on its parent, not the label itself: the
// label stays transparent to the mouse, so moving over it still counts as
// moving over the window (which is what turns 选择地区 black again). The size
// without the reserved field, which comctl32 before version 6 refuses.
TTTOOLINFOW toolOver(HWND label, wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = 0;
  tool.hwnd = GetParent(label);
  tool.uId = kToolId;
  tool.lpszText = text;
  GetWindowRect(label, &tool.rect);
  MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
  return tool;
}

}  // namespace

SearchProgressView::~SearchProgressView() { detach(); }

void SearchProgressView::attach(HWND countLabel, TaskbarProgress& taskbar, StatusSink status) {
  taskbar_ = &taskbar;
  status_ = std::move(status);
  label_ = countLabel;
  HWND owner = GetParent(label_);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
  if (!tooltip_) return;
  wchar_t none[] = L"";
  TTTOOLINFOW tool = toolOver(label_, none);
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_(kTooltipWidth));
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipShownMs);
}

void SearchProgressView::setScale(DpiScale scale) {
  scale_ = scale;
  if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_(kTooltipWidth));
}

int SearchProgressView::tooltipWidth() const {
  return tooltip_ ? static_cast<int>(SendMessageW(tooltip_, TTM_GETMAXTIPWIDTH, 0, 0)) : 0;
}

void SearchProgressView::detach() {
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  label_ = nullptr;
  status_ = nullptr;
}

void SearchProgressView::labelMoved() {
  if (!tooltip_) return;
  TTTOOLINFOW tool = toolOver(label_, nullptr);
  SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SearchProgressView::relayMouse(const MSG& message) {
  if (tooltip_) SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void SearchProgressView::searchStarted(const SearchCriteria& criteria, const LocalText& creditText,
                                       const LocalText& searchHost) {
  position_.begin(criteria, creditText, now());
  statusLine_.begin(searchHost, static_cast<int>(criteria.provinces.size()));
  shown_.reset();
  if (taskbar_) taskbar_->start();
  show();
}

void SearchProgressView::eventsArrived(const std::vector<SearchEvent>& events) {
  if (!position_.searching()) return;
  for (const SearchEvent& event : events) {
    position_.apply(event);
    statusLine_.apply(event);
  }
  show();
}

void SearchProgressView::searchFinished() {
  if (!position_.searching()) return;
  position_.finish(now());
  statusLine_.finish();
  if (taskbar_) taskbar_->clear();
  show();
}

void SearchProgressView::searchStopped() {
  if (!position_.searching()) return;
  position_.stop(now());
  statusLine_.stop();
  if (taskbar_) taskbar_->clear();
  show();
}

void SearchProgressView::show() {
  const std::optional<ProgressFraction> fraction = position_.fraction();
  if (fraction && fraction != shown_ && taskbar_) taskbar_->advance(fraction->done, fraction->total);
  shown_ = fraction;
  if (status_) status_(statusLine_.text(position_.description()));
  if (!tooltip_) return;
  std::wstring text = toWide(position_.description());
  TTTOOLINFOW tool = toolOver(label_, text.data());
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quorvane
