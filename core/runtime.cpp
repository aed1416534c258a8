#include "core/runtime.h"

namespace {
int storedArgc = 0;
char** storedArgv = nullptr;
}  // namespace

void setProgramArguments(int argc, char** argv) {
  storedArgc = argc;
  storedArgv = argv;
}

int programArgc() { return storedArgc; }

const char* programPath() { return (storedArgc > 0 && storedArgv) ? storedArgv[0] : nullptr; }

// Nothing more to set up: the hosted runtime is ready once the arguments are stored.
void new_base() {}
void new_base2() {}
