#include "web/request_flags.h"

#include "web/url_parts.h"

namespace quorvane {
namespace {

constexpr std::uint32_t kReload = 0x80000000;
constexpr std::uint32_t kNeedFile = 0x10;
constexpr std::uint32_t kNoCookies = 0x80000;
constexpr std::uint32_t kNoAutoRedirect = 0x200000;
constexpr std::uint32_t kSecure = 0x800000;
constexpr std::uint32_t kIgnoreRedirectToHttps = 0x4000;

}  // namespace

std::uint32_t requestFlags(std::string_view url, bool noRedirect) {
  std::uint32_t flags = kReload | kNeedFile | kNoCookies;
  if (noRedirect) flags |= kNoAutoRedirect;
  flags |= isHttpsUrl(url) ? kSecure : kIgnoreRedirectToHttps;
  return flags;
}

}  // namespace quorvane
