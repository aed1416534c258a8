#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

std::filesystem::path freshTestFolder(const char* area) {
  const char* root = std::getenv("LUDEX_TEST_ROOT");
  const std::filesystem::path folder = std::filesystem::path(root ? root : "/tmp") / area /
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}
