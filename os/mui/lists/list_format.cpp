#include "os/mui/lists/list_format.h"

namespace mui {
namespace {
// One word of a column entry from p on (a quoted part may hold blanks and
// commas); p is left after it.
std::string word(const char*& p) {
  std::string out;
  bool quoted = false;
  for (; *p; ++p) {
    if (*p == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && (*p == ' ' || *p == ',')) break;
    out += *p;
  }
  return out;
}
}  // namespace

std::vector<ListColumnFormat> parseListFormat(const char* format) {
  std::vector<ListColumnFormat> columns(1);
  for (const char* p = format ? format : ""; *p;) {
    if (*p == ',') {
      columns.emplace_back();
      ++p;
    } else if (*p == ' ') {
      ++p;
    } else {
      const std::string w = word(p);
      if (w == "BAR")
        columns.back().bar = true;
      else if (w.compare(0, 2, "P=") == 0)
        columns.back().preParse = w.substr(2);
    }
  }
  return columns;
}

}  // namespace mui
