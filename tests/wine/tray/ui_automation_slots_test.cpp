// The hand-written UI Automation declarations against the IDL they come
// from: each declared method must sit at the vtable slot the IDL gives it, or
// the program would call another method of the system's object on Windows 11.
// Every method is called through the raw vtable at the IDL's slot number; the
// name the implementation records is the method that really sits there.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "recording_ui_automation.h"

namespace quorvane::tray_test {
namespace {

template <typename Object, typename Interface, typename Result, typename... Args>
std::string nameAtSlot(Object& object, int slot, Result (Interface::*)(Args...)) {
  Interface* self = &object;
  using Entry = Result (*)(Interface*, Args...);
  Entry entry = reinterpret_cast<Entry>((*reinterpret_cast<void***>(self))[slot]);
  object.last.clear();
  entry(self, std::remove_cvref_t<Args>{}...);
  return object.last;
}

#define EXPECT_SLOT(object, Interface, slot, method) \
  EXPECT_EQ(nameAtSlot(object, slot, &Interface::method), #method) << #Interface " slot " #slot

template <typename Object>
void expectIUnknownSlots(Object& object) {
  EXPECT_EQ(nameAtSlot(object, 0, static_cast<HRESULT (IUnknown::*)(REFIID, void**)>(&IUnknown::QueryInterface)),
            "QueryInterface");
  EXPECT_EQ(nameAtSlot(object, 1, &IUnknown::AddRef), "AddRef");
  EXPECT_EQ(nameAtSlot(object, 2, &IUnknown::Release), "Release");
}

GUID guidFromText(const wchar_t* text) {
  GUID guid{};
  EXPECT_EQ(CLSIDFromString(text, &guid), S_OK) << "unreadable GUID";
  return guid;
}

}  // namespace

TEST(UiAutomationSlots, IUIAutomationUpToCreatePropertyCondition) {
  RecordingAutomation automation;
  expectIUnknownSlots(automation);
  EXPECT_SLOT(automation, uia::IUIAutomation, 3, CompareElements);
  EXPECT_SLOT(automation, uia::IUIAutomation, 4, CompareRuntimeIds);
  EXPECT_SLOT(automation, uia::IUIAutomation, 5, GetRootElement);
  EXPECT_SLOT(automation, uia::IUIAutomation, 6, ElementFromHandle);
  EXPECT_SLOT(automation, uia::IUIAutomation, 7, ElementFromPoint);
  EXPECT_SLOT(automation, uia::IUIAutomation, 8, GetFocusedElement);
  EXPECT_SLOT(automation, uia::IUIAutomation, 9, GetRootElementBuildCache);
  EXPECT_SLOT(automation, uia::IUIAutomation, 10, ElementFromHandleBuildCache);
  EXPECT_SLOT(automation, uia::IUIAutomation, 11, ElementFromPointBuildCache);
  EXPECT_SLOT(automation, uia::IUIAutomation, 12, GetFocusedElementBuildCache);
  EXPECT_SLOT(automation, uia::IUIAutomation, 13, CreateTreeWalker);
  EXPECT_SLOT(automation, uia::IUIAutomation, 14, get_ControlViewWalker);
  EXPECT_SLOT(automation, uia::IUIAutomation, 15, get_ContentViewWalker);
  EXPECT_SLOT(automation, uia::IUIAutomation, 16, get_RawViewWalker);
  EXPECT_SLOT(automation, uia::IUIAutomation, 17, get_RawViewCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 18, get_ControlViewCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 19, get_ContentViewCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 20, CreateCacheRequest);
  EXPECT_SLOT(automation, uia::IUIAutomation, 21, CreateTrueCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 22, CreateFalseCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 23, CreatePropertyCondition);
}

TEST(UiAutomationSlots, IUIAutomationElementUpToCurrentName) {
  RecordingElement element;
  expectIUnknownSlots(element);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 3, SetFocus);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 4, GetRuntimeId);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 5, FindFirst);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 6, FindAll);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 7, FindFirstBuildCache);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 8, FindAllBuildCache);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 9, BuildUpdatedCache);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 10, GetCurrentPropertyValue);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 11, GetCurrentPropertyValueEx);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 12, GetCachedPropertyValue);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 13, GetCachedPropertyValueEx);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 14, GetCurrentPatternAs);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 15, GetCachedPatternAs);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 16, GetCurrentPattern);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 17, GetCachedPattern);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 18, GetCachedParent);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 19, GetCachedChildren);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 20, get_CurrentProcessId);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 21, get_CurrentControlType);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 22, get_CurrentLocalizedControlType);
  EXPECT_SLOT(element, uia::IUIAutomationElement, 23, get_CurrentName);
}

TEST(UiAutomationSlots, IUIAutomationElementArrayAndCondition) {
  RecordingElementArray elements;
  expectIUnknownSlots(elements);
  EXPECT_SLOT(elements, uia::IUIAutomationElementArray, 3, get_Length);
  EXPECT_SLOT(elements, uia::IUIAutomationElementArray, 4, GetElement);
  RecordingCondition condition;
  expectIUnknownSlots(condition);
}

// The same ids as the IDL writes them, read by the system's own parser.
TEST(UiAutomationSlots, TheIdsAreTheIdlsUuids) {
  EXPECT_EQ(guidFromText(L"{ff48dba4-60ef-4201-aa87-54103eef594e}"), uia::kClsidCUIAutomation);
  EXPECT_EQ(guidFromText(L"{30cbe57d-d9d0-452a-ab13-7ac5ac4825ee}"), uia::kIidIUIAutomation);
  EXPECT_EQ(guidFromText(L"{d22108aa-8ac5-49a5-837b-37bbb3d7591e}"), uia::kIidIUIAutomationElement);
  EXPECT_EQ(guidFromText(L"{14314595-b4bc-4055-95f2-58f2e42c9855}"), uia::kIidIUIAutomationElementArray);
  EXPECT_EQ(guidFromText(L"{352ffba8-0973-437c-a61f-f64cafd81df9}"), uia::kIidIUIAutomationCondition);
}

}  // namespace quorvane::tray_test
