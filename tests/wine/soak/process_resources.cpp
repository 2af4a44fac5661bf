#include "process_resources.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstddef>
#include <vector>

namespace quorvane::soak {
namespace {

// ---- kernel handles ----

// One entry of the system's handle list (SystemHandleInformation, 16).
struct SystemHandleEntry {
  USHORT processId;
  USHORT creatorBackTraceIndex;
  UCHAR objectTypeIndex;
  UCHAR attributes;
  USHORT value;
  void* object;
  ULONG grantedAccess;
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

long long handlesInSystemList(DWORD processId) {
  std::vector<std::byte> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    NTSTATUS status =
        NtQuerySystemInformation(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch && buffer.size() < (256u << 20)) {
      buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status < 0) return -1;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
    long long own = 0;
    for (ULONG i = 0; i < count; ++i)
      if (entries[i].processId == static_cast<USHORT>(processId)) ++own;
    return own;
  }
}

long long handleCount(HANDLE process, DWORD processId, std::string& source) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count > 0) {
    source = "GetProcessHandleCount";
    return count;
  }
  source = "the system's handle list (GetProcessHandleCount answered 0)";
  return handlesInSystemList(processId);
}

// ---- GDI objects ----

// The process's GDI handle table, which both Windows and Wine publish in the
// process environment block; an entry whose type is not 0 is in use.
struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;
constexpr size_t kPebGdiSharedHandleTable = 0xF8;  // offset in the 64-bit PEB

template <class T>
bool readRemote(HANDLE process, const void* address, T& value) {
  SIZE_T got = 0;
  return ReadProcessMemory(process, address, &value, sizeof value, &got) && got == sizeof value;
}

long long gdiObjectsInHandleTable(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) < 0) return -1;
  const auto* peb = static_cast<const std::byte*>(static_cast<const void*>(basic.PebBaseAddress));
  const void* table = nullptr;
  if (!readRemote(process, peb + kPebGdiSharedHandleTable, table) || !table) return -1;
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  SIZE_T got = 0;
  if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry), &got)) return -1;
  long long used = 0;
  for (size_t i = 0; i < got / sizeof(GdiHandleEntry); ++i)
    if (entries[i].type != 0) ++used;
  return used;
}

long long gdiObjectCount(HANDLE process, std::string& source) {
  if (DWORD count = GetGuiResources(process, GR_GDIOBJECTS)) {
    source = "GetGuiResources(GR_GDIOBJECTS)";
    return count;
  }
  source = "the process's GDI handle table (GetGuiResources answered 0)";
  return gdiObjectsInHandleTable(process);
}

// ---- USER objects ----

struct WindowCount {
  DWORD processId;
  long long windows = 0;
};

BOOL CALLBACK countChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->windows;
  return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM data) {
  auto& count = *reinterpret_cast<WindowCount*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != count.processId) return TRUE;
  ++count.windows;
  EnumChildWindows(window, countChild, data);
  return TRUE;
}

// Every window of the process, shown or hidden, with all their children,
// and its message-only windows.
long long windowsOf(DWORD processId) {
  WindowCount count{processId};
  EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    countTopLevel(w, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

long long userObjectCount(HANDLE process, DWORD processId, std::string& source) {
  if (DWORD count = GetGuiResources(process, GR_USEROBJECTS)) {
    source = "GetGuiResources(GR_USEROBJECTS)";
    return count;
  }
  source = "the process's windows (GetGuiResources answered 0; menus, icons and cursors are not counted)";
  return windowsOf(processId);
}

// ---- threads and memory ----

long long threadCount(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  long long threads = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == processId) ++threads;
  CloseHandle(snapshot);
  return threads;
}

long long privateBytes(HANDLE process, std::string& source) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    return -1;
  // Windows reports the private commit in both fields; Wine 8 only in the older one.
  if (counters.PrivateUsage) {
    source = "GetProcessMemoryInfo PrivateUsage";
    return static_cast<long long>(counters.PrivateUsage);
  }
  source = "GetProcessMemoryInfo PagefileUsage (PrivateUsage was 0)";
  return static_cast<long long>(counters.PagefileUsage);
}

}  // namespace

std::optional<ProcessResources> readProcessResources(DWORD processId, ResourceSources* sources) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return std::nullopt;
  ResourceSources own;
  ProcessResources r;
  r.handles = handleCount(process, processId, own.handles);
  r.gdiObjects = gdiObjectCount(process, own.gdiObjects);
  r.userObjects = userObjectCount(process, processId, own.userObjects);
  r.threads = threadCount(processId);
  own.threads = "a Toolhelp thread snapshot";
  r.privateBytes = privateBytes(process, own.privateBytes);
  DWORD exitCode = 0;
  const bool alive = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
  CloseHandle(process);
  if (!alive) return std::nullopt;
  if (sources) *sources = own;
  return r;
}

}  // namespace quorvane::soak
