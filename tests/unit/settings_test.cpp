// The settings file: its text as the profile functions read it, every value
// read on its own (one table of hostile values, each of which must fall back
// to its default and leave every other value as it was), the round trip,
// and where a saved window goes back to.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/ini_document.h"
#include "app/restored_placement.h"
#include "app/settings_file.h"
#include "platform/files.h"
#include "scratch_file.h"

namespace quorvane {
namespace {

const LocalText kAnhui = "\xB0\xB2\xBB\xD5", kZhejiang = "\xD5\xE3\xBD\xAD";

Settings readOne(std::u16string_view text) {
  const IniDocument document = IniDocument::parse(text);
  const IniDocument* documents[] = {&document};
  return readSettings(documents);
}

// Every value other than its default.
const char16_t kGoodFile[] =
    u"; comment\r\n"
    u"[Services]\r\nSearchHost=shops.example:8443\r\nPresenceHost=10.0.0.2\r\n"
    u"[Search]\r\nKeyword=\"  \u8FDE\u8863\u88D9 \"\r\nCreditLevel=3\r\nProvinces=\u5B89\u5FBD,\u6D59\u6C5F\r\nFilter=0\r\n"
    u"Recent1=a\uFF1Bb\r\nRecent2=\u8FDE\u8863\u88D9\r\nRecent3=\r\n"
    u"[Contact]\r\nAccount=\u5343\u725B:\u5C0F\u5E97\r\nPauseMin=5\r\nPauseMax=12\r\nRoundLimit=30\r\nDailyLimit=200\r\n"
    u"[Window]\r\nLeft=-1900\r\nTop=20\r\nRight=-400\r\nBottom=900\r\nMaximized=1\r\nDpi=144\r\n"
    u"[Grid]\r\nColumnWidths=40,210,190,100,100,100,300,110,90\r\nWorthContactingOnly=1\r\n"
    u"[Export]\r\nFolder=D:\\\u5BFC\u51FA\r\n";

Settings goodSettings() {
  Settings s;
  s.hosts = {"shops.example:8443", "10.0.0.2"};
  s.keyword = "  \xC1\xAC\xD2\xC2\xC8\xB9 ";
  s.creditLevel = 3;
  s.provinces[0] = s.provinces[24] = true;
  s.filter = false;
  s.recentKeywords = {"a\xA3\xBB" "b", "\xC1\xAC\xD2\xC2\xC8\xB9"};
  s.account = "\xC7\xA7\xC5\xA3:\xD0\xA1\xB5\xEA";
  s.pace = {5, 12, 30, 200};
  s.worthContactingOnly = true;
  s.placement = SavedPlacement{-1900, 20, -400, 900, true, 144};
  s.columnWidths = {40, 210, 190, 100, 100, 100, 300, 110, 90};
  s.exportFolder = u"D:\\\u5BFC\u51FA";
  return s;
}

TEST(SettingsValues, AreReadAsWritten) { EXPECT_EQ(readOne(kGoodFile), goodSettings()); }

// Each line replaces one line of the good file; the value it damages falls
// back to its default and nothing else changes.
TEST(SettingsValues, EachBadValueFallsBackToItsDefaultOnItsOwn) {
  struct Case {
    std::u16string line, replacement;
    std::function<void(Settings&)> expected;  // the good settings as the damage leaves them
  };
  const Settings defaults;
  const auto searchHost = [&](Settings& s) { s.hosts.search = defaults.hosts.search; };
  const auto keyword = [](Settings& s) { s.keyword = ""; };
  const auto credit = [](Settings& s) { s.creditLevel = 0; };
  const auto placement = [](Settings& s) { s.placement.reset(); };
  const auto folder = [](Settings& s) { s.exportFolder.clear(); };
  const std::u16string longText(300, u'x');
  const std::vector<Case> cases = {
      {u"SearchHost=shops.example:8443", u"SearchHost=https://shops.example", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=shops example", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=shops.example:0", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=shops.example:65536", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=shops.example/search", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=me@shops.example", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=\u641C\u7D22.example", searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=" + longText, searchHost},
      {u"SearchHost=shops.example:8443", u"SearchHost=", searchHost},
      {u"PresenceHost=10.0.0.2", u"PresenceHost=[::1", [&](Settings& s) { s.hosts.presence = defaults.hosts.presence; }},
      {u"Keyword=\"  \u8FDE\u8863\u88D9 \"", u"Keyword=" + longText, keyword},
      {u"Keyword=\"  \u8FDE\u8863\u88D9 \"", u"Keyword=a\tb", keyword},
      {u"CreditLevel=3", u"CreditLevel=6", credit},
      {u"CreditLevel=3", u"CreditLevel=-1", credit},
      {u"CreditLevel=3", u"CreditLevel=2x", credit},
      {u"CreditLevel=3", u"CreditLevel=99999999999999", credit},
      {u"Provinces=\u5B89\u5FBD,\u6D59\u6C5F", u"Provinces=\u5317\u4EAC,\u4E0A\u6D77",
       [](Settings& s) { s.provinces = {}; }},
      {u"Provinces=\u5B89\u5FBD,\u6D59\u6C5F", u"Provinces=\u5317\u4EAC\uFF0C \u6D59\u6C5F\u3001\u5B89\u5FBD", [](Settings&) {}},
      {u"Filter=0", u"Filter=yes", [](Settings& s) { s.filter = true; }},
      {u"Account=\u5343\u725B:\u5C0F\u5E97", u"Account=" + longText, [](Settings& s) { s.account = ""; }},
      {u"Left=-1900", u"Left=abc", placement},
      {u"Left=-1900", u"Left=1e5", placement},
      {u"Right=-400", u"Right=-1900", placement},
      {u"Bottom=900", u"Bottom=100000000", placement},
      {u"Dpi=144", u"Dpi=0", [](Settings& s) { s.placement->dpi = 96; }},
      {u"Maximized=1", u"Maximized=2", [](Settings& s) { s.placement->maximized = false; }},
      {u"ColumnWidths=40,210,190,100,100,100,300,110,90", u"ColumnWidths=0,100000,abc,-5,,100",
       [](Settings& s) { s.columnWidths = {50, 200, 198, 120, 120, 100, 150, 120, 117}; }},
      {u"Folder=D:\\\u5BFC\u51FA", u"Folder=relative\\path", folder},
      {u"Folder=D:\\\u5BFC\u51FA", u"Folder=C:", folder},
      {u"Folder=D:\\\u5BFC\u51FA", u"Folder=D:\\a\u0007b", folder},
      {u"Recent1=a\uFF1Bb", u"Recent1=a\tb", [](Settings& s) { s.recentKeywords.erase(s.recentKeywords.begin()); }},
      {u"Recent3=", u"Recent3=\u8FDE\u8863\u88D9\r\nRecent4=c", [](Settings& s) { s.recentKeywords.push_back("c"); }},
      {u"PauseMin=5", u"PauseMin=-1", [](Settings& s) { s.pace.pauseMinSeconds = 0; }},
      {u"PauseMax=12", u"PauseMax=3601", [](Settings& s) { s.pace.pauseMaxSeconds = 5; }},
      {u"PauseMin=5", u"PauseMin=30", [](Settings& s) { s.pace.pauseMinSeconds = 12, s.pace.pauseMaxSeconds = 30; }},
      {u"RoundLimit=30", u"RoundLimit=ten", [](Settings& s) { s.pace.roundLimit = 0; }},
      {u"DailyLimit=200", u"DailyLimit=100001", [](Settings& s) { s.pace.dailyLimit = 0; }},
      {u"WorthContactingOnly=1", u"WorthContactingOnly=on", [](Settings& s) { s.worthContactingOnly = false; }},
  };
  for (const Case& c : cases) {
    std::u16string text = kGoodFile;
    const size_t at = text.find(c.line);
    ASSERT_NE(at, std::u16string::npos);
    text.replace(at, c.line.size(), c.replacement);
    Settings expected = goodSettings();
    c.expected(expected);
    EXPECT_EQ(readOne(text), expected) << std::string(c.replacement.begin(), c.replacement.end());
  }
}

// Whatever the file holds, nothing but defaults come of it where it is no
// settings file, and a hand-made one is read in the encoding it has.
TEST(SettingsFileText, IsReadInItsEncodingAndAnythingElseGivesDefaults) {
  const std::u16string keyword = u"[Search]\r\nKeyword=\u8FDE\u8863\u88D9\r\n";
  const LocalText expected = "\xC1\xAC\xD2\xC2\xC8\xB9";
  ByteArray utf16be = "\xFE\xFF";
  for (char16_t unit : keyword) utf16be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  const ByteArray utf8 = "[Search]\r\nKeyword=\xE8\xBF\x9E\xE8\xA1\xA3\xE8\xA3\x99\r\n";
  const ByteArray gbk = "[Search]\nKeyword=" + expected + "\n";
  for (const ByteArray& bytes : {settingsFileBytes(keyword), utf16be, "\xEF\xBB\xBF" + utf8, utf8, gbk}) {
    const std::optional<std::u16string> text = settingsTextOf(bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(readOne(*text).keyword, expected);
  }
  EXPECT_FALSE(settingsTextOf(ByteArray("[Search]\0Keyword=x", 18)));
  EXPECT_FALSE(settingsTextOf(ByteArray("\xFF\xFE" "a\0\0\0", 6)));
  const ByteArray cut = settingsFileBytes(keyword).substr(0, 25);  // mid-line, mid-unit
  EXPECT_EQ(readOne(settingsTextOf(cut).value_or(u"")), Settings());
  EXPECT_EQ(readOne(u"[Search\r\nKeyword=x\r\n=\r\n[]\r\n==\r\n[Search]]\r\n"), Settings());
}

// Writing the remembered values keeps every other line: the user's comments,
// keys the program does not know, and [Services], which it never writes.
TEST(SettingsFileText, WritingKeepsEveryOtherLineAndReadsBackTheSame) {
  IniDocument document = IniDocument::parse(
      u"; \u6CE8\u91CA\r\n[Services]\r\n; SearchHost=example\r\nSearchHost=shops.example\r\n\r\n[Search]\r\nUnknown=1\r\n"
      u"keyword=old\r\n\r\n[Other]\r\nx=y\r\n");
  Settings settings = goodSettings();
  settings.hosts = {"elsewhere", "elsewhere"};
  writeSettings(settings, document);
  const std::u16string text = document.text();
  for (std::u16string_view kept : {u"; \u6CE8\u91CA\r\n", u"; SearchHost=example\r\nSearchHost=shops.example\r\n",
                                   u"Unknown=1\r\nKeyword=", u"[Other]\r\nx=y\r\n"})
    EXPECT_NE(text.find(kept), std::u16string::npos) << std::string(kept.begin(), kept.end());
  EXPECT_EQ(text.find(u"elsewhere"), std::u16string::npos);
  EXPECT_EQ(text.find(u"=old"), std::u16string::npos) << std::string(text.begin(), text.end());
  Settings read = readOne(settingsTextOf(settingsFileBytes(text)).value_or(u""));
  EXPECT_EQ(read.hosts.search, "shops.example");
  read.hosts = settings.hosts;
  EXPECT_EQ(read, settings);
}

// The commented file of the release holds every key at its default, and
// its comments and hand-written UTF-8 do not get in the way.
TEST(SettingsFileText, TheShippedExampleReadsAsTheDefaults) {
  const std::optional<ByteArray> bytes = platform::readWholeFile(QUORVANE_EXAMPLE_SETTINGS);
  ASSERT_TRUE(bytes.has_value());
  const std::optional<std::u16string> text = settingsTextOf(*bytes);
  ASSERT_TRUE(text.has_value());
  for (std::u16string_view key : {u"SearchHost=", u"PresenceHost=", u"Keyword=", u"CreditLevel=", u"Provinces=",
                                  u"Filter=", u";Recent1=", u"Account=", u"PauseMin=", u"PauseMax=", u"RoundLimit=",
                                  u"DailyLimit=", u";Left=", u"ColumnWidths=", u"WorthContactingOnly=", u"Folder="})
    EXPECT_NE(text->find(key), std::u16string::npos) << std::string(key.begin(), key.end());
  EXPECT_EQ(readOne(*text), Settings());
}

// A copy in the per-user folder is the file: read first, saved to; the
// copy beside the executable still names the services.
TEST(SettingsFileCopies, ThePerUserCopyComesFirstAndKeepsNoServicesOfItsOwn) {
  const std::filesystem::path beside = scratchFilePath("settings_beside"), perUser = scratchFilePath("settings_user");
  std::remove(perUser.c_str());
  ASSERT_TRUE(platform::writeWholeFileAtomically(
      beside, settingsFileBytes(u"[Services]\r\nSearchHost=admin.example\r\n[Search]\r\nKeyword=beside\r\n")));
  SettingsFile file(ProgramFile(beside, perUser));
  EXPECT_EQ(file.load().keyword, "beside");
  ASSERT_TRUE(platform::writeWholeFileAtomically(perUser, settingsFileBytes(u"[Search]\r\nKeyword=mine\r\n")));
  Settings settings = file.load();
  EXPECT_EQ(settings.keyword, "mine");
  EXPECT_EQ(settings.hosts.search, "admin.example");
  settings.keyword = "saved";
  EXPECT_EQ(file.save(settings), ProgramFile::Place::PerUser);
  const std::u16string written = settingsTextOf(platform::readWholeFile(perUser).value_or("")).value_or(u"");
  EXPECT_EQ(written.find(u"Services"), std::u16string::npos);
  EXPECT_EQ(SettingsFile(ProgramFile(beside, perUser)).load().keyword, "saved");
  EXPECT_NE(settingsTextOf(*platform::readWholeFile(beside))->find(u"Keyword=beside"), std::u16string::npos);
  ASSERT_TRUE(platform::writeWholeFileAtomically(perUser, ByteArray(2 << 20, 'x')));
  EXPECT_EQ(SettingsFile(ProgramFile(beside, perUser)).load().keyword, "beside") << "an oversized copy counts as empty";
  std::remove(beside.c_str());
  std::remove(perUser.c_str());
}

// The user may edit the file while the program runs: a save keeps what the
// file holds by then, and a read takes it.
TEST(SettingsFileCopies, ASaveKeepsWhatTheUserChangedMeanwhile) {
  const std::filesystem::path beside = scratchFilePath("settings_edited");
  ASSERT_TRUE(platform::writeWholeFileAtomically(beside, settingsFileBytes(u"[Search]\r\nKeyword=a\r\n")));
  const SettingsFile file(ProgramFile(beside, std::nullopt));
  Settings settings = file.load();
  ASSERT_TRUE(platform::writeWholeFileAtomically(
      beside, settingsFileBytes(u"[Services]\r\nSearchHost=fixed.example\r\n[Search]\r\nKeyword=a\r\n")));
  EXPECT_EQ(file.load().hosts.search, "fixed.example");
  settings.keyword = "b";
  ASSERT_EQ(file.save(settings), ProgramFile::Place::BesideExecutable);
  const Settings saved = file.load();
  EXPECT_EQ(saved.hosts.search, "fixed.example");
  EXPECT_EQ(saved.keyword, "b");
  std::remove(beside.c_str());
}

// ---- where a saved window goes back to

const ScreenBox kScreen{0, 0, 1920, 1040}, kRightScreen{1920, 0, 3840, 1080};

TEST(RestoredWindowBox, IsTheSavedBoxOnAMonitorThatIsStillThere) {
  const SavedPlacement saved{100, 50, 1321, 793, false, 96};
  EXPECT_EQ(restoredWindowBox(saved, 96, 600, 400, std::vector{kScreen}), (ScreenBox{100, 50, 1321, 793}));
  EXPECT_EQ(restoredWindowBox({2000, 50, 3221, 793, false, 96}, 96, 600, 400, std::vector{kScreen}), std::nullopt)
      << "its monitor is gone";
  EXPECT_EQ(restoredWindowBox({2000, 50, 3221, 793, false, 96}, 96, 600, 400, std::vector{kScreen, kRightScreen}),
            (ScreenBox{2000, 50, 3221, 793}));
}

TEST(RestoredWindowBox, IsScaledToTheDpiNowMovedInsideAndNeverBelowTheMinimum) {
  EXPECT_EQ(restoredWindowBox({0, 0, 1221, 743, false, 96}, 144, 600, 400, std::vector{kScreen}),
            (ScreenBox{0, 0, 1832, 1040}))
      << "1.5 times as large, shrunk to the work area";
  EXPECT_EQ(restoredWindowBox({1800, 900, 2400, 1300, false, 96}, 96, 600, 400, std::vector{kScreen}),
            (ScreenBox{1320, 640, 1920, 1040}));
  EXPECT_EQ(restoredWindowBox({10, 10, 20, 20, false, 96}, 96, 600, 400, std::vector{kScreen}),
            (ScreenBox{10, 10, 610, 410}));
  EXPECT_EQ(restoredWindowBox({10, 10, 20, 20, false, 96}, 96, 600, 400, std::vector<ScreenBox>{}), std::nullopt);
}

}  // namespace
}  // namespace quorvane
