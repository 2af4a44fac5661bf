#include "app/window/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "app/window/window_text.h"

namespace quorvane {
namespace {

struct PartWidth {
  StatusPart part;
  int width;  // at 96 DPI; 0: the room the other parts leave
};

// Left to right.
constexpr PartWidth kParts[] = {
    {StatusPart::Message, 0},
    {StatusPart::View, 280},
    {StatusPart::DailyCount, 150},
};
constexpr int kPartCount = static_cast<int>(std::size(kParts));

int indexOf(StatusPart part) {
  for (int i = 0; i < kPartCount; ++i)
    if (kParts[i].part == part) return i;
  return 0;
}

}  // namespace

void StatusBar::create(HWND window, HINSTANCE instance, HFONT font) {
  // The window places the bar with its other controls, so the bar neither
  // sizes nor aligns itself.
  bar_ = CreateWindowExW(
      0, STATUSCLASSNAMEW, L"",
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_TOOLTIPS | SBARS_SIZEGRIP, 0,
      0, 0, 0, window, nullptr, instance, nullptr);
  setFont(font);
}

void StatusBar::setFont(HFONT font) {
  if (bar_) SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void StatusBar::place(int left, int top, int width, int height, DpiScale scale) {
  if (!bar_) return;
  SetWindowPos(bar_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  setParts(width, height, scale);
}

// Parts of fixed width stand at the right end, left of the size box (about
// as wide as the bar is high); the one of width 0 takes the rest.
void StatusBar::setParts(int width, int height, DpiScale scale) {
  const int partsRight = std::max(width - height, 0);
  std::array<int, kPartCount> rightEdges{};
  int fixed = 0;
  for (const PartWidth& part : kParts) fixed += scale(part.width);
  int edge = 0;
  for (int i = 0; i < kPartCount; ++i) {
    edge += kParts[i].width == 0 ? std::max(partsRight - fixed, 0) : scale(kParts[i].width);
    rightEdges[static_cast<size_t>(i)] = edge;
  }
  SendMessageW(bar_, SB_SETPARTS, kPartCount, reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::setText(StatusPart part, const LocalText& text) { setText(part, toWide(text)); }

void StatusBar::setText(StatusPart part, const std::wstring& wide) {
  if (!bar_) return;
  const WPARAM index = static_cast<WPARAM>(indexOf(part));
  SendMessageW(bar_, SB_SETTEXTW, index, reinterpret_cast<LPARAM>(wide.c_str()));
  // Shown when the text is too long for its part.
  SendMessageW(bar_, SB_SETTIPTEXTW, index, reinterpret_cast<LPARAM>(wide.c_str()));
}

LocalText StatusBar::text(StatusPart part) const {
  if (!bar_) return "";
  const WPARAM index = static_cast<WPARAM>(indexOf(part));
  const LRESULT length = LOWORD(SendMessageW(bar_, SB_GETTEXTLENGTHW, index, 0));
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(bar_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(static_cast<size_t>(length));
  return toLocal(wide);
}

}  // namespace quorvane
