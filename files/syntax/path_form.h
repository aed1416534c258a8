// The kind a canonical path or an entry name says by its form.
#pragma once
#include <cstring>

// TRUE when the text names a directory: it is empty (the current directory)
// or ends in "/". Anything else names a file.
inline bool NamesDirectory(const char* text) {
  const size_t length = std::strlen(text);
  return length == 0 || text[length - 1] == '/';
}
