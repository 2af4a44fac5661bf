#pragma once
// A settings file's text as Windows' profile functions (GetPrivateProfile-
// StringW) and Notepad read it: "[Section]" lines, "Key=Value" lines,
// comments (lines starting with ";" or "#") and whatever else, kept line for
// line. Setting a value rewrites its one line, so the user's comments, blank
// lines and keys this program does not know stay as they were.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace quorvane {

class IniDocument {
 public:
  // Lines end at CR LF, LF or CR. A text holding NUL units is no settings
  // file (a binary file under the name): it reads as an empty document.
  static IniDocument parse(std::u16string_view text);

  bool empty() const { return lines_.empty(); }

  // The value of the first `key` of the first section named `section`,
  // names compared without regard to ASCII case, as the profile functions
  // compare them: spaces and tabs around it removed, then one pair of
  // surrounding double or single quotes. Nothing when there is no such key.
  std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;

  // Rewrites that key's line as "key=value", or adds it after the section's
  // last entry (the section after the last line, when there is none). A
  // value with spaces at either end, or quotes at both, is written in double
  // quotes so that it reads back the same; control characters become spaces.
  void set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // A comment line (";" and the text) at the very top.
  void addComment(std::u16string_view comment);

  // The lines, each ended by CR LF.
  std::u16string text() const;

 private:
  struct Section {
    size_t header;  // the index of the "[name]" line
    size_t end;     // one past its last line
  };
  std::optional<Section> findSection(std::u16string_view section) const;
  std::optional<size_t> findKey(const Section& section, std::u16string_view key) const;

  std::vector<std::u16string> lines_;
};

// The text of a settings file's bytes: UTF-16 LE or BE after a byte-order
// mark, UTF-8 after its mark, and without a mark UTF-8 where the bytes are
// valid UTF-8, else the local code page (GBK), as a hand-made file may be.
// Nothing for bytes that are no text (NUL bytes or units).
std::optional<std::u16string> settingsTextOf(const ByteArray& bytes);

// The bytes a settings file is written as: UTF-16 LE after its byte-order
// mark, which the profile functions and Notepad both read Chinese from.
ByteArray settingsFileBytes(std::u16string_view text);

}  // namespace quorvane
