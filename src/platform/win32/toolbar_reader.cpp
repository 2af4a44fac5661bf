#include "platform/win32/toolbar_reader.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/tray_tips.h"
#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

// A notification-area tip holds at most 127 characters; a toolbar that
// claims far more is not trusted with a buffer sized from its answer.
constexpr LRESULT kLongestText = 4096;
// A shell that does not answer within this long is treated as failing, so a
// hung shell cannot freeze the window.
constexpr UINT kAnswerTimeoutMs = 3000;

std::string trimmedUpperClassName(HWND window) {
  char name[256] = {};
  int length = GetClassNameA(window, name, sizeof name);
  std::string text(name, length > 0 ? static_cast<size_t>(length) : 0);
  auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
  while (!text.empty() && isSpace(text.back())) text.pop_back();
  text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), isSpace));
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// UTF-16 text up to its first NUL, as local (GBK) text.
LocalText localFromWide(const wchar_t* units, size_t count) {
  return toLocal(std::wstring_view(units, std::find(units, units + count, L'\0') - units));
}

}  // namespace

// The toolbar's process for the span of one read, with at most one block in
// it. Both are released on every path out, except a block handed to a
// message that went unanswered: the shell may still write into it later.
class ToolbarReader::OpenedProcess {
 public:
  OpenedProcess(RemoteProcessMemory& memory, HWND toolbar) : memory_(memory), handle_(memory.Open(toolbar)) {}
  ~OpenedProcess() {
    if (!blockAbandoned_) memory_.Free(handle_, block_);
    memory_.Close(handle_);
  }
  OpenedProcess(const OpenedProcess&) = delete;
  OpenedProcess& operator=(const OpenedProcess&) = delete;

  explicit operator bool() const { return handle_ != nullptr; }
  RemoteProcessMemory& memory() { return memory_; }
  HANDLE handle() const { return handle_; }

  // A fresh block of `size` bytes in the process, in place of the last one;
  // null on failure and once a block has been abandoned.
  void* block(size_t size) {
    if (blockAbandoned_) return nullptr;
    memory_.Free(handle_, block_);
    block_ = memory_.Alloc(handle_, size);
    return block_;
  }
  void abandonBlock() { blockAbandoned_ = true; }

  std::optional<ToolbarButtonLayout> buttonLayout() {
    auto wow64 = memory_.IsWow64(handle_);
    if (!wow64) return std::nullopt;
    return *wow64 ? ToolbarButtonLayout::Bits32 : ToolbarButtonLayout::Bits64;
  }

 private:
  RemoteProcessMemory& memory_;
  HANDLE handle_;
  void* block_ = nullptr;
  bool blockAbandoned_ = false;
};

bool ToolbarReader::Attach(HWND window, bool crossProcess) {
  if (!window || trimmedUpperClassName(window) != "TOOLBARWINDOW32") return false;
  toolbar_ = window;
  crossProcess_ = crossProcess;
  return true;
}

int ToolbarReader::ButtonCount() {
  if (!toolbar_) return 0;
  auto count = send(TB_BUTTONCOUNT, 0, 0);
  if (!count || *count < 0) return 0;
  return static_cast<int>(std::min<LRESULT>(*count, kMostTrayIcons));
}

std::optional<int> ToolbarReader::CommandId(int index) {
  if (!toolbar_) return std::nullopt;
  if (!crossProcess_) return localCommandId(index);
  OpenedProcess process(memory_, toolbar_);
  if (!process) return std::nullopt;
  return remoteCommandId(process, index);
}

LocalText ToolbarReader::ButtonText(int index) {
  if (!toolbar_) return "";
  if (!crossProcess_) {
    auto id = localCommandId(index);
    return id ? localText(*id) : "";
  }
  OpenedProcess process(memory_, toolbar_);
  if (!process) return "";
  auto id = remoteCommandId(process, index);
  return id ? remoteText(process, *id) : "";
}

// The record's size depends on the toolbar process's bitness, not ours.
std::optional<int> ToolbarReader::remoteCommandId(OpenedProcess& process, int index) {
  auto layout = process.buttonLayout();
  if (!layout) return std::nullopt;
  size_t size = toolbarButtonSize(*layout);
  void* remote = process.block(size);
  if (!remote) return std::nullopt;
  auto answer = send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
  if (!answer) process.abandonBlock();
  if (!answer || !*answer) return std::nullopt;
  auto bytes = process.memory().Read(process.handle(), remote, size);
  if (!bytes) return std::nullopt;
  auto button = decodeToolbarButton(*bytes, *layout);
  if (!button) return std::nullopt;
  button_ = *button;
  return button_.idCommand;
}

// The text is asked for in UTF-16 and turned into local text here: the A
// message would convert it with the shell's ANSI code page, which loses the
// Chinese client name on any system whose code page is not 936.
LocalText ToolbarReader::remoteText(OpenedProcess& process, int commandId) {
  auto length = send(TB_GETBUTTONTEXTW, static_cast<WPARAM>(commandId), 0);
  if (!length || *length <= 0 || *length > kLongestText) return "";
  size_t units = static_cast<size_t>(*length) + 1;
  // Blocks are whole pages, so a tip that grows between the two messages
  // still lands inside ours; only the first `units` are read back.
  void* remote = process.block(units * sizeof(wchar_t));
  if (!remote) return "";
  auto answer = send(TB_GETBUTTONTEXTW, static_cast<WPARAM>(commandId), reinterpret_cast<LPARAM>(remote));
  if (!answer) process.abandonBlock();
  if (!answer || *answer == -1) return "";
  auto bytes = process.memory().Read(process.handle(), remote, units * sizeof(wchar_t));
  if (!bytes) return "";
  std::wstring text(units, L'\0');
  std::copy(bytes->begin(), bytes->end(), reinterpret_cast<char*>(text.data()));
  return localFromWide(text.data(), units);
}

// A local buffer means nothing to another process's toolbar.
std::optional<int> ToolbarReader::localCommandId(int index) {
  if (!ownedByThisProcess()) return std::nullopt;
  TBBUTTON button = {};
  auto answer = send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  if (!answer || !*answer) return std::nullopt;
  button_ = ToolbarButton{button.iBitmap, button.idCommand, button.fsState, button.fsStyle,
                          static_cast<std::uint64_t>(button.dwData), static_cast<std::int64_t>(button.iString)};
  return button_.idCommand;
}

LocalText ToolbarReader::localText(int commandId) {
  if (!ownedByThisProcess()) return "";
  auto length = send(TB_GETBUTTONTEXTW, static_cast<WPARAM>(commandId), 0);
  if (!length || *length <= 0 || *length > kLongestText) return "";
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  auto answer = send(TB_GETBUTTONTEXTW, static_cast<WPARAM>(commandId), reinterpret_cast<LPARAM>(text.data()));
  if (!answer || *answer == -1) return "";
  return localFromWide(text.data(), text.size());
}

bool ToolbarReader::ownedByThisProcess() const {
  DWORD processId = 0;
  GetWindowThreadProcessId(toolbar_, &processId);
  return processId == GetCurrentProcessId();
}

std::optional<LRESULT> ToolbarReader::send(UINT message, WPARAM wParam, LPARAM lParam) const {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(toolbar_, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

}  // namespace quorvane::platform
