#include "core/strings/owned_strings.h"

#include "core/exception.h"
#include "core/strings/string.h"

char* OwnedStrings::keep(char* s) {
  if (!s) return s;
  if (count == CAPACITY) {
    DisposeString(s);
    Throw("BUG", "OwnedStrings.keep(); too many strings");
  }
  items[count++] = s;
  return s;
}

void OwnedStrings::dispose() {
  while (count > 0) {
    --count;
    DisposeString(items[count]);
    items[count] = nullptr;
  }
}
