#include <windows.h>

#include <string>

#include "platform/environment.h"
#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

std::wstring wide(const char* ascii) {
  std::wstring text;
  for (; *ascii; ++ascii) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*ascii)));
  return text;
}

}  // namespace

std::optional<LocalText> environmentVariable(const char* name) {
  const std::wstring key = wide(name);
  std::wstring value(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableW(key.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return LocalText();
    }
    if (n < value.size()) {
      value.resize(n);
      return toLocal(value);
    }
    value.resize(n);  // n counts the terminating NUL when the buffer was too small
  }
}

}  // namespace quorvane::platform
