// The program's start-up and shut-down: every module's initialiser in a fixed
// order, the application object, the main window, then every finaliser.
#pragma once
#include <cstddef>
#include <cstdint>

// One step of the start-up or shut-down order. `run` is NIL for a module that
// this build does not have yet; the step is skipped.
struct ModuleStep {
  const char* name;
  void (*run)();
};

struct ModuleSequence {
  const ModuleStep* steps;
  size_t count;
};

ModuleSequence startupInitialisers();
ModuleSequence startupFinalisers();

// Runs the initialisers, then body, printing an error that escapes; then runs
// every finaliser (an error there is printed and ends the sequence) and tears
// the allocator down last. Returns the orderly exit's code, otherwise 0.
int32_t runProgram(ModuleSequence initialisers, ModuleSequence finalisers, void (*body)());

// The application's part of the run: names, describes and builds the
// application object, then runs the main window.
void runApplication();

// The program's main procedure.
int ludexMain(int argc, char** argv);
