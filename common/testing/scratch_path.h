// A file name in the temporary directory that no other test shares.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace lira {
namespace testing {

/// ctest runs the tests of a suite side by side: a fixed name in the
/// temporary directory is then written by one test while another reads it.
/// The test's own name keeps each file to its test.
inline std::string scratch_path(const std::string& name) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string owner = test ? std::string(test->test_suite_name()) + "." + test->name() : "none";
  return ::testing::TempDir() + owner + "-" + name;
}

}  // namespace testing
}  // namespace lira
