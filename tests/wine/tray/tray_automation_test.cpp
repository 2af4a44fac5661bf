// The UI Automation reading of the notification area against fake
// automation objects (what it asks for, what it makes of the answers, every
// reference released), and what the real source does where UI Automation is
// missing (Wine 8) or present with nothing to read (Wine 10).
#include "platform/win32/tray_automation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/tray_tips.h"
#include "recording_ui_automation.h"

namespace quorvane::tray_test {
namespace {

using platform::TrayReadOutcome;
using Names = std::vector<LocalText>;

class FakeElementArray;

// An element with an AutomationId and a name, or a root whose descendants
// are `descendants`.
class FakeElement : public RecordingElement {
 public:
  FakeElement(std::wstring id, std::wstring name, FakeElementArray* descendants = nullptr)
      : id_(std::move(id)), name_(std::move(name)), descendants_(descendants) {}

  HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx(uia::PROPERTYID property, BOOL ignoreDefault,
                                                     VARIANT* value) override {
    ignoredDefault = ignoredDefault || ignoreDefault;
    VariantInit(value);
    const std::wstring* text = property == uia::UIA_AutomationIdPropertyId ? &id_
                               : property == uia::UIA_NamePropertyId       ? &name_
                                                                           : nullptr;
    if (!text || (property == uia::UIA_NamePropertyId && nameFails)) return E_FAIL;
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocString(text->c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindAllBuildCache(uia::TreeScope scope, uia::IUIAutomationCondition* condition,
                                              uia::IUIAutomationCacheRequest* request,
                                              uia::IUIAutomationElementArray** found) override;
  HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(uia::PATTERNID pattern, REFIID iid, void** object) override {
    *object = nullptr;
    if (FAILED(patternAnswer)) return patternAnswer;
    if (!invokes || pattern != uia::UIA_InvokePatternId || iid != uia::kIidIUIAutomationInvokePattern) return S_OK;
    return invokes->handOut(reinterpret_cast<uia::IUIAutomationInvokePattern**>(object));
  }

  RecordingInvokePattern* invokes = nullptr;  // a button with the Invoke pattern
  HRESULT patternAnswer = S_OK;
  const bool* shown = nullptr;  // a window's root with content only while it is open
  bool nameFails = false;
  bool ignoredDefault = false;  // asked to leave out a default value: not what the plain form does
  HRESULT searchAnswer = S_OK;
  std::vector<uia::TreeScope> scopes;
  std::vector<uia::IUIAutomationCondition*> conditions;
  std::vector<uia::IUIAutomationCacheRequest*> requests;

 private:
  std::wstring id_, name_;
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

HRESULT FakeElement::FindAllBuildCache(uia::TreeScope scope, uia::IUIAutomationCondition* condition,
                                       uia::IUIAutomationCacheRequest* request,
                                       uia::IUIAutomationElementArray** found) {
  scopes.push_back(scope);
  conditions.push_back(condition);
  requests.push_back(request);
  *found = nullptr;
  if (FAILED(searchAnswer)) return searchAnswer;
  if (shown && !*shown) return S_OK;
  return descendants_ ? descendants_->handOut(found) : S_OK;  // no match: no array, as Wine answers
}

class FakeCacheRequest : public RecordingCacheRequest {
 public:
  HRESULT STDMETHODCALLTYPE AddProperty(uia::PROPERTYID property) override {
    properties.push_back(property);
    return S_OK;
  }
  std::vector<uia::PROPERTYID> properties;
};

class FakeAutomation : public RecordingAutomation {
 public:
  HRESULT STDMETHODCALLTYPE ElementFromHandle(uia::UIA_HWND window, uia::IUIAutomationElement** element) override {
    if (FAILED(handleAnswer)) return handleAnswer;
    auto root = roots.find(static_cast<HWND>(window));
    return root == roots.end() ? E_FAIL : root->second->handOut(element);
  }
  HRESULT STDMETHODCALLTYPE CreateTrueCondition(uia::IUIAutomationCondition** made) override {
    return everything.handOut(made);
  }
  HRESULT STDMETHODCALLTYPE CreateCacheRequest(uia::IUIAutomationCacheRequest** made) override {
    return requestFails ? E_FAIL : request.handOut(made);
  }

  std::map<HWND, FakeElement*> roots;
  RecordingCondition everything;
  FakeCacheRequest request;
  bool requestFails = false;
  HRESULT handleAnswer = S_OK;
};

HWND fakeWindow(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x100 * n)); }

// A flyout that opens and closes with each Invoke of its button, as the
// shell's does; `closesByItself` as when the focus left it first.
class FakeFlyout : public RecordingInvokePattern, public platform::ShellWindows {
 public:
  HRESULT STDMETHODCALLTYPE Invoke() override {
    ++invocations;
    open = !open;
    return S_OK;
  }
  std::vector<HWND> automationRoots() const override { return {fakeWindow(1), fakeWindow(2)}; }
  std::vector<HWND> openHiddenIconWindows() const override {
    if (closesByItself) open = false;
    return open ? std::vector<HWND>{fakeWindow(2)} : std::vector<HWND>{};
  }
  mutable bool open = false;
  bool closesByItself = false;
  int invocations = 0;
};

template <typename... Objects>
void expectOnlyTheTestsReferencesLeft(const Objects&... objects) {
  for (ULONG references : {objects.references...})
    EXPECT_EQ(references, 1u) << "a reference was kept or released twice";
}

// What the program reads, released before the objects are checked.
platform::TrayTips tipsUnder(FakeAutomation& automation, std::span<const HWND> roots) {
  return platform::notifyIconTips(platform::elementsUnder(automation, roots));
}

const wchar_t kIcon[] = L"NotifyItemIcon";

}  // namespace

// One search per root with a true condition and a cache request for
// AutomationId and Name: nothing that an implementation may refuse, and one
// cross-process round trip per root. The comparison is the program's own.
TEST(AutomationReading, EveryNotifyIconOfEveryRootInOrderAsLocalTextTheRestLeftOut) {
  FakeElement shopkeeper(kIcon, L"\x5343\x725B - \x5E97\x4E3B\x5C0F\x738B");  // "千牛 - 店主小王"
  FakeElement volume(kIcon, L"Volume");
  FakeElement unreadable(kIcon, L"hidden name");
  unreadable.nameFails = true;
  FakeElement startButton(L"StartButton", L"\x5343\x725B - start");  // a client-like name on another element
  FakeElement nested(kIcon, L"\x5343\x725B - nested");
  FakeElement bob(kIcon, L"\x5343\x725B - bob");
  FakeElementArray taskbarElements({&startButton, &shopkeeper, &volume, &unreadable, &nested});
  FakeElementArray overflowElements({&bob});
  FakeElement taskbar(L"", L"", &taskbarElements), overflow(L"", L"", &overflowElements), empty(L"", L"");
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &taskbar}, {fakeWindow(3), &overflow}, {fakeWindow(4), &empty}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2), fakeWindow(3), fakeWindow(4)};  // the second one is gone

  const platform::TrayTips tips = tipsUnder(automation, roots);
  EXPECT_EQ(tips.outcome, TrayReadOutcome::Read);
  EXPECT_EQ(tips.tips, (Names{"\xC7\xA7\xC5\xA3 - \xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5", "Volume", "",
                              "\xC7\xA7\xC5\xA3 - nested", "\xC7\xA7\xC5\xA3 - bob"}));
  EXPECT_EQ(automation.request.properties,
            (std::vector<uia::PROPERTYID>{uia::UIA_AutomationIdPropertyId, uia::UIA_NamePropertyId}));
  for (FakeElement* icon : {&shopkeeper, &volume, &unreadable, &startButton, &nested, &bob})
    EXPECT_FALSE(icon->ignoredDefault);
  for (FakeElement* root : {&taskbar, &overflow, &empty}) {
    EXPECT_EQ(root->scopes, (std::vector<uia::TreeScope>{uia::TreeScope_Descendants}));
    EXPECT_EQ(root->conditions, (std::vector<uia::IUIAutomationCondition*>{&automation.everything}));
    EXPECT_EQ(root->requests, (std::vector<uia::IUIAutomationCacheRequest*>{&automation.request}));
  }
  expectOnlyTheTestsReferencesLeft(automation, automation.everything, automation.request, taskbar, overflow, empty,
                                   taskbarElements, overflowElements, shopkeeper, volume, unreadable, startButton,
                                   nested, bob);
}

// Every path out releases every reference: a root that cannot be searched,
// elements that cannot be had, no cache request at all.
TEST(AutomationReading, WhatFailsAddsNothingAndEveryReferenceIsReleased) {
  FakeElement icon(kIcon, L"icon");
  FakeElementArray elements({&icon});
  elements.claimedLength = 3;  // two elements that cannot be had
  FakeElement cannotSearch(L"", L"");
  cannotSearch.searchAnswer = E_FAIL;
  FakeElement root(L"", L"", &elements);
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &cannotSearch}, {fakeWindow(2), &root}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2)};
  EXPECT_EQ(tipsUnder(automation, roots).tips, (Names{"icon"}));
  expectOnlyTheTestsReferencesLeft(automation, automation.everything, automation.request, cannotSearch, root,
                                   elements, icon);

  automation.requestFails = true;
  EXPECT_EQ(tipsUnder(automation, roots).outcome, TrayReadOutcome::NotFound);
  EXPECT_EQ(cannotSearch.scopes.size() + root.scopes.size(), 2u) << "searched without a cache request";
  expectOnlyTheTestsReferencesLeft(automation, automation.everything, automation.request, cannotSearch, root,
                                   elements, icon);
}

// The connection and transaction time-outs answer UIA_E_TIMEOUT: the
// reading is then a time-out, whatever the other roots gave.
TEST(AutomationReading, ATimeOutOnAnyRootMakesTheReadingATimeOut) {
  FakeElement icon(kIcon, L"\x5343\x725B - alice");
  FakeElementArray elements({&icon});
  FakeElement answers(L"", L"", &elements), hangs(L"", L"");
  hangs.searchAnswer = uia::UIA_E_TIMEOUT;
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &answers}, {fakeWindow(2), &hangs}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2)};
  platform::TrayTips tips = tipsUnder(automation, roots);
  EXPECT_EQ(tips.outcome, TrayReadOutcome::TimedOut);
  EXPECT_TRUE(tips.tips.empty());
  automation.handleAnswer = uia::UIA_E_TIMEOUT;
  EXPECT_EQ(tipsUnder(automation, roots).outcome, TrayReadOutcome::TimedOut);
  expectOnlyTheTestsReferencesLeft(automation, automation.everything, automation.request, answers, hangs, elements,
                                   icon);
}

// A shell that claims absurd numbers cannot stall the reading.
TEST(AutomationReading, ALengthPastTheCapIsReadOnlyThatFarANegativeOneNotAtAll) {
  FakeElement icon(kIcon, L"icon");
  FakeElementArray huge({&icon}), negative({&icon});
  huge.claimedLength = 0x7FFFFFFF;
  negative.claimedLength = -5;
  FakeElement hugeRoot(L"", L"", &huge), negativeRoot(L"", L"", &negative);
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &negativeRoot}, {fakeWindow(2), &hugeRoot}};
  const HWND roots[] = {fakeWindow(1), fakeWindow(2)};
  EXPECT_EQ(platform::elementsUnder(automation, roots).elements.size(), 1u);
  EXPECT_EQ(negative.reads, 0);
  EXPECT_EQ(huge.reads, platform::kMostTrayIcons);
}

// Other tray buttons share the chevron's AutomationId (the input indicator,
// the clock): only the one named for the hidden icons may be invoked.
TEST(AutomationReading, TheHiddenIconsButtonIsKnownByItsIdAndItsNameNeverByTheIdAlone) {
  FakeElement inputIndicator(L"SystemTrayIcon", L"\x6258\x76D8\x8F93\x5165\x6307\x793A");  // "托盘输入指示"
  FakeElement named(L"NotifyItemIcon", L"\x663E\x793A\x9690\x85CF\x7684\x56FE\x6807");     // an icon so named
  FakeElement chevron(L"SystemTrayIcon", L"\x663E\x793A\x9690\x85CF\x7684\x56FE\x6807");   // "显示隐藏的图标"
  FakeElement english(L"SystemTrayIcon", L"Show hidden icons");
  FakeElementArray chinese({&inputIndicator, &named, &chevron}), other({&inputIndicator, &english}),
      none({&inputIndicator, &named});
  FakeElement chineseRoot(L"", L"", &chinese), otherRoot(L"", L"", &other), noneRoot(L"", L"", &none);
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &chineseRoot}, {fakeWindow(2), &otherRoot}, {fakeWindow(3), &noneRoot}};
  const HWND first[] = {fakeWindow(1)}, second[] = {fakeWindow(2)}, third[] = {fakeWindow(3)};
  EXPECT_EQ(platform::hiddenIconsButton(platform::elementsUnder(automation, first)), &chevron);
  EXPECT_EQ(platform::hiddenIconsButton(platform::elementsUnder(automation, second)), &english);
  EXPECT_EQ(platform::hiddenIconsButton(platform::elementsUnder(automation, third)), nullptr);
}

// Windows 11 gives the hidden icons no content until their flyout is open:
// the button is invoked, the flyout read and closed again with one more
// Invoke, unless it closed by itself.
TEST(AutomationReading, TheHiddenIconsFlyoutIsOpenedReadAndClosedAgain) {
  FakeFlyout flyout;
  FakeElement chevron(L"SystemTrayIcon", L"\x663E\x793A\x9690\x85CF\x7684\x56FE\x6807");  // "显示隐藏的图标"
  chevron.invokes = &flyout;
  FakeElement shownIcon(kIcon, L"Volume"), hiddenIcon(kIcon, L"\x5343\x725B - alice");
  FakeElementArray taskbarElements({&chevron, &shownIcon}), flyoutElements({&hiddenIcon});
  FakeElement taskbar(L"", L"", &taskbarElements), hidden(L"", L"", &flyoutElements);
  hidden.shown = &flyout.open;
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &taskbar}, {fakeWindow(2), &hidden}};

  platform::TrayTips tips = platform::readWithHiddenIconsOpen(automation, flyout);
  EXPECT_EQ(tips.outcome, TrayReadOutcome::Read);
  EXPECT_EQ(tips.tips, (Names{"Volume", "\xC7\xA7\xC5\xA3 - alice"}));
  EXPECT_EQ(flyout.invocations, 2);
  EXPECT_FALSE(flyout.open) << "left open";

  flyout.closesByItself = true;
  tips = platform::readWithHiddenIconsOpen(automation, flyout);
  EXPECT_EQ(flyout.invocations, 3) << "opened again after it had closed by itself";
  EXPECT_FALSE(flyout.open);
  expectOnlyTheTestsReferencesLeft(automation, automation.everything, automation.request, taskbar, hidden,
                                   taskbarElements, flyoutElements, chevron, shownIcon, hiddenIcon, flyout);
}

// No button, an Invoke pattern refused (Wine 10 implements none), or a shell
// that times out: nothing is opened and the reading says which.
TEST(AutomationReading, WithoutAnInvokableButtonNothingIsOpened) {
  FakeFlyout flyout;
  FakeElement chevron(L"SystemTrayIcon", L"Show Hidden Icons");
  FakeElementArray taskbarElements({&chevron});
  FakeElement taskbar(L"", L"", &taskbarElements), hidden(L"", L"");
  FakeAutomation automation;
  automation.roots = {{fakeWindow(1), &taskbar}, {fakeWindow(2), &hidden}};
  EXPECT_EQ(platform::readWithHiddenIconsOpen(automation, flyout).outcome, TrayReadOutcome::NotFound)
      << "a button without the pattern";
  chevron.invokes = &flyout;
  chevron.patternAnswer = E_NOTIMPL;
  EXPECT_EQ(platform::readWithHiddenIconsOpen(automation, flyout).outcome, TrayReadOutcome::NotFound);
  chevron.patternAnswer = uia::UIA_E_TIMEOUT;
  EXPECT_EQ(platform::readWithHiddenIconsOpen(automation, flyout).outcome, TrayReadOutcome::TimedOut);
  EXPECT_EQ(flyout.invocations, 0);
  expectOnlyTheTestsReferencesLeft(automation, automation.everything, automation.request, taskbar, hidden,
                                   taskbarElements, chevron, flyout);
}

// Wine 8 does not register the automation classes: the source answers
// NotFound at once, flyout or not. Wine 10 does, and with no stand-in tray
// there is nothing to read.
TEST(TrayAutomationTips, WithoutATrayTheSourceEndsAtOnceWithNoTip) {
  const auto start = std::chrono::steady_clock::now();
  const platform::TrayTips tips = platform::trayAutomationTips().readTips();
  const platform::TrayTips opened = platform::trayAutomationTips().readTipsWithHiddenIconsOpen();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("automation source without a tray, twice: %.2f ms\n", ms);
  EXPECT_NE(tips.outcome, TrayReadOutcome::TimedOut);
  EXPECT_TRUE(tips.tips.empty());
  EXPECT_EQ(opened.outcome, TrayReadOutcome::NotFound) << "no hidden icons' button to invoke";
}

}  // namespace quorvane::tray_test
