// The settings file through the real program: what one run leaves in
// Quorvane.ini, the next shows again; a file that is empty, binary, cut or
// full of hostile values leaves every control where the user can reach it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout_figures.h"
#include "ui_driver.h"

namespace quorvane::ui {
namespace {

const std::string kAnhui = "\xB0\xB2\xBB\xD5", kZhejiang = "\xD5\xE3\xBD\xAD";
const std::string kKeyword = "\xC1\xAC\xD2\xC2\xC8\xB9";  // 连衣裙

// 搜索完成：0 条，无法连接搜索服务：<host>
std::wstring unreachableAtTheEnd(const std::wstring& host) {
  return fromLocal("\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xBA" "0 \xCC\xF5\xA3\xAC"
                   "\xCE\xDE\xB7\xA8\xC1\xAC\xBD\xD3\xCB\xD1\xCB\xF7\xB7\xFE\xCE\xF1\xA3\xBA") + host;
}

std::string utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}

struct Started {
  std::unique_ptr<App> app;
  HWND window = nullptr, header = nullptr, grid = nullptr;

  explicit Started(LaunchOptions options) {
    app = App::launch(options);
    if (!app) return;
    window = app->mainWindow();
    header = controlAt(window, L"Button", -4, 1);
    grid = findControl(window, L"SysListView32", L"");
  }
  // Found by what they are, not where: a window of another size squeezes its rows.
  HWND keywordBox() const { return ui::keywordBox(window); }
  HWND creditList() const { return ui::creditList(header); }
  HWND button(const std::string& caption) const { return findControl(window, L"Button", fromLocal(caption)); }
  HWND filter() const { return button("\xD1\xA1\xD6\xD0\xCA\xB1\xD7\xD4\xB6\xAF\xB9\xFD\xC2\xCB"); }  // 选中时自动过滤
  int credit() const { return static_cast<int>(SendMessageW(creditList(), CB_GETCURSEL, 0, 0)); }
  RECT box() const {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  void exitProgram() const {
    HWND menu = app->openTrayMenu();
    ASSERT_NE(menu, nullptr);
    chooseMenuItem(menu, ui::kExitMenuItem);
    ASSERT_EQ(app->waitForExit(), std::optional<DWORD>(0));
  }
  // F5 in the keyword box; the search's end, as the status bar says it.
  std::wstring searchWithF5() const {
    pressKey(keywordBox(), VK_F5);
    HWND search = button("\xCB\xD1\xCB\xF7");
    waitUntil([&] { return statusText(window).find(fromLocal("\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9")) == 0; }, 30000);
    waitUntil([&] { return IsWindowEnabled(search) != FALSE; });
    return statusText(window);
  }
};

std::wstring profileString(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(section, key, L"(none)", value, 512, file.c_str());
  return value;
}

TEST(SettingsRoundTrip, CriteriaPlacementWidthsAndHostsComeBackAtTheNextStart) {
  Started first(LaunchOptions{{{L"QUORVANE_SEARCH_HOST", L""}}});
  ASSERT_NE(first.window, nullptr);
  ASSERT_NE(first.filter(), nullptr);
  typeText(first.keywordBox(), fromLocal(kKeyword));
  SendMessageW(first.creditList(), CB_SETCURSEL, 2, 0);
  click(first.button(kZhejiang));
  click(first.button(kAnhui));
  click(first.filter());
  SetWindowPos(first.window, nullptr, 40, 30, 1100, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(first.grid, LVM_SETCOLUMNWIDTH, 1, 260);
  settle(first.window);
  first.exitProgram();

  // The file as Windows' own profile functions read it.
  const std::wstring path = first.app->folder() + L"\\Quorvane.ini";
  const std::optional<std::string> written = first.app->readFile(L"Quorvane.ini");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->substr(0, 2), "\xFF\xFE") << "UTF-16 LE with its byte-order mark";
  EXPECT_EQ(profileString(path, L"Search", L"Keyword"), fromLocal(kKeyword));
  EXPECT_EQ(profileString(path, L"Search", L"Provinces"), fromLocal(kAnhui + "," + kZhejiang));
  EXPECT_EQ(profileString(path, L"Search", L"CreditLevel"), L"2");
  EXPECT_EQ(profileString(path, L"Window", L"Left"), L"40");
  ASSERT_TRUE(WritePrivateProfileStringW(L"Services", L"SearchHost", L"127.0.0.1:1", path.c_str()));
  const std::string edited = first.app->readFile(L"Quorvane.ini").value_or("");

  Started second(LaunchOptions{{{L"QUORVANE_SEARCH_HOST", L""}}, {{L"Quorvane.ini", edited}}});
  ASSERT_NE(second.window, nullptr);
  EXPECT_EQ(text(second.keywordBox()), fromLocal(kKeyword));
  EXPECT_EQ(second.credit(), 2);
  EXPECT_TRUE(isChecked(second.button(kAnhui)));
  EXPECT_TRUE(isChecked(second.button(kZhejiang)));
  EXPECT_FALSE(isChecked(second.button("\xB8\xA3\xBD\xA8")));  // 福建
  EXPECT_FALSE(isChecked(second.filter()));
  const RECT box = second.box();
  EXPECT_TRUE(box.left == 40 && box.top == 30 && box.right == 1140 && box.bottom == 730)
      << box.left << "," << box.top << " " << box.right << "," << box.bottom;
  EXPECT_EQ(SendMessageW(second.grid, LVM_GETCOLUMNWIDTH, 1, 0), 260);
  EXPECT_EQ(SendMessageW(second.grid, LVM_GETCOLUMNWIDTH, 2, 0), 198);
  EXPECT_EQ(second.searchWithF5(), unreachableAtTheEnd(L"127.0.0.1:1")) << "the file's host";
  second.exitProgram();

  // A variable that is set wins over the file.
  Started third(LaunchOptions{{{L"QUORVANE_SEARCH_HOST", L"127.0.0.1:2"}}, {{L"Quorvane.ini", edited}}});
  ASSERT_NE(third.window, nullptr);
  EXPECT_EQ(third.searchWithF5(), unreachableAtTheEnd(L"127.0.0.1:2"));
}

// Each file must start the program with every control reachable: the window
// on the screen at its own size, a credit item chosen, the layout's column
// widths; and 退出 must leave a settings file that reads.
TEST(HostileSettingsFiles, NeverLeaveAControlOutOfReach) {
  const std::wstring hostile = L"[Services]\r\nSearchHost=https://evil.example/x y\r\n[Search]\r\nKeyword=" +
                               std::wstring(100000, L'\x8FDE') + L"\r\nCreditLevel=99\r\nProvinces=\x5317\x4EAC\r\n" +
                               L"[Window]\r\nLeft=5000\r\nTop=5000\r\nRight=6221\r\nBottom=5743\r\nMaximized=1\r\n" +
                               L"[Grid]\r\nColumnWidths=0,100000,-5,abc\r\n[Export]\r\nFolder=\\\\?\\\r\n";
  std::string binary(4096, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 256);
  const std::vector<std::pair<const char*, std::string>> files = {
      {"empty", ""},
      {"binary", binary},
      {"cut", utf16File(L"[Window]\r\nLeft=5000\r\nTop=50").substr(0, 37)},
      {"hostile values", utf16File(hostile)},
      {"oversized", std::string(3 << 20, 'x')},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    Started run(LaunchOptions{{}, {{L"Quorvane.ini", bytes}}});
    ASSERT_NE(run.window, nullptr);
    const RECT box = run.box();
    EXPECT_EQ(box.right - box.left, kWindowWidth);
    EXPECT_EQ(box.bottom - box.top, kWindowHeight);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(run.window, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_TRUE(box.left >= monitor.rcWork.left && box.top >= monitor.rcWork.top && box.right <= monitor.rcWork.right &&
                box.bottom <= monitor.rcWork.bottom);
    EXPECT_FALSE(IsZoomed(run.window));
    EXPECT_EQ(text(run.keywordBox()), L"");
    EXPECT_EQ(run.credit(), 0);
    EXPECT_TRUE(isChecked(run.filter()));
    constexpr int kLayoutWidths[] = {50, 200, 198, 120, 120, 120, 150, 120, 117};
    for (int column = 0; column < 9; ++column)
      EXPECT_EQ(SendMessageW(run.grid, LVM_GETCOLUMNWIDTH, column, 0), kLayoutWidths[column]) << column;
    run.exitProgram();
    const std::wstring path = run.app->folder() + L"\\Quorvane.ini";
    EXPECT_EQ(run.app->readFile(L"Quorvane.ini").value_or("").substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(profileString(path, L"Search", L"CreditLevel"), L"0");
  }
}

}  // namespace
}  // namespace quorvane::ui
