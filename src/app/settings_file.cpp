#include "app/settings_file.h"

#include <array>

#include "app/ini_document.h"

namespace quorvane {
namespace {

// A settings file is a few hundred bytes; one of megabytes is something else.
constexpr size_t kLargestSettingsFile = 1 << 20;

constexpr char16_t kHeader[] =
    u"Quorvane \u7684\u8BBE\u7F6E\uFF0C\u7A0B\u5E8F\u9000\u51FA\u548C\u6BCF\u6B21\u5F00\u59CB\u641C\u7D22\u65F6"
    u"\u81EA\u52A8\u4FDD\u5B58\u3002\u5404\u9879\u7684\u542B\u4E49\u89C1\u4F7F\u7528\u8BF4\u660E\u3002";
// "Quorvane 的设置，程序退出和每次开始搜索时自动保存。各项的含义见使用说明。"

IniDocument documentOf(const std::optional<ByteArray>& bytes) {
  if (!bytes || bytes->size() > kLargestSettingsFile) return {};
  const std::optional<std::u16string> text = settingsTextOf(*bytes);
  return text ? IniDocument::parse(*text) : IniDocument();
}

}  // namespace

SettingsFile SettingsFile::ofThisProgram() { return SettingsFile(ProgramFile::named("Quorvane.ini")); }

Settings SettingsFile::load() const {
  const IniDocument beside = documentOf(file_.readBesideExecutable());
  const IniDocument perUser = documentOf(file_.readPerUser());
  const std::array<const IniDocument*, 2> inOrder = {&perUser, &beside};
  return readSettings(inOrder);
}

std::optional<ProgramFile::Place> SettingsFile::save(const Settings& settings) const {
  return file_.save([&](ProgramFile::Place place) {
    IniDocument document = documentOf(place == ProgramFile::Place::PerUser ? file_.readPerUser()
                                                                           : file_.readBesideExecutable());
    if (document.empty()) document.addComment(kHeader);
    writeSettings(settings, document);
    return settingsFileBytes(document.text());
  });
}

}  // namespace quorvane
