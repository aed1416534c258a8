// The real program started as a process of its own on a sandbox: this build's
// `ludex` executable with the sandbox's environment, without a display or on
// Qt's offscreen one. Its stdout and stderr go to files in the sandbox.
#pragma once
#include <sys/types.h>

#include "tests/app/ludex_run.h"

enum class E2eDisplay { Headless, Offscreen };

class LudexProcess {
 public:
  LudexProcess(const LudexSandbox& box, const char* script, E2eDisplay display);
  ~LudexProcess();  // a program still running is killed
  LudexProcess(const LudexProcess&) = delete;
  LudexProcess& operator=(const LudexProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Waits for the program to end (one that runs past a generous limit is
  // killed): what it printed and its return code, 128 + the signal when a
  // signal ended it.
  LudexRunResult finish();
  // Ends it at once with SIGKILL, as a power cut would, and waits for it.
  void kill();

 private:
  const LudexSandbox& box_;
  pid_t pid_ = -1;
  int status_ = 0;
};

// Runs the program with the script to its end.
LudexRunResult runLudex(const LudexSandbox& box, const char* script, E2eDisplay display);
