#pragma once
// The main window's controls as the layout places them at 96 DPI: class,
// position in the parent and caption. Shared by the layout suite and by the
// suites that check the window at other DPIs and sizes.
namespace quorvane::ui {

enum class Parent { Window, Header, Panel };

// The window's outer size: the layout's 1221 x 721 and the status bar below it.
inline constexpr int kWindowWidth = 1221;
inline constexpr int kStatusBarHeight = 22;
inline constexpr int kWindowHeight = 721 + kStatusBarHeight;

struct Expected {
  Parent parent;
  const wchar_t* cls;
  int left, top, width, height;
  const char* caption;  // GBK
};

inline constexpr Expected kHeaderAndWindow[] = {
    {Parent::Header, L"Static", 30, 18, 59, 26, "\xD1\xA1\xD4\xF1\xB5\xC8\xBC\xB6\xA3\xBA"},
    {Parent::Header, L"ComboBox", 92, 20, 112, 20, "0\xD0\xC4"},
    {Parent::Header, L"Static", 238, 17, 44, 26, "\xCD\xFA\xCD\xFAID\xA3\xBA"},
    {Parent::Header, L"Edit", 288, 19, 196, 24, ""},
    {Parent::Header, L"Button", 498, 19, 63, 24, "\xBD\xF8\xC8\xEB\xB5\xEA\xC6\xCC"},
    {Parent::Window, L"Static", 597, 20, 48, 24, "\xB9\xD8\xBC\xFC\xB4\xCA\xA3\xBA"},
    {Parent::Header, L"ComboBox", 650, 19, 344, 25, ""},
    {Parent::Header, L"Button", 1017, 19, 63, 25, "\xCB\xD1\xCB\xF7"},
    {Parent::Header, L"Button", 1087, 19, 63, 25, "\xC7\xE5\xBF\xD5"},
    {Parent::Window, L"SysListView32", 0, 53, 1215, 592, ""},
    {Parent::Window, L"Static", 30, 655, 59, 26, "\xC1\xAA\xCF\xB5\xCD\xFA\xCD\xFA\xA3\xBA"},
    {Parent::Window, L"ComboBox", 92, 658, 168, 22, ""},
    {Parent::Window, L"Button", 273, 657, 63, 25, "\xCB\xA2\xD0\xC2"},
    {Parent::Window, L"Button", 350, 657, 63, 25, "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"},
    {Parent::Window, L"Static", 444, 660, 88, 18, "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "0\xCC\xF5"},
    {Parent::Window, L"Button", 549, 658, 105, 24, "\xD1\xA1\xD6\xD0\xCA\xB1\xD7\xD4\xB6\xAF\xB9\xFD\xC2\xCB"},
    {Parent::Window, L"Static", 676, 657, 112, 24, "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "0 \xB8\xF6"},
    {Parent::Window, L"Button", 794, 657, 63, 25, "\xCD\xA3\xD6\xB9\xCB\xD1\xCB\xF7"},
    {Parent::Window, L"Button", 877, 657, 63, 25, "\xC9\xBE\xB3\xFD\xBB\xBA\xB4\xE6"},
    {Parent::Window, L"Button", 960, 657, 63, 25, "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5"},
    {Parent::Window, L"Static", 1119, 659, 67, 18, "\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8(R)"},
};

struct Province {
  const char* name;
  int left, top, width;
};

inline constexpr Province kProvinces[] = {
    {"\xB0\xB2\xBB\xD5", 54, 81, 48},   {"\xB8\xA3\xBD\xA8", 128, 81, 48},
    {"\xB8\xCA\xCB\xE0", 202, 81, 48},  {"\xB9\xE3\xB6\xAB", 278, 81, 48},
    {"\xB9\xE3\xCE\xF7", 54, 133, 48},  {"\xB9\xF3\xD6\xDD", 128, 133, 48},
    {"\xBA\xA3\xC4\xCF", 202, 133, 48}, {"\xBA\xD3\xB1\xB1", 278, 133, 48},
    {"\xBA\xD3\xC4\xCF", 54, 185, 48},  {"\xBA\xFE\xB1\xB1", 128, 185, 48},
    {"\xBA\xFE\xC4\xCF", 202, 185, 48}, {"\xBD\xAD\xCB\xD5", 278, 185, 48},
    {"\xBD\xAD\xCE\xF7", 54, 237, 48},  {"\xBC\xAA\xC1\xD6", 128, 237, 48},
    {"\xC1\xC9\xC4\xFE", 202, 237, 48}, {"\xC4\xFE\xCF\xC4", 278, 237, 48},
    {"\xC7\xE0\xBA\xA3", 54, 289, 48},  {"\xC9\xBD\xB6\xAB", 128, 289, 48},
    {"\xC9\xBD\xCE\xF7", 202, 289, 48}, {"\xC9\xC2\xCE\xF7", 278, 289, 48},
    {"\xD4\xC6\xC4\xCF", 54, 341, 48},  {"\xCB\xC4\xB4\xA8", 128, 341, 48},
    {"\xCE\xF7\xB2\xD8", 202, 341, 48}, {"\xD0\xC2\xBD\xAE", 278, 341, 48},
    {"\xD5\xE3\xBD\xAD", 54, 393, 48},  {"\xB0\xC4\xC3\xC5", 128, 393, 48},
    {"\xCF\xE3\xB8\xDB", 202, 393, 48}, {"\xCC\xA8\xCD\xE5", 278, 393, 48},
    {"\xC4\xDA\xC3\xC9\xB9\xC5", 54, 446, 66}, {"\xBA\xDA\xC1\xFA\xBD\xAD", 128, 446, 56},
};

inline constexpr int kGroupBoxTops[] = {85, 137, 189, 241, 293, 345, 397, 450};

}  // namespace quorvane::ui
