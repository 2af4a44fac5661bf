// Quorvane.exe filling its grid from a real search: 10 000 shops of the
// substitute marketplace (500 result pages of 20), fetched, matched and
// shown while this process keeps sending WM_NULL to the main window and
// times each round trip. The same round trips with the window idle, before
// the search and after it, are the baseline. Also the program's memory just
// after start and with every row filled.
//
// Run beside the marketplace, with a shop file that gives the keyword and
// province below 10 000 shops (scripts/bench.sh does both):
//   tests/services/with-marketplace.sh --shops SHOPS -- scripts/wine-run search_fill_benchmark.exe [seconds [BASELINE]]
// BASELINE is another build of Quorvane.exe (a Windows path), searched the
// same way after this tree's, for figures of both builds from one run.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ui_driver.h"

using namespace quorvane;

namespace {

const char kKeyword[] = "benchfill";
const char kZhejiang[] = "\xD5\xE3\xBD\xAD";           // 浙江
const char kSearchCaption[] = "\xCB\xD1\xCB\xF7";      // 搜索
const char kFullCount[] = "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "10000/\xCC\xF5";  // 项目数：10000/条
constexpr int kRows = 10000;

double now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct RoundTrips {
  std::vector<double> milliseconds;
  int timedOut = 0;

  // One WM_NULL through the window's message queue and back.
  void sample(HWND window) {
    const double start = now();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) ++timedOut;
    milliseconds.push_back((now() - start) * 1e3);
  }
  double quantile(double q) const {
    std::vector<double> sorted = milliseconds;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.empty()) return 0;
    return sorted[std::min(sorted.size() - 1, static_cast<size_t>(q * static_cast<double>(sorted.size())))];
  }
  double maximum() const {
    return milliseconds.empty() ? 0 : *std::max_element(milliseconds.begin(), milliseconds.end());
  }
};

// A short pause between samples, so the sender does not take the processor
// the program under measurement needs.
constexpr DWORD kGapMs = 1;

RoundTrips sampleIdle(HWND window, double seconds) {
  RoundTrips trips;
  const double end = now() + seconds;
  while (now() < end) {
    trips.sample(window);
    Sleep(kGapMs);
  }
  return trips;
}

struct Memory {
  SIZE_T workingSet = 0, peakWorkingSet = 0, privateBytes = 0;
};

Memory memoryOf(DWORD processId) {
  Memory memory;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return memory;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
    memory.workingSet = counters.WorkingSetSize;
    memory.peakWorkingSet = counters.PeakWorkingSetSize;
    // Windows reports the private commit in both; Wine 8 only in the older field.
    memory.privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  }
  CloseHandle(process);
  return memory;
}

double mb(SIZE_T bytes) { return static_cast<double>(bytes) / (1 << 20); }

void printTrips(const char* title, const RoundTrips& trips, const RoundTrips& baseline) {
  std::printf("  %-32s %6zu samples  median %7.3f ms  p99 %7.3f ms  max %8.3f ms", title, trips.milliseconds.size(),
              trips.quantile(0.5), trips.quantile(0.99), trips.maximum());
  if (&trips != &baseline)
    std::printf("  (x%.1f / x%.1f / x%.1f)", trips.quantile(0.5) / baseline.quantile(0.5),
                trips.quantile(0.99) / baseline.quantile(0.99), trips.maximum() / baseline.maximum());
  if (trips.timedOut) std::printf("  %d timed out", trips.timedOut);
  std::printf("\n");
}

void printMemory(const char* title, const Memory& memory, const Memory* before) {
  std::printf("  %-32s working set %7.1f MB  peak %7.1f MB  private %7.1f MB", title, mb(memory.workingSet),
              mb(memory.peakWorkingSet), mb(memory.privateBytes));
  if (before && before->workingSet && before->privateBytes)
    std::printf("  (+%.1f MB / +%.1f MB)", mb(memory.workingSet) - mb(before->workingSet),
                mb(memory.privateBytes) - mb(before->privateBytes));
  std::printf("\n");
}

// One search of 10 000 rows by `program` (this tree's when empty), timed
// and measured from start to the last row.
struct Fill {
  bool ran = false, finished = false, full = false, lastRowShown = false;
  double seconds = 0;
  int rows = 0;
  std::string count;
  RoundTrips idle, filling, idleFilled;
  Memory started, filled;
};

Fill fill(const std::wstring& program, double limitSeconds) {
  Fill result;
  ui::LaunchOptions options;
  options.program = program;
  auto app = ui::App::launch(options);
  if (!app) {
    std::fprintf(stderr, "Quorvane.exe did not start\n");
    return result;
  }
  HWND window = app->mainWindow();
  HWND header = ui::controlAt(window, L"Button", -4, 1);
  HWND keywordBox = ui::keywordBox(window);
  HWND credit = ui::controlAt(header, L"ComboBox", 92, 20);
  HWND searchButton = ui::findControl(window, L"Button", ui::fromLocal(kSearchCaption));
  HWND province = ui::findControl(window, L"Button", ui::fromLocal(kZhejiang));
  HWND countLabel = ui::controlAt(window, L"Static", 444, 660);
  if (!keywordBox || !credit || !searchButton || !province || !countLabel) {
    std::fprintf(stderr, "controls of the main window not found\n");
    return result;
  }
  result.ran = true;

  result.started = memoryOf(app->processId());
  Sleep(1000);  // the start's last paints and Wine's own start-up work
  result.idle = sampleIdle(window, 3.0);

  ui::click(province);
  ui::typeText(keywordBox, ui::fromLocal(kKeyword));
  SendMessageW(credit, CB_SETCURSEL, 0, 0);
  ui::click(searchButton);

  // The search runs while 搜索 is disabled; the style is read without a
  // message to the window's thread.
  const double begin = now();
  ui::waitUntil([&] { return !IsWindowEnabled(searchButton); }, 10000);
  while (now() - begin < limitSeconds) {
    result.filling.sample(window);
    if (IsWindowEnabled(searchButton)) {
      result.finished = true;
      break;
    }
    Sleep(kGapMs);
  }
  result.seconds = now() - begin;
  const std::wstring count = ui::text(countLabel);
  char countUtf8[128] = {};
  WideCharToMultiByte(CP_UTF8, 0, count.c_str(), -1, countUtf8, sizeof countUtf8 - 1, nullptr, nullptr);
  result.count = countUtf8;
  result.full = count == ui::fromLocal(kFullCount);
  for (wchar_t c : count)  // the number in "项目数：n/条"
    if (c >= L'0' && c <= L'9') result.rows = result.rows * 10 + (c - L'0');
  result.filled = memoryOf(app->processId());
  result.idleFilled = sampleIdle(window, 3.0);

  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  result.lastRowShown = !grid.cell(kRows, 2).empty();
  return result;
}

void printFill(const char* build, const Fill& result) {
  std::printf("%s: search filling the grid: %d shops, 500 pages of 20, %s\n", build, kRows,
              result.finished ? "search ended" : "STOPPED AT THE TIME LIMIT");
  std::printf("  fill time %.1f s (%.0f rows/s), count label \"%s\", row %d %s\n", result.seconds,
              result.rows / result.seconds, result.count.c_str(), kRows, result.lastRowShown ? "filled" : "EMPTY");
  std::printf("WM_NULL round trips to the main window (SendMessageTimeout, %lu ms apart):\n",
              static_cast<unsigned long>(kGapMs));
  printTrips("idle, just after start", result.idle, result.idle);
  printTrips("while the search fills the grid", result.filling, result.idle);
  printTrips("idle, 10000 rows filled", result.idleFilled, result.idle);
  std::printf("memory of Quorvane.exe (GetProcessMemoryInfo):\n");
  printMemory("just after start", result.started, nullptr);
  printMemory("10000 rows filled", result.filled, &result.started);
  if (result.rows > 0)
    std::printf("  private bytes per row: %.0f\n",
                (static_cast<double>(result.filled.privateBytes) - static_cast<double>(result.started.privateBytes)) /
                    result.rows);
}

}  // namespace

// [seconds] [baseline Quorvane.exe, measured after this build's, in the same run]
int main(int argc, char** argv) {
  const double limitSeconds = argc > 1 ? std::atof(argv[1]) : 170;
  if (!std::getenv("QUORVANE_SEARCH_HOST")) {
    std::fprintf(stderr, "run beside the marketplace: tests/services/with-marketplace.sh --shops FILE -- ...\n");
    return 2;
  }
  const Fill ours = fill(L"", limitSeconds);
  if (!ours.ran) return 1;
  printFill("this build", ours);
  if (argc > 2 && argv[2][0] != '\0') {
    std::wstring baseline(argv[2], argv[2] + std::strlen(argv[2]));
    const Fill before = fill(baseline, limitSeconds);
    if (before.ran) printFill("baseline", before);
  }
  return ours.finished && ours.full && ours.lastRowShown ? 0 : 1;
}
