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

TEST(UiAutomationSlots, IUIAutomation2WholeWithIUIAutomationBeforeIt) {
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
  EXPECT_SLOT(automation, uia::IUIAutomation, 24, CreatePropertyConditionEx);
  EXPECT_SLOT(automation, uia::IUIAutomation, 25, CreateAndCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 26, CreateAndConditionFromArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 27, CreateAndConditionFromNativeArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 28, CreateOrCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 29, CreateOrConditionFromArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 30, CreateOrConditionFromNativeArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 31, CreateNotCondition);
  EXPECT_SLOT(automation, uia::IUIAutomation, 32, AddAutomationEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 33, RemoveAutomationEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 34, AddPropertyChangedEventHandlerNativeArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 35, AddPropertyChangedEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 36, RemovePropertyChangedEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 37, AddStructureChangedEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 38, RemoveStructureChangedEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 39, AddFocusChangedEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 40, RemoveFocusChangedEventHandler);
  EXPECT_SLOT(automation, uia::IUIAutomation, 41, RemoveAllEventHandlers);
  EXPECT_SLOT(automation, uia::IUIAutomation, 42, IntNativeArrayToSafeArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 43, IntSafeArrayToNativeArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 44, RectToVariant);
  EXPECT_SLOT(automation, uia::IUIAutomation, 45, VariantToRect);
  EXPECT_SLOT(automation, uia::IUIAutomation, 46, SafeArrayToRectNativeArray);
  EXPECT_SLOT(automation, uia::IUIAutomation, 47, CreateProxyFactoryEntry);
  EXPECT_SLOT(automation, uia::IUIAutomation, 48, get_ProxyFactoryMapping);
  EXPECT_SLOT(automation, uia::IUIAutomation, 49, GetPropertyProgrammaticName);
  EXPECT_SLOT(automation, uia::IUIAutomation, 50, GetPatternProgrammaticName);
  EXPECT_SLOT(automation, uia::IUIAutomation, 51, PollForPotentialSupportedPatterns);
  EXPECT_SLOT(automation, uia::IUIAutomation, 52, PollForPotentialSupportedProperties);
  EXPECT_SLOT(automation, uia::IUIAutomation, 53, CheckNotSupported);
  EXPECT_SLOT(automation, uia::IUIAutomation, 54, get_ReservedNotSupportedValue);
  EXPECT_SLOT(automation, uia::IUIAutomation, 55, get_ReservedMixedAttributeValue);
  EXPECT_SLOT(automation, uia::IUIAutomation, 56, ElementFromIAccessible);
  EXPECT_SLOT(automation, uia::IUIAutomation, 57, ElementFromIAccessibleBuildCache);
  EXPECT_SLOT(automation, uia::IUIAutomation2, 58, get_AutoSetFocus);
  EXPECT_SLOT(automation, uia::IUIAutomation2, 59, put_AutoSetFocus);
  EXPECT_SLOT(automation, uia::IUIAutomation2, 60, get_ConnectionTimeout);
  EXPECT_SLOT(automation, uia::IUIAutomation2, 61, put_ConnectionTimeout);
  EXPECT_SLOT(automation, uia::IUIAutomation2, 62, get_TransactionTimeout);
  EXPECT_SLOT(automation, uia::IUIAutomation2, 63, put_TransactionTimeout);
}

TEST(UiAutomationSlots, IUIAutomationCacheRequestWholeAndIUIAutomationInvokePattern) {
  RecordingCacheRequest request;
  expectIUnknownSlots(request);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 3, AddProperty);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 4, AddPattern);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 5, Clone);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 6, get_TreeScope);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 7, put_TreeScope);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 8, get_TreeFilter);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 9, put_TreeFilter);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 10, get_AutomationElementMode);
  EXPECT_SLOT(request, uia::IUIAutomationCacheRequest, 11, put_AutomationElementMode);
  RecordingInvokePattern pattern;
  expectIUnknownSlots(pattern);
  EXPECT_SLOT(pattern, uia::IUIAutomationInvokePattern, 3, Invoke);
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
  EXPECT_EQ(guidFromText(L"{e22ad333-b25f-460c-83d0-0581107395c9}"), uia::kClsidCUIAutomation8);
  EXPECT_EQ(guidFromText(L"{34723aff-0c9d-49d0-9896-7ab52df8cd8a}"), uia::kIidIUIAutomation2);
  EXPECT_EQ(guidFromText(L"{b32a92b5-bc25-4078-9c08-d7ee95c48e03}"), uia::kIidIUIAutomationCacheRequest);
  EXPECT_EQ(guidFromText(L"{fb377fbe-8ea6-46d5-9c73-6499642d3059}"), uia::kIidIUIAutomationInvokePattern);
}

}  // namespace quorvane::tray_test
