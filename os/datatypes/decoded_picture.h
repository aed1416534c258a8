// A picture file's content as the decoders hand it over: its size, ARGB
// pixels row by row, and the header that describes it.
#pragma once
#include <cstdint>
#include <vector>

#include "os/datatypes/datatypes.h"

// Pictures with a side above this are refused before anything is allocated.
constexpr int32_t MAX_PICTURE_SIDE = 16384;

struct DecodedPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> argb;
  BitMapHeader header{};
  uint32_t modeID = 0;
};

// Whether a width and height are ones a decoder may allocate for.
inline bool acceptablePictureSize(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
         width * height <= MAX_BITMAP_PIXELS;
}

// The header of a picture that is not an ILBM: its size and depth.
inline BitMapHeader plainHeader(int32_t width, int32_t height, uint8_t depth) {
  BitMapHeader h{};
  h.bmh_Width = static_cast<uint16_t>(width);
  h.bmh_Height = static_cast<uint16_t>(height);
  h.bmh_Depth = depth;
  h.bmh_XAspect = h.bmh_YAspect = 1;
  h.bmh_PageWidth = static_cast<int16_t>(width);
  h.bmh_PageHeight = static_cast<int16_t>(height);
  return h;
}
