#include "platform/win32/tray_automation.h"

#include <algorithm>
#include <string_view>

#include "platform/tray_tips.h"
#include "platform/win32/com_ptr.h"
#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

constexpr const wchar_t* kRootClasses[] = {L"Shell_TrayWnd", L"TopLevelWindowForOverflowXamlIsland"};
constexpr const wchar_t* kNotifyIconId = L"NotifyItemIcon";

// A string that COM handed over or that is handed to COM, freed when it goes.
class OwnedBstr {
 public:
  explicit OwnedBstr(BSTR text = nullptr) : text_(text) {}
  ~OwnedBstr() { SysFreeString(text_); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;

  BSTR get() const { return text_; }
  BSTR* put() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  std::wstring_view view() const { return text_ ? std::wstring_view(text_, SysStringLen(text_)) : std::wstring_view(); }

 private:
  BSTR text_;
};

ComPtr<uia::IUIAutomationCondition> notifyIconCondition(uia::IUIAutomation& automation) {
  ComPtr<uia::IUIAutomationCondition> condition;
  OwnedBstr id(SysAllocString(kNotifyIconId));
  if (!id.get()) return condition;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = id.get();  // still owned by `id`
  if (FAILED(automation.CreatePropertyCondition(uia::UIA_AutomationIdPropertyId, value, condition.put())))
    condition.reset();
  return condition;
}

LocalText elementName(uia::IUIAutomationElementArray& elements, int index) {
  ComPtr<uia::IUIAutomationElement> element;
  if (FAILED(elements.GetElement(index, element.put())) || !element) return "";
  OwnedBstr name;
  if (FAILED(element->get_CurrentName(name.put()))) return "";
  return toLocal(name.view());
}

void appendNotifyIconNames(uia::IUIAutomation& automation, uia::IUIAutomationCondition& isNotifyIcon, HWND root,
                           std::vector<LocalText>& names) {
  ComPtr<uia::IUIAutomationElement> rootElement;
  if (FAILED(automation.ElementFromHandle(root, rootElement.put())) || !rootElement) return;
  ComPtr<uia::IUIAutomationElementArray> icons;
  if (FAILED(rootElement->FindAll(uia::TreeScope_Descendants, &isNotifyIcon, icons.put())) || !icons) return;
  int length = 0;
  if (FAILED(icons->get_Length(&length))) return;
  length = std::clamp(length, 0, kMostTrayIcons);
  for (int i = 0; i < length; ++i) names.push_back(elementName(*icons, i));
}

// One automation object per reading, so nothing of it outlives the call.
class AutomationTips final : public TrayTipSource {
 public:
  std::optional<std::vector<LocalText>> readTips() override {
    // Wine does not register the class (REGDB_E_CLASSNOTREG), and a thread
    // without COM gets CO_E_NOTINITIALIZED: either way there is nothing to read.
    ComPtr<uia::IUIAutomation> automation;
    if (FAILED(CoCreateInstance(uia::kClsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, uia::kIidIUIAutomation,
                                automation.putVoid())) ||
        !automation)
      return std::nullopt;
    return notifyIconNames(*automation, findAutomationRoots());
  }
};

}  // namespace

std::vector<HWND> findAutomationRoots() {
  std::vector<HWND> roots;
  for (const wchar_t* className : kRootClasses) {
    for (HWND top = FindWindowExW(nullptr, nullptr, className, nullptr); top;
         top = FindWindowExW(nullptr, top, className, nullptr))
      roots.push_back(top);
  }
  return roots;
}

std::optional<std::vector<LocalText>> notifyIconNames(uia::IUIAutomation& automation, std::span<const HWND> roots) {
  ComPtr<uia::IUIAutomationCondition> isNotifyIcon = notifyIconCondition(automation);
  if (!isNotifyIcon) return std::nullopt;
  std::vector<LocalText> names;
  for (HWND root : roots) appendNotifyIconNames(automation, *isNotifyIcon, root, names);
  return names;
}

TrayTipSource& trayAutomationTips() {
  static AutomationTips tips;
  return tips;
}

}  // namespace quorvane::platform
