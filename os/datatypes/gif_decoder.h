// GIF pictures through giflib: the first image of the file, placed on its
// logical screen as far as the image reaches (what it leaves uncovered is
// see-through).
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/datatypes/decoded_picture.h"

class GifDecoder {
 public:
  static bool recognises(const uint8_t* bytes, size_t size);
  // False for anything giflib reports, a file without an image or colours,
  // an image off its screen, or a size out of bounds; *out is then left
  // empty. A picture larger than the fit comes out reduced.
  static bool decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit = PictureFit{});
};
