// The application's code runs after start-up has opened the modules beneath
// it; its tests start the ones it relies on once for the whole test binary.
#include <gtest/gtest.h>

#include "core/time_count.h"
#include "files/objects/file.h"

namespace {

class AppModules : public testing::Environment {
 public:
  void SetUp() override {
    new_ptime();  // files record the time of a change
    new_cpath_file();
  }
  void TearDown() override {
    end_cpath_file();
    end_ptime();
  }
};

const testing::Environment* const appModules = testing::AddGlobalTestEnvironment(new AppModules);

}  // namespace
