// What a person reads of a text of MUI's text engine: the text without its
// escape codes (ESC and one letter: alignment, style, pen; ESC I[...],
// ESC O[...] and ESC P[...] with their bracketed argument).
#pragma once
#include <string>

namespace mui {

std::string shownText(const char* text);

}  // namespace mui
