// Sets an environment variable for the life of the object and puts the old
// value (or its absence) back at the end. A NIL value unsets the variable.
#pragma once
#include <string>

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_ = false;
  std::string old_;
};
