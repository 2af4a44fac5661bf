// Input: [jar length][jar][received cookies], merged as a response's cookies
// are folded into the caller's jar.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "web/cookie_jar.h"

using namespace quorvane;

namespace {

// "; " between pieces and nowhere else, and no piece empty or deleted.
bool isCleanJar(std::string_view jar) {
  if (jar.empty()) return true;
  size_t start = 0;
  while (true) {
    const size_t end = jar.find("; ", start);
    const std::string_view piece = jar.substr(start, end == std::string_view::npos ? end : end - start);
    if (piece.empty() || piece.find_first_of("; ") != std::string_view::npos) return false;
    if (piece.ends_with("=deleted")) return false;
    if (end == std::string_view::npos) return true;
    start = end + 2;
  }
}

bool namesAreUnique(std::string_view jar) {
  std::vector<LocalText> names;
  for (size_t start = 0; start < jar.size();) {
    size_t end = jar.find("; ", start);
    if (end == std::string_view::npos) end = jar.size();
    const LocalText name = cookieName(jar.substr(start, end - start));
    if (std::find(names.begin(), names.end(), name) != names.end()) return false;
    names.push_back(name);
    start = end + 2;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t jarLength = std::min<size_t>(data[0], rest.size());
  LocalText cookies(rest.substr(0, jarLength));
  LocalText received(rest.substr(jarLength));

  const LocalText merged = mergeCookies(cookies, received);
  FUZZ_CHECK(merged == cookies);
  FUZZ_CHECK(received.find(' ') == LocalText::npos);
  FUZZ_CHECK(isCleanJar(merged));

  // Folding in nothing leaves a jar as it is. (A response that sets one name
  // twice leaves both pieces in the jar, and a later merge keeps only the
  // first of them, so that case is left out.)
  if (namesAreUnique(merged)) {
    LocalText again = merged, nothing;
    FUZZ_CHECK(mergeCookies(again, nothing) == merged);
  }
  return 0;
}
