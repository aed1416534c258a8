// A full-colour icon image as the icon readers hand it over: its size and
// ARGB pixels row by row (alpha 0 is see-through).
#pragma once
#include <cstdint>
#include <vector>

struct IconImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> argb;  // width * height
};
