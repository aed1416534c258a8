#include "os/mui/classes/shown_text.h"

#include <cstring>

namespace mui {

std::string shownText(const char* text) {
  std::string out;
  if (!text) return out;
  for (const char* p = text; *p; ++p) {
    if (*p != '\033') {
      out += *p;
      continue;
    }
    if (!p[1]) break;  // a lone escape at the end shows nothing
    ++p;
    if (std::strchr("IOP", *p) && p[1] == '[') {
      const char* close = std::strchr(p, ']');
      if (!close) break;  // an argument that never ends swallows the rest
      p = close;
    }
  }
  return out;
}

}  // namespace mui
