#include "platform/win32/remote_process_memory.h"

namespace quorvane::platform {
namespace {

// What a toolbar read needs and no more: blocks are allocated and freed, read
// back, and the owner's bitness asked for. The toolbar itself writes into the
// blocks, so no write right is asked for; security suites deny wider opens of
// the shell, and flag programs that make them.
constexpr DWORD kToolbarReadAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION;

}  // namespace

HANDLE RemoteProcessMemory::Open(HWND window) {
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(window, &processId) || processId == 0) return nullptr;
  return OpenProcess(kToolbarReadAccess, FALSE, processId);
}

void RemoteProcessMemory::Close(HANDLE process) {
  if (process) CloseHandle(process);
}

std::optional<ByteArray> RemoteProcessMemory::Read(HANDLE process, const void* address, std::size_t size) {
  ByteArray block(size, '\0');
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, address, block.data(), size, &read) || read != size) return std::nullopt;
  return block;
}

void* RemoteProcessMemory::Alloc(HANDLE process, std::size_t size) {
  if (!process || size == 0) return nullptr;
  return VirtualAllocEx(process, nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void RemoteProcessMemory::Free(HANDLE process, void* address) {
  if (process && address) VirtualFreeEx(process, address, 0, MEM_RELEASE);
}

std::optional<bool> RemoteProcessMemory::IsWow64(HANDLE process) {
  BOOL wow64 = FALSE;
  if (!process || !IsWow64Process(process, &wow64)) return std::nullopt;
  return wow64 != FALSE;
}

}  // namespace quorvane::platform
