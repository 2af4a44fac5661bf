// What the program carries besides its window: the icon with its ten
// images, the visual-styles manifest, and the binding to the first processor.
#include <gtest/gtest.h>

#include <string>

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

TEST_F(ProgramFile, ManifestAsksForCommonControlsSix) {
  std::string manifest = resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
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
