#include "app/startup.h"
#include "os/exec/break_signals.h"

int main(int argc, char** argv) {
  // The hosted process's start: Ctrl-C and SIGTERM become break and quit
  // events from here on instead of ending the program.
  installBreakSignalHandlers();
  return ludexMain(argc, argv);
}
