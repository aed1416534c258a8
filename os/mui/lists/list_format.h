// The column format of a list: one entry per column, separated by ",";
// each entry holds words such as "BAR" (a bar after the column) and
// "P=text" (codes put in front of every text of the column, e.g. ESC r to
// right-align it; the text may be in double quotes, and may then hold
// blanks and commas). Other words (widths, weights) are kept by no one here.
// An empty or NIL format is one column.
#pragma once
#include <string>
#include <vector>

namespace mui {

struct ListColumnFormat {
  bool bar = false;
  std::string preParse;
};

std::vector<ListColumnFormat> parseListFormat(const char* format);

}  // namespace mui
