// The UI Automation reading of the notification area, against fake
// automation objects (Wine has no UI Automation to read), and what the real
// source does under Wine: it fails at once, with or without COM.
#include "platform/win32/tray_automation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/tray_tips.h"
#include "recording_ui_automation.h"

namespace quorvane::tray_test {
namespace {

using Names = std::vector<LocalText>;

class FakeElementArray;

// An icon, or a root whose descendants are `descendants`.
class FakeElement : public RecordingElement {
 public:
  explicit FakeElement(std::wstring name = L"", FakeElementArray* descendants = nullptr)
      : name_(std::move(name)), descendants_(descendants) {}

  HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR* name) override {
    if (nameFails) return E_FAIL;
    *name = SysAllocString(name_.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindAll(uia::TreeScope scope, uia::IUIAutomationCondition* condition,
                                    uia::IUIAutomationElementArray** found) override;

  bool nameFails = false;
  std::vector<uia::TreeScope> scopes;
  std::vector<uia::IUIAutomationCondition*> conditions;

 private:
  std::wstring name_;
  FakeElementArray* descendants_;
};

class FakeElementArray : public RecordingElementArray {
 public:
  explicit FakeElementArray(std::vector<FakeElement*> elements) : elements_(std::move(elements)) {}

  HRESULT STDMETHODCALLTYPE get_Length(int* length) override {
    *length = claimedLength.value_or(static_cast<int>(elements_.size()));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetElement(int index, uia::IUIAutomationElement** element) override {
    ++reads;
    if (index < 0 || index >= static_cast<int>(elements_.size())) return E_INVALIDARG;
    return elements_[index]->handOut(element);
  }

  std::optional<int> claimedLength;  // the real number when not given
  int reads = 0;

 private:
  std::vector<FakeElement*> elements_;
};

HRESULT FakeElement::FindAll(uia::TreeScope scope, uia::IUIAutomationCondition* condition,
                             uia::IUIAutomationElementArray** found) {
  scopes.push_back(scope);
  conditions.push_back(condition);
  return descendants_ ? descendants_->handOut(found) : E_FAIL;
}

class FakeAutomation : public RecordingAutomation {
 public:
  HRESULT STDMETHODCALLTYPE ElementFromHandle(uia::UIA_HWND window, uia::IUIAutomationElement** element) override {
    auto root = roots.find(static_cast<HWND>(window));
    return root == roots.end() ? E_FAIL : root->second->handOut(element);
  }
  HRESULT STDMETHODCALLTYPE CreatePropertyCondition(uia::PROPERTYID id, VARIANT value,
                                                    uia::IUIAutomationCondition** made) override {
    propertyId = id;
    valueType = value.vt;
    if (value.vt == VT_BSTR) valueText.assign(value.bstrVal, SysStringLen(value.bstrVal));
    return conditionFails ? E_FAIL : condition.handOut(made);
  }

  std::map<HWND, FakeElement*> roots;
  RecordingCondition condition;
  bool conditionFails = false;
  uia::PROPERTYID propertyId = 0;
  VARTYPE valueType = VT_EMPTY;
  std::wstring valueText;
};

HWND fakeWindow(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x100 * n)); }

template <typename... Objects>
void expectOnlyTheTestsReferencesLeft(const Objects&... objects) {
  for (ULONG references : {objects.references...})
    EXPECT_EQ(references, 1u) << "a reference was kept or released twice";
}

}  // namespace

TEST(NotifyIconNames, EveryIconOfEveryRootInOrderAsLocalTextWhatCannotBeReadAsEmpty) {
  FakeElement shopkeeper(L"\x5343\x725B - \x5E97\x4E3B\x5C0F\x738B");  // "千牛 - 店主小王"
  FakeElement volume(L"Volume");
  FakeElement unreadable(L"hidden name");
  unreadable.nameFails = true;
  FakeElement bob(L"\x5343\x725B - bob");
  FakeElementArray taskbarIcons({&shopkeeper, &volume, &unreadable});
  FakeElementArray overflowIcons({&bob});
  FakeElement taskbar(L"", &taskbarIcons), overflow(L"", &overflowIcons);
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &taskbar}, {fakeWindow(3), &overflow}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2), fakeWindow(3)};  // the second one is gone

  auto names = platform::notifyIconNames(automation, roots);
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, (Names{"\xC7\xA7\xC5\xA3 - \xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5", "Volume", "",
                           "\xC7\xA7\xC5\xA3 - bob"}));
  EXPECT_EQ(automation.propertyId, uia::UIA_AutomationIdPropertyId);
  EXPECT_EQ(automation.valueType, VT_BSTR);
  EXPECT_EQ(automation.valueText, L"NotifyItemIcon");
  for (FakeElement* root : {&taskbar, &overflow}) {
    EXPECT_EQ(root->scopes, (std::vector<uia::TreeScope>{uia::TreeScope_Descendants}));
    EXPECT_EQ(root->conditions, (std::vector<uia::IUIAutomationCondition*>{&automation.condition}));
  }
  expectOnlyTheTestsReferencesLeft(automation, automation.condition, taskbar, overflow, taskbarIcons, overflowIcons,
                                   shopkeeper, volume, unreadable, bob);
}

TEST(NotifyIconNames, OnEveryPathOutEveryReferenceIsReleased) {
  FakeElement icon(L"icon");
  FakeElementArray icons({&icon});
  icons.claimedLength = 3;  // two elements that cannot be had
  FakeElement cannotSearch;  // FindAll fails
  FakeElement root(L"", &icons);
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &cannotSearch}, {fakeWindow(2), &root}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2)};
  EXPECT_EQ(platform::notifyIconNames(automation, roots), (Names{"icon", "", ""}));
  expectOnlyTheTestsReferencesLeft(automation, automation.condition, cannotSearch, root, icons, icon);

  automation.conditionFails = true;
  EXPECT_EQ(platform::notifyIconNames(automation, roots), std::nullopt);
  EXPECT_EQ(cannotSearch.scopes.size() + root.scopes.size(), 2u) << "searched without a condition";
  expectOnlyTheTestsReferencesLeft(automation, automation.condition, cannotSearch, root, icons, icon);
}

// A shell that claims absurd numbers cannot stall the window.
TEST(NotifyIconNames, ALengthPastTheCapIsReadOnlyThatFarANegativeOneNotAtAll) {
  FakeElement icon(L"icon");
  FakeElementArray huge({&icon}), negative({&icon});
  huge.claimedLength = 0x7FFFFFFF;
  negative.claimedLength = -5;
  FakeElement hugeRoot(L"", &huge), negativeRoot(L"", &negative);
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &negativeRoot}, {fakeWindow(2), &hugeRoot}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2)};
  auto names = platform::notifyIconNames(automation, roots);
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(names->size(), static_cast<size_t>(platform::kMostTrayIcons));
  EXPECT_EQ(negative.reads, 0);
  EXPECT_EQ(huge.reads, platform::kMostTrayIcons);
}

// Wine 8 does not register the automation class, and a thread may not have
// COM at all: the source then answers nothing, at once.
TEST(TrayAutomationTips, UnderWineTheSourceAnswersNothingWithOrWithoutCom) {
  for (bool withCom : {false, true}) {
    if (withCom) {
      ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)));
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::trayAutomationTips().readTips(), std::nullopt);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("automation source %s COM: %.2f ms\n", withCom ? "with" : "without", ms);
    if (withCom) CoUninitialize();
  }
}

}  // namespace quorvane::tray_test
