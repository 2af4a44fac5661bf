#include "app/layout_passes.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

TEST(LayoutPasses, APassAskedForDuringAPassRunsAfterItInsteadOfInsideIt) {
  LayoutPasses passes;
  std::vector<int> seen;  // the size each pass laid out for
  int size = 1;
  int depth = 0, deepest = 0;
  auto layOut = [&](auto& self) -> void {
    passes.run([&] {
      deepest = std::max(deepest, ++depth);
      seen.push_back(size);
      if (size == 1) {  // moving the controls sizes the window again
        size = 2;
        self(self);
      }
      --depth;
    });
  };
  layOut(layOut);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(seen, (std::vector<int>{1, 2})) << "the last pass sees the last size";
}

TEST(LayoutPasses, OnePassWhenNothingAsksForAnother) {
  LayoutPasses passes;
  int runs = 0;
  passes.run([&] { ++runs; });
  passes.run([&] { ++runs; });
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace quorvane
