// What the program carries besides its window: the icon with its ten
// images, the visual-styles manifest, the version resource, the PE header's
// subsystem version, and the binding to the first processor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconGroup {
  WORD reserved, type, count;
  IconGroupEntry entries[1];
};
#pragma pack(pop)

class ProgramFile : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExW(quorvaneExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override { FreeLibrary(module); }
  std::string resource(LPCWSTR type, LPCWSTR name) const {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return {};
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
  }
  HMODULE module = nullptr;
};

TEST_F(ProgramFile, IconHoldsTenImagesUpTo256Pixels) {
  std::string group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
  ASSERT_GE(group.size(), sizeof(IconGroup));
  const auto* icon = reinterpret_cast<const IconGroup*>(group.data());
  ASSERT_EQ(icon->count, 10);
  int largest = 0;
  for (int i = 0; i < icon->count; ++i) {
    int width = icon->entries[i].width ? icon->entries[i].width : 256;
    largest = std::max(largest, width);
  }
  EXPECT_EQ(largest, 256);
}

TEST_F(ProgramFile, ManifestAsksForCommonControlsSixAndNoElevation) {
  std::string manifest = resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos)
      << "no elevation and no file virtualisation under Program Files";
}

// The version resource as Windows reads it (what Explorer shows in the
// file's properties).
class VersionResource : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(quorvaneExePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    info.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(quorvaneExePath().c_str(), 0, size, info.data()));
  }
  // A value of the string table of one language (code page 1200, UTF-16).
  std::wstring value(WORD language, const wchar_t* name) {
    wchar_t key[128];
    std::swprintf(key, std::size(key), L"\\StringFileInfo\\%04X04B0\\%ls", language, name);
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key, &text, &length) || !text || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(text), length - 1);
  }
  std::vector<DWORD> translations() {
    void* table = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &table, &bytes)) return {};
    const DWORD* entries = static_cast<const DWORD*>(table);
    return std::vector<DWORD>(entries, entries + bytes / sizeof(DWORD));
  }
  // The fixed part's file version, as "major.minor.build.revision".
  std::wstring fixedVersion() {
    void* block = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(info.data(), L"\\", &block, &bytes) || bytes < sizeof(VS_FIXEDFILEINFO)) return {};
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
           L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS));
  }
  std::vector<BYTE> info;
};

constexpr WORD kChinese = 0x0804, kEnglish = 0x0409;

// For the log, which is read on a UTF-8 terminal.
std::string utf8(const std::wstring& wide) {
  std::string bytes(wide.size() * 4, '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                              static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return bytes;
}
constexpr const wchar_t* kNames[] = {L"CompanyName",      L"FileDescription",  L"FileVersion", L"InternalName",
                                     L"LegalCopyright",   L"OriginalFilename", L"ProductName", L"ProductVersion"};

TEST_F(VersionResource, NamesTheProductInChineseAndEnglish) {
  EXPECT_EQ(translations(), (std::vector<DWORD>{MAKELONG(kChinese, 1200), MAKELONG(kEnglish, 1200)}));
  const std::wstring version = fixedVersion();
  for (WORD language : {kChinese, kEnglish}) {
    SCOPED_TRACE(language);
    EXPECT_EQ(value(language, L"ProductName"), L"Quorvane");
    EXPECT_EQ(value(language, L"OriginalFilename"), L"Quorvane.exe");
    EXPECT_EQ(value(language, L"FileVersion"), version);
    EXPECT_EQ(value(language, L"ProductVersion"), version);
    EXPECT_NE(value(language, L"CompanyName"), L"");
    EXPECT_NE(value(language, L"LegalCopyright"), L"");
    for (const wchar_t* name : kNames) std::printf("%04X %ls: %s\n", language, name, utf8(value(language, name)).c_str());
  }
  // "Quorvane 卖家搜索与联系工具"
  EXPECT_EQ(value(kChinese, L"FileDescription"),
            fromLocal("Quorvane \xC2\xF4\xBC\xD2\xCB\xD1\xCB\xF7\xD3\xEB\xC1\xAA\xCF\xB5\xB9\xA4\xBE\xDF"));
  EXPECT_EQ(value(kEnglish, L"FileDescription"), L"Quorvane seller search and contact tool");
}

TEST_F(VersionResource, AgreesWithTheManifestAndTheWindowCaption) {
  const std::wstring version = fixedVersion();
  ASSERT_EQ(std::count(version.begin(), version.end(), L'.'), 3);
  std::string manifest;
  {
    HMODULE module = LoadLibraryExW(quorvaneExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    manifest.assign(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    FreeLibrary(module);
  }
  EXPECT_NE(manifest.find("name=\"Quorvane\" version=\"" + std::string(version.begin(), version.end()) + "\""),
            std::string::npos);

  auto app = App::launch();
  ASSERT_NE(app, nullptr);
  const std::wstring majorMinor = version.substr(0, version.find(L'.', version.find(L'.') + 1));
  EXPECT_EQ(text(app->topLevelWindow(L"QuorvaneMainWindow")), L"QuorvaneV" + majorMinor);
}

// Below 6.0 Windows keeps the classic frame metrics for the window; the link
// pins the value so a toolchain's default cannot change the frame.
TEST(ProgramHeader, KeepsSubsystemVersionFivePointTwo) {
  std::ifstream exe(std::filesystem::path(quorvaneExePath()), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(exe)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), sizeof(IMAGE_DOS_HEADER));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), bytes.size());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_EQ(nt->OptionalHeader.MajorSubsystemVersion, 5);
  EXPECT_EQ(nt->OptionalHeader.MinorSubsystemVersion, 2);
}

TEST(RunningProgram, IsBoundToTheFirstProcessor) {
  auto app = App::launch();
  ASSERT_NE(app, nullptr);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, app->processId());
  ASSERT_NE(process, nullptr);
  DWORD_PTR mask = 0, system = 0;
  ASSERT_TRUE(GetProcessAffinityMask(process, &mask, &system));
  CloseHandle(process);
  EXPECT_EQ(mask, 1u);
}

}  // namespace
}  // namespace quorvane::ui
