#include "platform/win32/tray_automation.h"

#include <algorithm>
#include <string_view>

#include "platform/win32/com_ptr.h"

#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

constexpr const wchar_t* kTaskbarClass = L"Shell_TrayWnd";
constexpr const wchar_t* kOverflowClass = L"TopLevelWindowForOverflowXamlIsland";
constexpr std::wstring_view kNotifyIconId = L"NotifyItemIcon";
// How long the flyout may take to show its icons once its button is invoked.
constexpr ULONGLONG kFlyoutWaitMs = 2000;
constexpr DWORD kFlyoutPollMs = 50;

// The chevron that opens the hidden icons on the Windows 11 taskbar: a
// "SystemTray.NormalButton" with the AutomationId "SystemTrayIcon" and the
// name "显示隐藏的图标" ("Show Hidden Icons" in English). Microsoft documents
// neither; public UI Automation scripts and tests for the Windows 11
// taskbar name them (for example a Windows 11 tray test recording the three
// "SystemTrayIcon" buttons "任务栏输入指示 中文模式", "飞书" and
// "显示隐藏的图标", and PowerShell UIA scripts that invoke the element with
// AutomationId 'SystemTrayIcon' and Name 'Show Hidden Icons' before reading
// "NotifyItemIcon" elements). Other tray buttons (the input indicator, the
// clock) share the AutomationId, so the name must match as well; invoking
// any other would open something the user did not ask for.
constexpr std::wstring_view kHiddenIconsButtonId = L"SystemTrayIcon";
constexpr std::wstring_view kHiddenIconsButtonNames[] = {
    L"\x663E\x793A\x9690\x85CF\x7684\x56FE\x6807",  // "显示隐藏的图标" (zh-CN)
    L"\x986F\x793A\x96B1\x85CF\x7684\x5716\x793A",  // "顯示隱藏的圖示" (zh-TW)
    L"Show Hidden Icons",
};

bool sameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The Ex form: Wine 10 answers E_NOTIMPL to the plain one. With
// ignoreDefaultValue FALSE both mean the same on Windows.
std::wstring cachedText(uia::IUIAutomationElement& element, uia::PROPERTYID property) {
  VARIANT value;
  VariantInit(&value);
  std::wstring text;
  if (SUCCEEDED(element.GetCachedPropertyValueEx(property, FALSE, &value)) && value.vt == VT_BSTR && value.bstrVal)
    text.assign(value.bstrVal, SysStringLen(value.bstrVal));
  VariantClear(&value);
  return text;
}

// One automation object, one true condition and one cache request for a
// whole reading.
struct Query {
  ComPtr<uia::IUIAutomationCondition> everything;
  ComPtr<uia::IUIAutomationCacheRequest> idAndName;

  explicit Query(uia::IUIAutomation& automation) {
    if (FAILED(automation.CreateTrueCondition(everything.put()))) everything.reset();
    if (FAILED(automation.CreateCacheRequest(idAndName.put())) || !idAndName ||
        FAILED(idAndName->AddProperty(uia::UIA_AutomationIdPropertyId)) ||
        FAILED(idAndName->AddProperty(uia::UIA_NamePropertyId)))
      idAndName.reset();
  }
  explicit operator bool() const { return everything && idAndName; }
};

// What one root holds; false when it timed out.
bool appendElementsUnder(uia::IUIAutomation& automation, const Query& query, HWND root,
                         std::vector<CachedElement>& elements) {
  ComPtr<uia::IUIAutomationElement> rootElement;
  HRESULT result = automation.ElementFromHandle(root, rootElement.put());
  if (result == uia::UIA_E_TIMEOUT) return false;
  if (FAILED(result) || !rootElement) return true;
  ComPtr<uia::IUIAutomationElementArray> found;
  result = rootElement->FindAllBuildCache(uia::TreeScope_Descendants, query.everything.get(), query.idAndName.get(),
                                          found.put());
  if (result == uia::UIA_E_TIMEOUT) return false;
  // No match is success with no array under Wine, an empty array on Windows.
  if (FAILED(result) || !found) return true;
  int length = 0;
  if (FAILED(found->get_Length(&length))) return true;
  length = std::clamp(length, 0, kMostTrayIcons);
  for (int i = 0; i < length; ++i) {
    CachedElement cached;
    if (FAILED(found->GetElement(i, cached.element.put())) || !cached.element) continue;
    cached.automationId = cachedText(*cached.element, uia::UIA_AutomationIdPropertyId);
    cached.name = cachedText(*cached.element, uia::UIA_NamePropertyId);
    elements.push_back(std::move(cached));
  }
  return true;
}

HRESULT invoke(uia::IUIAutomationElement& button) {
  ComPtr<uia::IUIAutomationInvokePattern> pattern;
  HRESULT result =
      button.GetCurrentPatternAs(uia::UIA_InvokePatternId, uia::kIidIUIAutomationInvokePattern, pattern.putVoid());
  if (FAILED(result) || !pattern) return FAILED(result) ? result : E_NOINTERFACE;
  return pattern->Invoke();
}

// Until the flyout shows an icon, or a short while: it builds its content as
// it opens.
void waitForHiddenIcons(uia::IUIAutomation& automation, const ShellWindows& windows) {
  const ULONGLONG deadline = GetTickCount64() + kFlyoutWaitMs;
  for (;;) {
    const std::vector<HWND> open = windows.openHiddenIconWindows();
    if (!open.empty()) {
      const TrayTips icons = notifyIconTips(elementsUnder(automation, open));
      if (icons.outcome != TrayReadOutcome::Read || !icons.tips.empty()) return;
    }
    if (GetTickCount64() >= deadline) return;
    Sleep(kFlyoutPollMs);
  }
}

}  // namespace

std::vector<HWND> ShellWindows::automationRoots() const {
  std::vector<HWND> roots;
  for (const wchar_t* className : {kTaskbarClass, kOverflowClass}) {
    for (HWND top = FindWindowExW(nullptr, nullptr, className, nullptr); top;
         top = FindWindowExW(nullptr, top, className, nullptr))
      roots.push_back(top);
  }
  return roots;
}

std::vector<HWND> ShellWindows::openHiddenIconWindows() const {
  std::vector<HWND> open;
  for (HWND top = FindWindowExW(nullptr, nullptr, kOverflowClass, nullptr); top;
       top = FindWindowExW(nullptr, top, kOverflowClass, nullptr))
    if (IsWindowVisible(top)) open.push_back(top);
  return open;
}

AutomationElements elementsUnder(uia::IUIAutomation& automation, std::span<const HWND> roots) {
  AutomationElements found;
  const Query query(automation);
  if (!query) return found;
  found.outcome = TrayReadOutcome::Read;
  for (HWND root : roots) {
    if (!appendElementsUnder(automation, query, root, found.elements)) {
      found.outcome = TrayReadOutcome::TimedOut;
      found.elements.clear();
      break;
    }
  }
  return found;
}

TrayTips notifyIconTips(const AutomationElements& found) {
  TrayTips tips{found.outcome, {}};
  for (const CachedElement& element : found.elements)
    if (element.automationId == kNotifyIconId) tips.tips.push_back(toLocal(element.name));
  return tips;
}

uia::IUIAutomationElement* hiddenIconsButton(const AutomationElements& found) {
  for (const CachedElement& element : found.elements) {
    if (element.automationId != kHiddenIconsButtonId) continue;
    for (std::wstring_view name : kHiddenIconsButtonNames)
      if (sameIgnoringCase(element.name, name)) return element.element.get();
  }
  return nullptr;
}

TrayTips readWithHiddenIconsOpen(uia::IUIAutomation& automation, const ShellWindows& windows) {
  const AutomationElements taskbar = elementsUnder(automation, windows.automationRoots());
  if (taskbar.outcome != TrayReadOutcome::Read) return {taskbar.outcome, {}};
  uia::IUIAutomationElement* button = hiddenIconsButton(taskbar);
  if (!button) return {};
  if (HRESULT opened = invoke(*button); FAILED(opened))
    return {opened == uia::UIA_E_TIMEOUT ? TrayReadOutcome::TimedOut : TrayReadOutcome::NotFound, {}};
  waitForHiddenIcons(automation, windows);
  TrayTips tips = notifyIconTips(elementsUnder(automation, windows.automationRoots()));
  if (!windows.openHiddenIconWindows().empty()) invoke(*button);
  return tips;
}

}  // namespace quorvane::platform
