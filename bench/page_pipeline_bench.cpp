// The search worker's work on each result page, as it does it: the body
// read as local text (utf8ToLocal) and the shops cut out of it (shops() of
// a reader kept for the whole search), over pages of different sizes taken
// in turn, as a search fetches them. Each variant runs alone in a process of
// its own, so no variant inherits another's heap; page faults are counted
// beside the times. Baselines in the same run: a literal-scan floor (memmem
// of each field's left literal, then its right one, the capture copied out,
// and the "seller-rank" count) and iconv's UTF-8 to CP936 conversion into a
// kept buffer.
//
//   page_pipeline_bench [--baseline OTHER_BUILD_OF_THIS_PROGRAM]
//
// The same source builds against a tree from before the field patterns
// were compiled once (scripts/page-pipeline-baseline.sh does that), and
// --baseline runs that build's variants beside these.
#include <iconv.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "literal_floor.h"
#include "run_timing.h"
#include "search/shop_page_reader.h"
#include "search_result_page.h"
#if __has_include("search/shop_page_patterns.h")
#define PAGE_BUFFERS_KEPT 1
#include "text/encodings.h"
#else
#include "web/encodings.h"
#endif

namespace {

// Sizes in KB of the pages a search fetches in turn; the real service's
// pages run from about 200 to 450 KB.
constexpr size_t kPageKilobytes[] = {212, 338, 261, 424, 297, 189, 383, 276};

struct Pages {
  std::vector<std::string> local;  // as the reader gets them
  std::vector<std::string> utf8;   // as the service sends them
};

Pages makePages() {
  Pages pages;
  const std::vector<quorvane::fixtures::PageShop> shops = quorvane::fixtures::sampleShops(20);
  int totalPages = 31;
  for (size_t kilobytes : kPageKilobytes) {
    pages.local.push_back(quorvane::fixtures::resultPage(shops, totalPages++, kilobytes * 1024));
    pages.utf8.push_back(quorvane::localToUtf8(pages.local.back()));
  }
  return pages;
}

// The field literals of the six field patterns, as they stand in the page.
const std::pair<std::string_view, std::string_view> kFieldLiterals[] = {
    {R"("rawTitle":")", R"(",)"}, {R"("nick":")", R"(","provcity")"}, {R"("procnt":)", R"(,")"},
    {R"(,"totalsold":)", R"(,")"}, {R"(rank seller-rank-)", R"(",)"}, {R"(ind\":\")", R"(\)"},
};

// The floor of shops(): the six fields' literal scans and the rank count.
size_t floorOf(const std::string& page) {
  size_t captures = literalScanFloor(page, kFieldLiterals);
  constexpr std::string_view kRank = "seller-rank";
  const char* const end = page.data() + page.size();
  for (const char* at = page.data();
       (at = static_cast<const char*>(memmem(at, end - at, kRank.data(), kRank.size()))); at += kRank.size())
    ++captures;
  return captures;
}

class Iconv {
 public:
  Iconv() : handle_(iconv_open("CP936", "UTF-8")) {}
  ~Iconv() { iconv_close(handle_); }
  size_t convert(const std::string& utf8) {
    out_.resize(2 * utf8.size());
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = out_.data();
    size_t outLeft = out_.size();
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    iconv(handle_, &in, &inLeft, &out, &outLeft);
    return out_.size() - outLeft;
  }

 private:
  iconv_t handle_;
  std::string out_;  // kept from one page to the next
};

size_t countOf(const std::vector<quorvane::ShopFields>& shops) {
  size_t captures = 0;
  for (const quorvane::ShopFields& shop : shops) captures += shop.name.size() + shop.category.size() + 2;
  return captures;
}

long minorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// One variant, alone in this process: seconds and page faults per page.
int runVariant(const std::string& variant) {
  const Pages pages = makePages();
  const size_t count = pages.local.size();
  quorvane::ShopPageReader reader;
  Iconv iconv;
#ifdef PAGE_BUFFERS_KEPT
  std::string page;  // the worker's page and its UTF-16 form, kept for the whole search
  quorvane::Utf16Text units;
#endif
  size_t turn = 0;
  const auto work = [&]() -> size_t {
    const size_t at = turn++ % count;
    if (variant == "floor") return floorOf(pages.local[at]);
    if (variant == "iconv") return iconv.convert(pages.utf8[at]);
    if (variant == "shops") return countOf(reader.shops(pages.local[at]));
#ifdef PAGE_BUFFERS_KEPT
    quorvane::utf8ToLocal(pages.utf8[at], page, units);
    return countOf(reader.shops(page));
#else
    return countOf(reader.shops(quorvane::utf8ToLocal(pages.utf8[at])));
#endif
  };
  size_t result = 0;
  timePerRun(work, 0.3, result);  // warm up: the first pages fault in whatever a search keeps
  turn = 0;
  const long faultsBefore = minorFaults();
  const double seconds = timePerRun(work, 1.5, result);
  const double faultsPerPage = static_cast<double>(minorFaults() - faultsBefore) / static_cast<double>(turn);
  std::printf("%.9f %.2f %zu\n", seconds, faultsPerPage, result);
  return 0;
}

struct Figures {
  double seconds = 0;
  double faults = 0;
  bool ok = false;
};

// Runs `program --variant NAME` and reads its one line.
Figures measure(const std::string& program, const char* variant) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    execl(program.c_str(), program.c_str(), "--variant", variant, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  char line[256] = {};
  FILE* out = fdopen(pipeEnds[0], "r");
  const bool read = out && std::fgets(line, sizeof line, out);
  if (out) std::fclose(out);
  int status = 0;
  waitpid(child, &status, 0);
  Figures figures;
  figures.ok = read && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
               std::sscanf(line, "%lf %lf", &figures.seconds, &figures.faults) == 2;
  return figures;
}

void printRow(const char* title, const Figures& figures) {
  if (!figures.ok) {
    std::printf("  %-44s did not run\n", title);
    return;
  }
  std::printf("  %-44s %7.3f ms per page, %7.1f page faults per page\n", title, figures.seconds * 1e3, figures.faults);
}

std::string selfPath(const char* argv0) {
  char path[4096] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string(argv0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--variant") return runVariant(argv[2]);
  const std::string self = selfPath(argv[0]);
  const std::string baseline = argc == 3 && std::string(argv[1]) == "--baseline" ? argv[2] : "";

  size_t total = 0;
  for (size_t kilobytes : kPageKilobytes) total += kilobytes;
  std::printf("the worker's page job over %zu result pages of %zu to %zu KB in turn (%zu KB on average), 20 shops each;\n"
              "each variant alone in its process:\n",
              std::size(kPageKilobytes), *std::min_element(std::begin(kPageKilobytes), std::end(kPageKilobytes)),
              *std::max_element(std::begin(kPageKilobytes), std::end(kPageKilobytes)),
              total / std::size(kPageKilobytes));
  const Figures floor = measure(self, "floor");
  const Figures iconv = measure(self, "iconv");
  const Figures shops = measure(self, "shops");
  const Figures job = measure(self, "job");
  printRow("literal-scan floor (memmem)", floor);
  printRow("iconv UTF-8 -> CP936, kept buffer", iconv);
  printRow("shops() (this build)", shops);
  printRow("utf8ToLocal + shops() (this build)", job);
  Figures oldShops, oldJob;
  if (!baseline.empty()) {
    oldShops = measure(baseline, "shops");
    oldJob = measure(baseline, "job");
    printRow("shops() (baseline build)", oldShops);
    printRow("utf8ToLocal + shops() (baseline build)", oldJob);
  }
  if (!floor.ok || !iconv.ok || !shops.ok || !job.ok) return 1;
  std::printf("  shops() / floor: %.2fx (goal: at most 2x)", shops.seconds / floor.seconds);
  if (oldShops.ok) std::printf("; baseline %.2fx", oldShops.seconds / floor.seconds);
  std::printf("\n  (utf8ToLocal + shops()) / (iconv + floor): %.2fx (goal: at most 2x)",
              job.seconds / (iconv.seconds + floor.seconds));
  if (oldJob.ok) std::printf("; baseline %.2fx", oldJob.seconds / (iconv.seconds + floor.seconds));
  std::printf("\n");
  return 0;
}
