#include "app/ini_document.h"

#include <algorithm>

#include "text/encodings.h"

namespace quorvane {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trimmed(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

char16_t lowered(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool sameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return lowered(x) == lowered(y);
         });
}

// The name of a "[name]" line; nothing for any other line.
std::optional<std::u16string_view> sectionNameOf(std::u16string_view line) {
  line = trimmed(line);
  if (line.empty() || line.front() != u'[') return std::nullopt;
  const size_t close = line.find(u']');
  if (close == std::u16string_view::npos) return std::nullopt;
  return trimmed(line.substr(1, close - 1));
}

bool isComment(std::u16string_view line) {
  line = trimmed(line);
  return !line.empty() && (line.front() == u';' || line.front() == u'#');
}

// The key of a "key=value" line; nothing for any other line.
std::optional<std::u16string_view> keyOf(std::u16string_view line) {
  if (isComment(line)) return std::nullopt;
  const size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return std::nullopt;
  return trimmed(line.substr(0, equals));
}

bool quotedAtBothEnds(std::u16string_view text) {
  return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
}

std::u16string writtenValue(std::u16string_view value) {
  std::u16string text(value);
  std::replace_if(text.begin(), text.end(), [](char16_t c) { return c < u' '; }, u' ');
  const bool needsQuotes = !text.empty() && (isBlank(text.front()) || isBlank(text.back()) || quotedAtBothEnds(text));
  return needsQuotes ? u'"' + text + u'"' : text;
}

bool isValidUtf8(const ByteArray& bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                  : lead >= 0xF0 && lead < 0xF5                   ? 4
                                                                  : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

std::u16string utf16Of(std::string_view bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]), second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return text;
}

std::u16string withoutTrailingNul(Utf16Text text) {
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

}  // namespace

IniDocument IniDocument::parse(std::u16string_view text) {
  IniDocument document;
  if (text.find(u'\0') != std::u16string_view::npos) return document;
  while (!text.empty()) {
    const size_t end = text.find_first_of(u"\r\n");
    document.lines_.emplace_back(text.substr(0, end));
    if (end == std::u16string_view::npos) break;
    const size_t next = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    text.remove_prefix(next);
  }
  return document;
}

std::optional<IniDocument::Section> IniDocument::findSection(std::u16string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::optional<std::u16string_view> name = sectionNameOf(lines_[i]);
    if (!name || !sameName(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines_.size() && !sectionNameOf(lines_[end])) ++end;
    return Section{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> IniDocument::findKey(const Section& section, std::u16string_view key) const {
  for (size_t i = section.header + 1; i < section.end; ++i)
    if (const auto name = keyOf(lines_[i]); name && sameName(*name, key)) return i;
  return std::nullopt;
}

std::optional<std::u16string> IniDocument::value(std::u16string_view section, std::u16string_view key) const {
  const std::optional<Section> found = findSection(section);
  if (!found) return std::nullopt;
  const std::optional<size_t> line = findKey(*found, key);
  if (!line) return std::nullopt;
  std::u16string_view text = lines_[*line];
  text = trimmed(text.substr(text.find(u'=') + 1));
  if (quotedAtBothEnds(text)) text = text.substr(1, text.size() - 2);
  return std::u16string(text);
}

void IniDocument::set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  const std::u16string line = std::u16string(key) + u'=' + writtenValue(value);
  std::optional<Section> found = findSection(section);
  if (!found) {
    if (!lines_.empty() && !trimmed(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back(u'[' + std::u16string(section) + u']');
    lines_.push_back(line);
    return;
  }
  if (const std::optional<size_t> existing = findKey(*found, key)) {
    lines_[*existing] = line;
    return;
  }
  size_t after = found->end;
  while (after > found->header + 1 && trimmed(lines_[after - 1]).empty()) --after;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after), line);
}

void IniDocument::addComment(std::u16string_view comment) {
  lines_.insert(lines_.begin(), u"; " + writtenValue(comment));
}

std::u16string IniDocument::text() const {
  std::u16string text;
  for (const std::u16string& line : lines_) text += line + u"\r\n";
  return text;
}

std::optional<std::u16string> settingsTextOf(const ByteArray& bytes) {
  const std::string_view all = bytes;
  std::u16string text;
  if (all.substr(0, 2) == "\xFF\xFE" || all.substr(0, 2) == "\xFE\xFF") {
    text = utf16Of(all.substr(2), all[0] == '\xFE');
  } else {
    if (all.find('\0') != std::string_view::npos) return std::nullopt;
    const bool marked = all.substr(0, 3) == "\xEF\xBB\xBF";
    const std::string_view body = marked ? all.substr(3) : all;
    const bool utf8 = marked || isValidUtf8(bytes);
    text = withoutTrailingNul(codePageToUtf16(body, utf8 ? kUtf8CodePage : kLocalCodePage));
  }
  if (text.find(u'\0') != std::u16string::npos) return std::nullopt;
  return text;
}

ByteArray settingsFileBytes(std::u16string_view text) {
  ByteArray bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace quorvane
