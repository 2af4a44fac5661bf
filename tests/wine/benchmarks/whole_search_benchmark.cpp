// A whole search of Quorvane.exe against the substitute marketplace, set
// against a minimal WinInet client that makes the same requests in the same
// order (fresh handles per request, the same flags and header text, 1 KB
// reads, nothing done with the answers): the floor any program that asks
// the same questions through WinInet stands on. The program's own web
// engine makes the same requests too, alone, so its share shows; each
// replay runs in a fresh process of its own, as the program does. All talk
// to the same marketplace, which notes when each request arrives; the gap
// from one request's arrival to the next is that request's whole cost to
// its client, so the gaps after result pages and after presence requests
// give the cost of each kind.
//
// Run beside the marketplace with a shop file in which the keyword below
// finds its shops in 浙江 (scripts/bench.sh does all of it):
//   python3 tests/wine/benchmarks/bulk_shops.py SHOPS 2000 benchsearch
//   tests/services/with-marketplace.sh --shops SHOPS --no-delay --arrival-log LOG -- \
//       scripts/wine-run whole_search_benchmark.exe LOG [BASELINE_QUORVANE_EXE|- [ROUNDS]]
// With a baseline exe (another build of the program, e.g. main's; "-" for
// none), its search is measured the same way and shown beside. Each figure
// is the median of ROUNDS rounds (5 by default).
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ui_driver.h"
#include "web/web_client.h"

using namespace quorvane;

namespace {

const char kKeyword[] = "benchsearch";
const char kZhejiang[] = "\xD5\xE3\xBD\xAD";       // 浙江
const char kSearchCaption[] = "\xCB\xD1\xCB\xF7";  // 搜索
const char kAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; Korv; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
    ".NET CLR 3.5.21022)";
constexpr double kSearchLimitSeconds = 600;

double now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// ---- the marketplace's arrival log: "<seconds> <request line>" per request

struct Arrival {
  double seconds;
  std::string path;  // from the request line
};

std::vector<Arrival> readArrivals(const std::string& logPath) {
  std::vector<Arrival> arrivals;
  std::ifstream log(logPath, std::ios::binary);
  std::string line;
  while (std::getline(log, line)) {
    std::istringstream fields(line);
    Arrival arrival;
    std::string method, version;
    if (fields >> arrival.seconds >> method >> arrival.path) arrivals.push_back(arrival);
  }
  return arrivals;
}

enum class Kind { Probe, Page, Presence };

Kind kindOf(std::string_view path) {
  if (!path.starts_with("/search")) return Kind::Presence;
  return path.find("&s=") == std::string_view::npos ? Kind::Probe : Kind::Page;
}

// Mean gap after each kind of request, the last request left out (nothing
// follows it to time it by).
struct Gaps {
  double page = 0, presence = 0;
  int pages = 0, presences = 0;
};

Gaps gapsOf(const std::vector<Arrival>& run) {
  Gaps gaps;
  double pageSum = 0, presenceSum = 0;
  for (size_t i = 0; i + 1 < run.size(); ++i) {
    const double gap = run[i + 1].seconds - run[i].seconds;
    switch (kindOf(run[i].path)) {
      case Kind::Page: pageSum += gap, ++gaps.pages; break;
      case Kind::Presence: presenceSum += gap, ++gaps.presences; break;
      case Kind::Probe: break;
    }
  }
  gaps.page = gaps.pages ? pageSum / gaps.pages : 0;
  gaps.presence = gaps.presences ? presenceSum / gaps.presences : 0;
  return gaps;
}

// ---- the program's search

struct Run {
  double seconds = 0;
  std::vector<Arrival> arrivals;
  bool complete = false;
};

Run programSearch(const std::string& logPath, const std::wstring& program) {
  Run run;
  ui::LaunchOptions options;
  options.program = program;
  auto app = ui::App::launch(options);
  if (!app) return run;
  HWND window = app->mainWindow();
  HWND header = ui::controlAt(window, L"Button", -4, 1);
  HWND keywordBox = ui::keywordBox(window);
  HWND credit = ui::controlAt(header, L"ComboBox", 92, 20);
  HWND searchButton = ui::findControl(window, L"Button", ui::fromLocal(kSearchCaption));
  HWND province = ui::findControl(window, L"Button", ui::fromLocal(kZhejiang));
  if (!keywordBox || !credit || !searchButton || !province) return run;
  Sleep(1000);  // the start's last paints and Wine's own start-up work
  ui::click(province);
  ui::typeText(keywordBox, ui::fromLocal(kKeyword));
  SendMessageW(credit, CB_SETCURSEL, 0, 0);

  const size_t before = readArrivals(logPath).size();
  const double begin = now();
  ui::click(searchButton);
  // 搜索 is disabled while the search runs; its style is read without a
  // message to the window's thread.
  ui::waitUntil([&] { return !IsWindowEnabled(searchButton); }, 10000);
  while (now() - begin < kSearchLimitSeconds && !IsWindowEnabled(searchButton)) Sleep(1);
  run.seconds = now() - begin;
  run.complete = IsWindowEnabled(searchButton) != FALSE;
  const std::vector<Arrival> all = readArrivals(logPath);
  run.arrivals.assign(all.begin() + static_cast<long>(before), all.end());
  return run;
}

// ---- the minimal client

class Handle {
 public:
  explicit Handle(HINTERNET handle) : handle_(handle) {}
  ~Handle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

// "host" or "host:port" into its parts.
void splitHost(const std::string& hostAndPort, std::string& host, INTERNET_PORT& port) {
  const size_t colon = hostAndPort.rfind(':');
  host = hostAndPort.substr(0, colon);
  if (colon != std::string::npos) port = static_cast<INTERNET_PORT>(std::atoi(hostAndPort.c_str() + colon + 1));
}

// One GET as the program sends it; the body's size, or -1 when it failed.
long long minimalGet(const std::string& hostAndPort, bool secure, const std::string& path) {
  std::string host;
  INTERNET_PORT port = secure ? 443 : 80;
  splitHost(hostAndPort, host, port);
  const std::string url = (secure ? "https://" : "http://") + hostAndPort + path;
  const std::string headers = "Referer: " + url +
                              "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
                              "application/x-www-form-urlencoded";
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE | INTERNET_FLAG_NO_COOKIES |
                      (secure ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);
  Handle root(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  if (!root) return -1;
  Handle connection(InternetConnectA(root.get(), host.c_str(), port, "", "", INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return -1;
  Handle request(HttpOpenRequestA(connection.get(), "GET", path.c_str(), "HTTP/1.1", nullptr, nullptr, flags, 0));
  if (!request) return -1;
  if (!HttpSendRequestA(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0)) return -1;
  long long size = 0;
  for (;;) {
    char chunk[1024];
    DWORD count = 0;
    if (!InternetReadFile(request.get(), chunk, sizeof chunk, &count)) return -1;
    if (count == 0) break;
    size += count;
  }
  return size;
}

// ---- the replays, each in a fresh process of its own as the program's
// search is, so that every client starts from the same state of Wine

enum class Client { Minimal, Engine };

// One request as the given client makes it; false when it failed.
using Get = std::function<bool(const std::string& host, bool secure, const std::string& path)>;

Get clientGet(Client client, WebClient& web) {
  if (client == Client::Minimal)
    return [](const std::string& host, bool secure, const std::string& path) {
      return minimalGet(host, secure, path) >= 0;
    };
  // The program's own engine, one client for the whole run as for a
  // search, the bodies left as bytes.
  return [&web](const std::string& host, bool secure, const std::string& path) {
    return !web.webFetch({.url = (secure ? "https://" : "http://") + host + path}).empty();
  };
}

// In the child: makes the listed requests in order and writes how long they
// took and whether all succeeded to LIST.result.
int replayHere(Client client, const std::string& listPath) {
  std::ifstream list(listPath, std::ios::binary);
  std::vector<std::string> paths;
  for (std::string path; std::getline(list, path);) paths.push_back(path);
  const std::string searchHost = std::getenv("QUORVANE_SEARCH_HOST");
  const std::string presenceHost = std::getenv("QUORVANE_PRESENCE_HOST");
  WebClient web;
  const Get get = clientGet(client, web);
  bool complete = true;
  const double begin = now();
  for (const std::string& path : paths) {
    const bool search = kindOf(path) != Kind::Presence;
    complete = get(search ? searchHost : presenceHost, search, path) && complete;
  }
  std::ofstream(listPath + ".result") << (now() - begin) << " " << complete << "\n";
  return 0;
}

Run replay(const std::string& logPath, const std::vector<Arrival>& requests, Client client) {
  Run run;
  const std::string listPath = logPath + ".requests";
  {
    std::ofstream list(listPath, std::ios::binary);
    for (const Arrival& request : requests) list << request.path << "\n";
  }
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" --replay " +
                        (client == Client::Minimal ? "minimal" : "engine") + " \"" + listPath + "\"";
  const size_t before = readArrivals(logPath).size();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return run;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::ifstream(listPath + ".result") >> run.seconds >> run.complete;
  const std::vector<Arrival> all = readArrivals(logPath);
  run.arrivals.assign(all.begin() + static_cast<long>(before), all.end());
  return run;
}

// ---- the figures

size_t countOf(const std::vector<Arrival>& run, Kind kind) {
  size_t count = 0;
  for (const Arrival& arrival : run) count += kindOf(arrival.path) == kind;
  return count;
}

// One kind of cost, measured once per round.
struct Figures {
  std::vector<double> whole, page, presence;
  bool complete = true;
  size_t requests = 0, pages = 0, presences = 0;

  void add(const Run& run) {
    const Gaps gaps = gapsOf(run.arrivals);
    whole.push_back(run.seconds);
    page.push_back(gaps.page);
    presence.push_back(gaps.presence);
    complete = complete && run.complete;
    requests = run.arrivals.size();
    pages = countOf(run.arrivals, Kind::Page);
    presences = countOf(run.arrivals, Kind::Presence);
  }
};

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One line: the program, its engine when measured, the minimal client, and
// the ratios to the minimal client.
void printRow(const char* what, const std::vector<double>& program, const std::vector<double>* engine,
              const std::vector<double>& floor, const char* unit, double scale) {
  const double p = median(program), f = median(floor);
  std::printf("  %-22s %9.2f %s", what, p * scale, unit);
  if (engine)
    std::printf(" %9.2f %s", median(*engine) * scale, unit);
  else
    std::printf(" %12s", "-");
  std::printf(" %9.2f %s   %5.2fx", f * scale, unit, f > 0 ? p / f : 0.0);
  if (engine && f > 0) std::printf("   %5.2fx", median(*engine) / f);
  std::printf("\n");
}

void printComparison(const std::string& title, const Figures& program, const Figures* engine, const Figures& floor) {
  std::printf("%s: %zu requests (%zu result pages, %zu presence requests), median of %zu rounds%s\n", title.c_str(),
              program.requests, program.pages, program.presences, program.whole.size(),
              program.complete && (!engine || engine->complete) && floor.complete ? "" : "  INCOMPLETE RUN");
  std::printf("  %-22s %12s %12s %12s   %s   %s\n", "", "program", "its engine", "minimal", "program/min",
              "engine/min");
  printRow("whole search", program.whole, engine ? &engine->whole : nullptr, floor.whole, "s ", 1);
  printRow("per result page", program.page, engine ? &engine->page : nullptr, floor.page, "ms", 1000);
  printRow("per presence request", program.presence, engine ? &engine->presence : nullptr, floor.presence, "ms",
           1000);
}

std::wstring wide(const char* text) {
  std::wstring result;
  for (const char* c = text; *c; ++c) result.push_back(static_cast<unsigned char>(*c));
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::getenv("QUORVANE_SEARCH_HOST") || !std::getenv("QUORVANE_PRESENCE_HOST")) {
    std::fprintf(stderr,
                 "usage: with-marketplace.sh --shops SHOPS --no-delay --arrival-log LOG -- "
                 "whole_search_benchmark.exe LOG [BASELINE_QUORVANE_EXE|- [ROUNDS]]\n");
    return 2;
  }
  if (argc == 4 && std::string(argv[1]) == "--replay")
    return replayHere(std::string(argv[2]) == "minimal" ? Client::Minimal : Client::Engine, argv[3]);
  const std::string logPath = std::string("Z:") + argv[1];
  const std::wstring baseline = argc > 2 && std::string(argv[2]) != "-" ? wide(argv[2]) : L"";
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  // The runs alternate, so a machine whose load changes weighs on each alike.
  Figures program, engine, floor, baselineProgram, baselineFloor;
  for (int round = 0; round < rounds; ++round) {
    const Run search = programSearch(logPath, L"");
    if (search.arrivals.empty()) {
      std::fprintf(stderr, "the program's search made no request\n");
      return 1;
    }
    program.add(search);
    engine.add(replay(logPath, search.arrivals, Client::Engine));
    floor.add(replay(logPath, search.arrivals, Client::Minimal));
    if (baseline.empty()) continue;
    const Run baselineSearch = programSearch(logPath, baseline);
    baselineProgram.add(baselineSearch);
    baselineFloor.add(replay(logPath, baselineSearch.arrivals, Client::Minimal));
  }
  printComparison("Quorvane.exe of this tree", program, &engine, floor);
  if (!baseline.empty()) {
    std::printf("\n");
    printComparison("baseline " + std::string(argv[2]), baselineProgram, nullptr, baselineFloor);
  }
  return program.complete && engine.complete && floor.complete ? 0 : 1;
}
