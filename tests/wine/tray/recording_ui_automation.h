#pragma once
// The declared UI Automation interfaces implemented so that every method
// records its name and answers E_NOTIMPL: the slot test calls them through
// the raw vtable, and fakes override the few methods they serve. Reference
// counts start at 1 (the test's own) and never delete: objects live on the
// test's stack, and a count back at 1 proves every reference was released.
#include <string>

#include "platform/win32/ui_automation_client.h"

namespace quorvane::tray_test {

namespace uia = platform::uia;

template <typename Interface>
class Recording : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    last = "QueryInterface";
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    last = "AddRef";
    return ++references;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    last = "Release";
    return --references;
  }

  // Hands one more reference to an out-parameter, as COM methods do.
  template <typename Out>
  HRESULT handOut(Out** out) {
    AddRef();
    *out = this;
    return S_OK;
  }

  ULONG references = 1;
  std::string last;

 protected:
  HRESULT called(const char* name) {
    last = name;
    return E_NOTIMPL;
  }
};

class RecordingCondition : public Recording<uia::IUIAutomationCondition> {};

class RecordingElementArray : public Recording<uia::IUIAutomationElementArray> {
 public:
  HRESULT STDMETHODCALLTYPE get_Length(int*) override { return called("get_Length"); }
  HRESULT STDMETHODCALLTYPE GetElement(int, uia::IUIAutomationElement**) override { return called("GetElement"); }
};

class RecordingElement : public Recording<uia::IUIAutomationElement> {
 public:
  HRESULT STDMETHODCALLTYPE SetFocus() override { return called("SetFocus"); }
  HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY**) override { return called("GetRuntimeId"); }
  HRESULT STDMETHODCALLTYPE FindFirst(uia::TreeScope, uia::IUIAutomationCondition*,
                                      uia::IUIAutomationElement**) override {
    return called("FindFirst");
  }
  HRESULT STDMETHODCALLTYPE FindAll(uia::TreeScope, uia::IUIAutomationCondition*,
                                    uia::IUIAutomationElementArray**) override {
    return called("FindAll");
  }
  HRESULT STDMETHODCALLTYPE FindFirstBuildCache(uia::TreeScope, uia::IUIAutomationCondition*,
                                                uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("FindFirstBuildCache");
  }
  HRESULT STDMETHODCALLTYPE FindAllBuildCache(uia::TreeScope, uia::IUIAutomationCondition*,
                                              uia::IUIAutomationCacheRequest*,
                                              uia::IUIAutomationElementArray**) override {
    return called("FindAllBuildCache");
  }
  HRESULT STDMETHODCALLTYPE BuildUpdatedCache(uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("BuildUpdatedCache");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(uia::PROPERTYID, VARIANT*) override {
    return called("GetCurrentPropertyValue");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(uia::PROPERTYID, BOOL, VARIANT*) override {
    return called("GetCurrentPropertyValueEx");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPropertyValue(uia::PROPERTYID, VARIANT*) override {
    return called("GetCachedPropertyValue");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx(uia::PROPERTYID, BOOL, VARIANT*) override {
    return called("GetCachedPropertyValueEx");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(uia::PATTERNID, REFIID, void**) override {
    return called("GetCurrentPatternAs");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPatternAs(uia::PATTERNID, REFIID, void**) override {
    return called("GetCachedPatternAs");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPattern(uia::PATTERNID, IUnknown**) override {
    return called("GetCurrentPattern");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPattern(uia::PATTERNID, IUnknown**) override { return called("GetCachedPattern"); }
  HRESULT STDMETHODCALLTYPE GetCachedParent(uia::IUIAutomationElement**) override { return called("GetCachedParent"); }
  HRESULT STDMETHODCALLTYPE GetCachedChildren(uia::IUIAutomationElementArray**) override {
    return called("GetCachedChildren");
  }
  HRESULT STDMETHODCALLTYPE get_CurrentProcessId(int*) override { return called("get_CurrentProcessId"); }
  HRESULT STDMETHODCALLTYPE get_CurrentControlType(uia::CONTROLTYPEID*) override {
    return called("get_CurrentControlType");
  }
  HRESULT STDMETHODCALLTYPE get_CurrentLocalizedControlType(BSTR*) override {
    return called("get_CurrentLocalizedControlType");
  }
  HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR*) override { return called("get_CurrentName"); }
};

class RecordingAutomation : public Recording<uia::IUIAutomation> {
 public:
  HRESULT STDMETHODCALLTYPE CompareElements(uia::IUIAutomationElement*, uia::IUIAutomationElement*, BOOL*) override {
    return called("CompareElements");
  }
  HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY*, SAFEARRAY*, BOOL*) override {
    return called("CompareRuntimeIds");
  }
  HRESULT STDMETHODCALLTYPE GetRootElement(uia::IUIAutomationElement**) override { return called("GetRootElement"); }
  HRESULT STDMETHODCALLTYPE ElementFromHandle(uia::UIA_HWND, uia::IUIAutomationElement**) override {
    return called("ElementFromHandle");
  }
  HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT, uia::IUIAutomationElement**) override {
    return called("ElementFromPoint");
  }
  HRESULT STDMETHODCALLTYPE GetFocusedElement(uia::IUIAutomationElement**) override {
    return called("GetFocusedElement");
  }
  HRESULT STDMETHODCALLTYPE GetRootElementBuildCache(uia::IUIAutomationCacheRequest*,
                                                     uia::IUIAutomationElement**) override {
    return called("GetRootElementBuildCache");
  }
  HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache(uia::UIA_HWND, uia::IUIAutomationCacheRequest*,
                                                        uia::IUIAutomationElement**) override {
    return called("ElementFromHandleBuildCache");
  }
  HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache(POINT, uia::IUIAutomationCacheRequest*,
                                                       uia::IUIAutomationElement**) override {
    return called("ElementFromPointBuildCache");
  }
  HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache(uia::IUIAutomationCacheRequest*,
                                                        uia::IUIAutomationElement**) override {
    return called("GetFocusedElementBuildCache");
  }
  HRESULT STDMETHODCALLTYPE CreateTreeWalker(uia::IUIAutomationCondition*, uia::IUIAutomationTreeWalker**) override {
    return called("CreateTreeWalker");
  }
  HRESULT STDMETHODCALLTYPE get_ControlViewWalker(uia::IUIAutomationTreeWalker**) override {
    return called("get_ControlViewWalker");
  }
  HRESULT STDMETHODCALLTYPE get_ContentViewWalker(uia::IUIAutomationTreeWalker**) override {
    return called("get_ContentViewWalker");
  }
  HRESULT STDMETHODCALLTYPE get_RawViewWalker(uia::IUIAutomationTreeWalker**) override {
    return called("get_RawViewWalker");
  }
  HRESULT STDMETHODCALLTYPE get_RawViewCondition(uia::IUIAutomationCondition**) override {
    return called("get_RawViewCondition");
  }
  HRESULT STDMETHODCALLTYPE get_ControlViewCondition(uia::IUIAutomationCondition**) override {
    return called("get_ControlViewCondition");
  }
  HRESULT STDMETHODCALLTYPE get_ContentViewCondition(uia::IUIAutomationCondition**) override {
    return called("get_ContentViewCondition");
  }
  HRESULT STDMETHODCALLTYPE CreateCacheRequest(uia::IUIAutomationCacheRequest**) override {
    return called("CreateCacheRequest");
  }
  HRESULT STDMETHODCALLTYPE CreateTrueCondition(uia::IUIAutomationCondition**) override {
    return called("CreateTrueCondition");
  }
  HRESULT STDMETHODCALLTYPE CreateFalseCondition(uia::IUIAutomationCondition**) override {
    return called("CreateFalseCondition");
  }
  HRESULT STDMETHODCALLTYPE CreatePropertyCondition(uia::PROPERTYID, VARIANT, uia::IUIAutomationCondition**) override {
    return called("CreatePropertyCondition");
  }
};

}  // namespace quorvane::tray_test
