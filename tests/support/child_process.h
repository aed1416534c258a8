// Runs a piece of a test in a forked child, so that code which ends the
// process's allocator or prints to stdout can be checked from outside.
#pragma once
#include <functional>
#include <string>

struct ChildResult {
  int exitCode = -1;    // the child's exit code, -1 when it did not exit normally
  std::string output;   // everything it wrote to stdout
};

ChildResult runInChild(const std::function<int()>& body);
