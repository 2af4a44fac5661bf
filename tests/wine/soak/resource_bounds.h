#pragma once
// How far a process's resources may rise above a baseline before the rise
// counts as a leak, and the check of one reading against it.
#include <string>
#include <vector>

#include "process_resources.h"

namespace quorvane::soak {

struct ResourceBounds {
  long long handles;
  long long gdiObjects;
  long long userObjects;
  long long threads;
  long long privateBytes;
};

// One line per counter that rose more than its bound above the baseline,
// or that could not be read; empty when every counter is within bounds.
std::vector<std::string> boundsExceeded(const ProcessResources& baseline, const ProcessResources& now,
                                        const ResourceBounds& bounds);

// "handles 212, GDI 61, USER 58, threads 9, private 14.2 MB"
std::string describe(const ProcessResources& resources);
// The same, as the rise over a baseline: "handles +0, GDI +0, ..."
std::string describeRise(const ProcessResources& baseline, const ProcessResources& now);

}  // namespace quorvane::soak
