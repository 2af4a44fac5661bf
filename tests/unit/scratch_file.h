#pragma once

#include <gtest/gtest.h>

#include <string>

namespace quorvane {

// CTest runs every test case as its own process, side by side; a fixed file
// name would let one case delete or overwrite another's file mid-run.
inline std::string scratchFilePath(const std::string& stem) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + stem + "_" + test->test_suite_name() + "_" + test->name() + ".txt";
}

}  // namespace quorvane
