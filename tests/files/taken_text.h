// The text of a new string the code under test hands out, for comparing.
#pragma once
#include <string>

#include "core/strings/string.h"

// The text of s, which is disposed here; "<NIL>" for NIL.
inline std::string take(char* s) {
  if (!s) return "<NIL>";
  std::string text = s;
  DisposeString(s);
  return text;
}
