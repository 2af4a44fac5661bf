#pragma once
// Memory in the process that owns a window, for window messages whose result
// buffers must lie in the receiver's address space.
//
// Only the Windows NT family exists for this x64 program, so every block is
// VirtualAllocEx memory; the shared file mappings that the 95/98/Me family
// needed have no place here. Nothing is written into the other process from
// here: the toolbar writes its answers there itself.
#include <windows.h>

#include <cstddef>
#include <optional>

#include "text/text.h"

namespace quorvane::platform {

class RemoteProcessMemory {
 public:
  // The process that owns `window`, opened to allocate, free and read
  // memory and to ask its bitness, nothing more; null on failure (a
  // security suite may deny it).
  HANDLE Open(HWND window);
  void Close(HANDLE process);
  // Exactly `size` bytes, or nothing when they cannot all be read.
  std::optional<ByteArray> Read(HANDLE process, const void* address, std::size_t size);
  // Committed read/write memory in `process`; null on failure.
  void* Alloc(HANDLE process, std::size_t size);
  void Free(HANDLE process, void* address);
  // True for a 32-bit process on 64-bit Windows; nothing when unknown.
  std::optional<bool> IsWow64(HANDLE process);
};

}  // namespace quorvane::platform
