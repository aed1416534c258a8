// Amiga names ignore the case of the letters a-z (and only of those).
#pragma once
#include <string_view>

namespace dosname {

inline char foldAZ(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool equalNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (foldAZ(a[i]) != foldAZ(b[i])) return false;
  return true;
}

}  // namespace dosname
