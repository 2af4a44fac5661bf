#include "platform/win32/toolbar_reader.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <utility>

#include "platform/tray_tips.h"
#include "platform/win32/tray_toolbars.h"
#include "standin_tray_client.h"
#include "tray_test_support.h"

namespace quorvane::tray_test {
namespace {

using platform::ToolbarReader;
using standin_tray::StandinTray;

HWND standinToolbar() {
  auto toolbars = platform::findTrayToolbars();
  return toolbars.empty() ? nullptr : toolbars.front();
}

// A toolbar in this very process, with two buttons.
class OwnToolbar {
 public:
  OwnToolbar() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 40, nullptr, nullptr, nullptr, nullptr);
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD, 0, 0, 300, 30, parent_, nullptr, nullptr,
                              nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[2] = {};
    const wchar_t* texts[2] = {L"first", L"\x5343\x725B - \x5C0F\x738B"};  // "千牛 - 小王"
    for (int i = 0; i < 2; ++i) {
      buttons[i].iBitmap = I_IMAGENONE;
      buttons[i].idCommand = 500 + i;
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].iString = reinterpret_cast<INT_PTR>(texts[i]);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
  }
  ~OwnToolbar() { DestroyWindow(parent_); }
  HWND toolbar = nullptr;

 private:
  HWND parent_ = nullptr;
};

}  // namespace

TEST(ToolbarReader, AttachesToAToolbarOnly) {
  StandinTray tray({"a"});
  ASSERT_TRUE(tray.running());
  ToolbarReader reader;
  EXPECT_FALSE(reader.Attach(tray.window(), true));
  EXPECT_FALSE(reader.Attach(nullptr, true));
  EXPECT_EQ(reader.ButtonCount(), 0);
  EXPECT_EQ(reader.ButtonText(0), "");
  EXPECT_EQ(reader.CommandId(0), std::nullopt);
  EXPECT_TRUE(reader.Attach(standinToolbar(), true));
  EXPECT_EQ(reader.ButtonCount(), 1);
}

TEST(ToolbarReader, ReadsAnotherProcessesButtonsByTheirOwnCommandIds) {
  StandinTray tray({"first", clientTip("alice"), "third"});
  ASSERT_TRUE(tray.running());
  ToolbarReader reader;
  ASSERT_TRUE(reader.Attach(standinToolbar(), true));
  ASSERT_EQ(reader.ButtonCount(), 3);
  EXPECT_EQ(reader.CommandId(0), 4001);
  EXPECT_EQ(reader.CommandId(2), 4007);
  EXPECT_EQ(reader.ButtonText(0), "first");
  EXPECT_EQ(reader.ButtonText(1), clientTip("alice"));
  EXPECT_EQ(reader.ButtonText(2), "third");
}

TEST(ToolbarReader, AButtonPastTheLastOneReadsAsEmpty) {
  StandinTray tray({"only"});
  ASSERT_TRUE(tray.running());
  ToolbarReader reader;
  ASSERT_TRUE(reader.Attach(standinToolbar(), true));
  EXPECT_EQ(reader.CommandId(1), std::nullopt);
  EXPECT_EQ(reader.ButtonText(1), "");
  EXPECT_EQ(reader.ButtonText(-1), "");
  EXPECT_EQ(reader.ButtonText(0), "only");
}

// A buffer of this process means nothing to the stand-in's toolbar.
TEST(ToolbarReader, AnotherProcessesToolbarIsNeverHandedALocalBuffer) {
  StandinTray tray({"first"});
  ASSERT_TRUE(tray.running());
  ToolbarReader reader;
  ASSERT_TRUE(reader.Attach(standinToolbar(), false));
  EXPECT_EQ(reader.CommandId(0), std::nullopt);
  EXPECT_EQ(reader.ButtonText(0), "");
}

TEST(ToolbarReader, ReadsAToolbarOfThisProcessEitherWay) {
  OwnToolbar own;
  for (bool crossProcess : {false, true}) {
    ToolbarReader reader;
    ASSERT_TRUE(reader.Attach(own.toolbar, crossProcess));
    ASSERT_EQ(reader.ButtonCount(), 2);
    EXPECT_EQ(reader.CommandId(1), 501);
    EXPECT_EQ(reader.ButtonText(0), "first");
    EXPECT_EQ(reader.ButtonText(1), clientTip("\xD0\xA1\xCD\xF5"));  // "小王"
  }
}

LRESULT CALLBACK answerClaimedCount(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR claimed) {
  if (message == TB_BUTTONCOUNT) return static_cast<LRESULT>(claimed);
  return DefSubclassProc(window, message, wParam, lParam);
}

// Every button counted is read, so a toolbar that claims absurd numbers
// must not be believed: it would stall the window for good.
TEST(ToolbarReader, AnAbsurdButtonCountIsCappedANegativeOneReadsAsNone) {
  OwnToolbar own;
  ToolbarReader reader;
  ASSERT_TRUE(reader.Attach(own.toolbar, true));
  const std::pair<LRESULT, int> claims[] = {
      {0x7FFFFFFF, platform::kMostTrayIcons}, {LRESULT(1) << 40, platform::kMostTrayIcons}, {-5, 0}};
  for (auto [claimed, expected] : claims) {
    ASSERT_TRUE(SetWindowSubclass(own.toolbar, answerClaimedCount, 1, static_cast<DWORD_PTR>(claimed)));
    EXPECT_EQ(reader.ButtonCount(), expected) << claimed;
  }
}

TEST(ToolbarReader, AToolbarThatWentAwayReadsAsEmpty) {
  ToolbarReader reader;
  {
    StandinTray tray({"first"});
    ASSERT_TRUE(tray.running());
    ASSERT_TRUE(reader.Attach(standinToolbar(), true));
  }
  EXPECT_EQ(reader.ButtonCount(), 0);
  EXPECT_EQ(reader.ButtonText(0), "");
}

TEST(TrayToolbars, TheVisibleIconsToolbarComesFirstThenTheOverflowOne) {
  StandinTray tray({"a"}, {"b", "c"});
  ASSERT_TRUE(tray.running());
  auto toolbars = platform::findTrayToolbars();
  ASSERT_EQ(toolbars.size(), 2u);
  EXPECT_EQ(SendMessageW(toolbars[0], TB_BUTTONCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(toolbars[1], TB_BUTTONCOUNT, 0, 0), 2);
}

}  // namespace quorvane::tray_test
