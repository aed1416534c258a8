// The program's start-up and shut-down around a benchmark that runs the main
// window in its own process: every module's initialiser and the application
// object on construction, every finaliser (after the application's data is
// released) on destruction.
#pragma once
#include <cstddef>

#include "app/ludex_module.h"
#include "app/main_window/main_window.h"
#include "app/startup.h"
#include "core/app_object.h"
#include "os/dos/dos_testing.h"

class BenchProgram {
 public:
  BenchProgram() {
    const ModuleSequence inits = startupInitialisers();
    for (size_t i = 0; i < inits.count; ++i)
      if (inits.steps[i].run) inits.steps[i].run();
    CreateApp(app_name)->initDescription(app_description);
    appHost->build();
  }
  ~BenchProgram() {
    releaseApplicationData();
    const ModuleSequence finis = startupFinalisers();
    for (size_t i = 0; i < finis.count; ++i)
      if (finis.steps[i].run) finis.steps[i].run();
    ostest::resetDos();
  }
  BenchProgram(const BenchProgram&) = delete;
  BenchProgram& operator=(const BenchProgram&) = delete;
};
