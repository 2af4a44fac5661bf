#include "resource_bounds.h"

#include <cstdio>

namespace quorvane::soak {
namespace {

struct Counter {
  const char* name;
  long long ProcessResources::*value;
  long long ResourceBounds::*bound;
};

constexpr Counter kCounters[] = {
    {"handles", &ProcessResources::handles, &ResourceBounds::handles},
    {"GDI", &ProcessResources::gdiObjects, &ResourceBounds::gdiObjects},
    {"USER", &ProcessResources::userObjects, &ResourceBounds::userObjects},
    {"threads", &ProcessResources::threads, &ResourceBounds::threads},
    {"private bytes", &ProcessResources::privateBytes, &ResourceBounds::privateBytes},
};

std::string megabytes(long long bytes, bool sign) {
  char text[32];
  std::snprintf(text, sizeof text, sign ? "%+.1f MB" : "%.1f MB", static_cast<double>(bytes) / (1 << 20));
  return text;
}

}  // namespace

std::vector<std::string> boundsExceeded(const ProcessResources& baseline, const ProcessResources& now,
                                        const ResourceBounds& bounds) {
  std::vector<std::string> exceeded;
  for (const Counter& c : kCounters) {
    const long long before = baseline.*c.value, after = now.*c.value, bound = bounds.*c.bound;
    if (before < 0 || after < 0)
      exceeded.push_back(std::string(c.name) + " could not be read");
    else if (after - before > bound)
      exceeded.push_back(std::string(c.name) + " rose from " + std::to_string(before) + " to " +
                         std::to_string(after) + ", more than " + std::to_string(bound));
  }
  return exceeded;
}

std::string describe(const ProcessResources& r) {
  return "handles " + std::to_string(r.handles) + ", GDI " + std::to_string(r.gdiObjects) + ", USER " +
         std::to_string(r.userObjects) + ", threads " + std::to_string(r.threads) + ", private " +
         megabytes(r.privateBytes, false);
}

std::string describeRise(const ProcessResources& baseline, const ProcessResources& now) {
  auto rise = [&](long long ProcessResources::*value) {
    const long long d = now.*value - baseline.*value;
    return (d >= 0 ? "+" : "") + std::to_string(d);
  };
  return "handles " + rise(&ProcessResources::handles) + ", GDI " + rise(&ProcessResources::gdiObjects) +
         ", USER " + rise(&ProcessResources::userObjects) + ", threads " + rise(&ProcessResources::threads) +
         ", private " + megabytes(now.privateBytes - baseline.privateBytes, true);
}

}  // namespace quorvane::soak
