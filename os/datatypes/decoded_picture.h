// A picture file's content as the decoders hand it over: its size, ARGB
// pixels row by row, and the header that describes it.
#pragma once
#include <algorithm>
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

// The size a picture is wanted at, at most: a decoder may reduce a picture
// larger than this on both sides by a whole factor, never below the size at
// which it would be shown shrunk to fit (an ILBM, PNG or GIF keeps every
// f-th pixel of every f-th row; libjpeg scales by eighths while decoding).
// Without a screen to show it on, a picture fits in 4096 by 4096.
constexpr int32_t UNBOUNDED_FIT_SIDE = 4096;
struct PictureFit {
  int32_t width = UNBOUNDED_FIT_SIDE;
  int32_t height = UNBOUNDED_FIT_SIDE;
};

// The whole factor (1 or more) by which a picture of width by height may be
// reduced for a fit: the largest that keeps it at least as large as it
// would be shown shrunk to fit.
inline int32_t reductionFor(int64_t width, int64_t height, const PictureFit& fit) {
  if (fit.width < 1 || fit.height < 1) return 1;
  const int64_t f = std::max(width / fit.width, height / fit.height);
  return f < 1 ? 1 : static_cast<int32_t>(std::min<int64_t>(f, MAX_PICTURE_SIDE));
}
// A side reduced by a factor: the count of every f-th pixel.
inline int32_t reducedSide(int64_t side, int32_t factor) { return static_cast<int32_t>((side + factor - 1) / factor); }

// Whether a declared width and height are within the sides a decoder reads
// (a decoder that reduces needs no more).
inline bool acceptablePictureSides(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE;
}

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
